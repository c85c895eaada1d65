// The current user's registry, emulated: keys exist only once created, values
// keep their type and raw bytes, and every change is saved through the backend
// at once. A change the backend cannot save is undone and reported as failed,
// so memory and the stored hive never disagree.
#pragma once

#include "platform/RegistryBackend.h"

#include <memory>
#include <optional>

namespace platform {

class Registry {
public:
    // Loads the hive from the backend.
    explicit Registry(std::unique_ptr<RegistryBackend> backend);
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Creates the key and its missing parents; true when it exists afterwards.
    bool CreateKey(const QString& path);
    bool KeyExists(const QString& path) const { return m_tree.HasKey(path); }

    std::optional<RegistryValue> QueryValue(const QString& path, const QString& name) const;
    // False when the key is missing, the name unusable or the save failed.
    bool SetValue(const QString& path, const QString& name, const RegistryValue& value);
    // False when the key or the value is missing or the save failed.
    bool DeleteValue(const QString& path, const QString& name);

    // Nothing when the key is missing.
    std::optional<int> ValueCount(const QString& path) const;
    // The name of the index-th value in enumeration order; nothing past the end.
    std::optional<QString> ValueNameAt(const QString& path, int index) const;

    const RegistryTree& Tree() const { return m_tree; }
    RegistryBackend& Backend() { return *m_backend; }

private:
    std::unique_ptr<RegistryBackend> m_backend;
    RegistryTree m_tree;
};

}  // namespace platform
