#include "platform/RegistryTree.h"

namespace platform {

namespace {
// Line breaks and NUL cannot stand in a .reg line, nor a lone surrogate in its UTF-8 text.
bool HasForbiddenChar(const QString& text) {
    if (!text.isValidUtf16())
        return true;
    for (const QChar c : text) {
        if (c == QChar('\n') || c == QChar('\r') || c == QChar(u'\0'))
            return true;
    }
    return false;
}
}  // namespace

QByteArray Utf16Bytes(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

QString Utf16Text(const QByteArray& bytes) {
    const qsizetype units = bytes.size() / 2;
    QString text(units, Qt::Uninitialized);
    for (qsizetype i = 0; i < units; ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 * i]);
        const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = QChar(static_cast<char16_t>(low | (high << 8)));
    }
    return text;
}

QString Utf16TextBeforeNul(const QByteArray& bytes) {
    QString text = Utf16Text(bytes);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

bool RegistryTree::IsValidKeyPath(const QString& path) {
    if (path.isEmpty() || HasForbiddenChar(path))
        return false;
    const QStringList parts = path.split(QChar('\\'));
    for (const QString& part : parts) {
        if (part.isEmpty())
            return false;
    }
    return true;
}

bool RegistryTree::IsValidValueName(const QString& name) { return !HasForbiddenChar(name); }

bool RegistryTree::HasKey(const QString& path) const { return m_keys.contains(Fold(path)); }

QStringList RegistryTree::CreateKey(const QString& path) {
    QStringList created;
    if (!IsValidKeyPath(path))
        return created;
    const QStringList parts = path.split(QChar('\\'));
    QString prefix;
    for (const QString& part : parts) {
        prefix = prefix.isEmpty() ? part : prefix + QChar('\\') + part;
        const QString folded = Fold(prefix);
        if (!m_keys.contains(folded)) {
            m_keys.insert(folded, Key{prefix, {}});
            created.append(prefix);
        }
    }
    return created;
}

void RegistryTree::RemoveKey(const QString& path) { m_keys.remove(Fold(path)); }

const RegistryValue* RegistryTree::Value(const QString& path, const QString& name) const {
    const auto key = m_keys.constFind(Fold(path));
    if (key == m_keys.constEnd())
        return nullptr;
    const auto value = key->values.constFind(Fold(name));
    return value == key->values.constEnd() ? nullptr : &value->value;
}

bool RegistryTree::SetValue(const QString& path, const QString& name, const RegistryValue& value) {
    const auto key = m_keys.find(Fold(path));
    if (key == m_keys.end() || !IsValidValueName(name))
        return false;
    const QString folded = Fold(name);
    const auto existing = key->values.find(folded);
    if (existing != key->values.end())
        existing->value = value;  // keeps the first spelling, as the registry does
    else
        key->values.insert(folded, NamedValue{name, value});
    return true;
}

bool RegistryTree::RemoveValue(const QString& path, const QString& name) {
    const auto key = m_keys.find(Fold(path));
    return key != m_keys.end() && key->values.remove(Fold(name)) > 0;
}

int RegistryTree::RemoveAllValues(const QString& path) {
    const auto key = m_keys.find(Fold(path));
    if (key == m_keys.end())
        return 0;
    const int count = static_cast<int>(key->values.size());
    key->values.clear();
    return count;
}

int RegistryTree::ValueCount(const QString& path) const {
    const auto key = m_keys.constFind(Fold(path));
    return key == m_keys.constEnd() ? -1 : static_cast<int>(key->values.size());
}

QStringList RegistryTree::ValueNames(const QString& path) const {
    QStringList names;
    const auto key = m_keys.constFind(Fold(path));
    if (key != m_keys.constEnd()) {
        for (const NamedValue& value : key->values)
            names.append(value.name);
    }
    return names;
}

QStringList RegistryTree::KeyPaths() const {
    QStringList paths;
    for (const Key& key : m_keys)
        paths.append(key.path);
    return paths;
}

bool RegistryTree::operator==(const RegistryTree& other) const { return m_keys == other.m_keys; }

}  // namespace platform
