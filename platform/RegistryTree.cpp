#include "platform/RegistryTree.h"

#include <algorithm>

namespace platform {

namespace {
// Line breaks and NUL cannot stand in a .reg line, nor a lone surrogate in its UTF-8 text.
bool HasForbiddenChar(QStringView text) {
    if (!text.isValidUtf16())
        return true;
    for (const QChar c : text) {
        if (c == QChar('\n') || c == QChar('\r') || c == QChar(u'\0'))
            return true;
    }
    return false;
}

// The next character of the text from i on, folded to its case-insensitive form.
char32_t NextFolded(QStringView text, qsizetype& i) {
    const QChar c = text[i++];
    if (c.unicode() < 0x80)
        return c.unicode() >= 'A' && c.unicode() <= 'Z' ? c.unicode() + ('a' - 'A') : c.unicode();
    if (c.isHighSurrogate() && i < text.size() && text[i].isLowSurrogate())
        return QChar::toCaseFolded(QChar::surrogateToUcs4(c, text[i++]));
    return QChar::toCaseFolded(char32_t{c.unicode()});
}

// Calls step(component) for each '\'-separated component of the path until it returns false.
template <class Step>
void ForEachComponent(QStringView path, Step step) {
    qsizetype start = 0;
    while (true) {
        const qsizetype end = path.indexOf(QChar('\\'), start);
        if (!step(path.mid(start, end < 0 ? path.size() - start : end - start)) || end < 0)
            return;
        start = end + 1;
    }
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

bool RegistryTree::NameLess::operator()(QStringView a, QStringView b) const {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = NextFolded(a, i);
        const char32_t y = NextFolded(b, j);
        if (x != y)
            return x < y;
    }
    return i == a.size() && j < b.size();
}

bool RegistryTree::IsValidKeyPath(QStringView path) {
    if (path.isEmpty() || HasForbiddenChar(path))
        return false;
    int depth = 0;
    bool valid = true;
    ForEachComponent(path, [&](QStringView part) {
        valid = !part.isEmpty() && part.size() <= kMaxKeyNameChars && ++depth <= kMaxKeyDepth;
        return valid;
    });
    return valid;
}

bool RegistryTree::IsValidValueName(QStringView name) {
    return name.size() <= kMaxValueNameChars && !HasForbiddenChar(name);
}

RegistryTree::Node* RegistryTree::Own(NodePtr& node) {
    if (node.use_count() > 1)
        node = std::make_shared<Node>(*node);
    return node.get();
}

const RegistryTree::Node* RegistryTree::Find(QStringView path) const {
    if (path.isEmpty())
        return nullptr;
    const Node* node = m_root.get();
    ForEachComponent(path, [&](QStringView part) {
        const auto sub = node->subKeys.find(part);
        node = sub == node->subKeys.end() ? nullptr : sub->second.get();
        return node != nullptr;
    });
    return node;
}

RegistryTree::Node* RegistryTree::FindForChange(QStringView path) {
    if (!Find(path))
        return nullptr;
    Node* node = Own(m_root);
    ForEachComponent(path, [&](QStringView part) {
        node = Own(node->subKeys.find(part)->second);
        return true;
    });
    return node;
}

bool RegistryTree::HasKey(QStringView path) const { return Find(path) != nullptr; }

int RegistryTree::CreateKey(QStringView path) {
    if (!IsValidKeyPath(path) || HasKey(path))
        return 0;
    int created = 0;
    Node* node = Own(m_root);
    ForEachComponent(path, [&](QStringView part) {
        auto sub = node->subKeys.find(part);
        if (sub == node->subKeys.end()) {
            sub = node->subKeys.emplace(part.toString(), std::make_shared<Node>()).first;
            ++created;
        }
        node = Own(sub->second);
        return true;
    });
    return created;
}

const RegistryValue* RegistryTree::Value(QStringView path, const QString& name) const {
    const Node* key = Find(path);
    if (!key)
        return nullptr;
    const auto value = key->values.find(name);
    return value == key->values.end() ? nullptr : &value->second;
}

bool RegistryTree::SetValue(QStringView path, const QString& name, const RegistryValue& value, bool* changed) {
    return SetValues(path, {RegistryNamedValue{name, value}}, changed);
}

bool RegistryTree::SetValues(QStringView path, const QList<RegistryNamedValue>& values, bool* changed) {
    if (changed)
        *changed = false;
    for (const RegistryNamedValue& value : values) {
        if (!IsValidValueName(value.name))
            return false;
    }
    const Node* found = Find(path);
    if (!found)
        return false;
    // Values equal to those held leave the key shared with the copies of the tree.
    const bool differs = std::any_of(values.begin(), values.end(), [found](const RegistryNamedValue& value) {
        const auto held = found->values.find(value.name);
        return held == found->values.end() || held->second != value.value;
    });
    if (!differs)
        return true;
    if (changed)
        *changed = true;
    Node* key = FindForChange(path);
    for (const RegistryNamedValue& value : values)
        key->values.insert_or_assign(value.name, value.value);  // keeps the first spelling, as the registry does
    return true;
}

bool RegistryTree::RemoveValue(QStringView path, const QString& name) {
    const Node* found = Find(path);
    if (!found || !found->values.contains(name))
        return false;
    return FindForChange(path)->values.erase(name) > 0;
}

int RegistryTree::RemoveAllValues(QStringView path) {
    const Node* found = Find(path);
    if (!found || found->values.empty())
        return 0;
    Node* key = FindForChange(path);
    const int count = static_cast<int>(key->values.size());
    key->values.clear();
    return count;
}

int RegistryTree::ValueCount(QStringView path) const {
    const Node* key = Find(path);
    return key ? static_cast<int>(key->values.size()) : -1;
}

QStringList RegistryTree::ValueNames(QStringView path) const {
    QStringList names;
    if (const Node* key = Find(path)) {
        for (const auto& [name, value] : key->values)
            names.append(name);
    }
    return names;
}

int RegistryTree::KeyCount() const {
    int count = 0;
    ForEachKey([&count](const QString&, const ValueMap&, bool) { ++count; });
    return count;
}

void RegistryTree::Visit(const Node& node, QString& path, const KeyVisitor& visit) {
    for (const auto& [name, sub] : node.subKeys) {
        const qsizetype length = path.size();
        if (length > 0)
            path += QChar('\\');
        path += name;
        visit(path, sub->values, !sub->subKeys.empty());
        Visit(*sub, path, visit);
        path.truncate(length);
    }
}

void RegistryTree::ForEachKey(const KeyVisitor& visit) const {
    QString path;
    Visit(*m_root, path, visit);
}

bool RegistryTree::SameNodes(const Node& a, const Node& b) {
    if (&a == &b)
        return true;
    if (a.values != b.values || a.subKeys.size() != b.subKeys.size())
        return false;
    for (auto i = a.subKeys.begin(), j = b.subKeys.begin(); i != a.subKeys.end(); ++i, ++j) {
        if (i->first != j->first || !SameNodes(*i->second, *j->second))
            return false;
    }
    return true;
}

bool RegistryTree::operator==(const RegistryTree& other) const { return SameNodes(*m_root, *other.m_root); }

}  // namespace platform
