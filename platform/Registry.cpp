#include "platform/Registry.h"

namespace platform {

Registry::Registry(std::unique_ptr<RegistryBackend> backend)
    : m_backend(std::move(backend)), m_tree(m_backend->Load()) {}

template <class Change>
bool Registry::Apply(Change change) {
    BeginBatch();
    if (change())
        m_batchChanged = true;
    return EndBatch();
}

void Registry::BeginBatch() {
    if (m_batchDepth++ > 0)
        return;
    m_beforeBatch = m_tree;
    m_batchChanged = false;
}

bool Registry::EndBatch() {
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return true;
    // Writes that put back what was there leave the stored hive as it is.
    const bool changed = m_batchChanged && !(m_tree == m_beforeBatch);
    const bool saved = !changed || m_backend->Save(m_tree);
    if (!saved)
        m_tree = m_beforeBatch;
    m_beforeBatch = RegistryTree();
    m_batchChanged = false;
    // Told last, with the registry consistent again: the handler may show a box, and changes
    // made while it is shown are batches of their own.
    if (!saved && m_saveFailed && !m_backend->SavesRefusedAndReported())
        m_saveFailed(m_backend->SaveError());
    return saved;
}

bool Registry::CreateKey(const QString& path) {
    const bool saved = Apply([&] { return m_tree.CreateKey(path) > 0; });
    return saved && m_tree.HasKey(path);
}

std::optional<RegistryValue> Registry::QueryValue(const QString& path, const QString& name) const {
    const RegistryValue* value = m_tree.Value(path, name);
    if (!value)
        return std::nullopt;
    return *value;
}

bool Registry::SetValue(const QString& path, const QString& name, const RegistryValue& value) {
    bool set = false;
    const bool saved = Apply([&] {
        bool changed = false;
        set = m_tree.SetValue(path, name, value, &changed);
        return changed;
    });
    return set && saved;
}

bool Registry::DeleteValue(const QString& path, const QString& name) {
    bool removed = false;
    const bool saved = Apply([&] { return removed = m_tree.RemoveValue(path, name); });
    return removed && saved;
}

bool Registry::DeleteAllValues(const QString& path) {
    if (!m_tree.HasKey(path))
        return false;
    return Apply([&] { return m_tree.RemoveAllValues(path) > 0; });
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
