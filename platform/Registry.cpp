#include "platform/Registry.h"

namespace platform {

Registry::Registry(std::unique_ptr<RegistryBackend> backend)
    : m_backend(std::move(backend)), m_tree(m_backend->Load()) {}

bool Registry::CreateKey(const QString& path) {
    const QStringList created = m_tree.CreateKey(path);
    if (created.isEmpty())
        return m_tree.HasKey(path);
    if (m_backend->Save(m_tree))
        return true;
    for (const QString& key : created)
        m_tree.RemoveKey(key);
    return false;
}

std::optional<RegistryValue> Registry::QueryValue(const QString& path, const QString& name) const {
    const RegistryValue* value = m_tree.Value(path, name);
    if (!value)
        return std::nullopt;
    return *value;
}

bool Registry::SetValue(const QString& path, const QString& name, const RegistryValue& value) {
    const std::optional<RegistryValue> previous = QueryValue(path, name);
    if (!m_tree.SetValue(path, name, value))
        return false;
    if (m_backend->Save(m_tree))
        return true;
    if (previous)
        m_tree.SetValue(path, name, *previous);
    else
        m_tree.RemoveValue(path, name);
    return false;
}

bool Registry::DeleteValue(const QString& path, const QString& name) {
    const std::optional<RegistryValue> previous = QueryValue(path, name);
    if (!previous)
        return false;
    // Re-inserting under the stored spelling keeps the name as it was.
    const QStringList names = m_tree.ValueNames(path);
    QString spelling = name;
    for (const QString& stored : names) {
        if (stored.compare(name, Qt::CaseInsensitive) == 0)
            spelling = stored;
    }
    m_tree.RemoveValue(path, name);
    if (m_backend->Save(m_tree))
        return true;
    m_tree.SetValue(path, spelling, *previous);
    return false;
}

std::optional<int> Registry::ValueCount(const QString& path) const {
    const int count = m_tree.ValueCount(path);
    if (count < 0)
        return std::nullopt;
    return count;
}

std::optional<QString> Registry::ValueNameAt(const QString& path, int index) const {
    const QStringList names = m_tree.ValueNames(path);
    if (index < 0 || index >= names.size())
        return std::nullopt;
    return names.at(index);
}

}  // namespace platform
