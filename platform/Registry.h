// The current user's registry, emulated: keys exist only once created, values
// keep their type and raw bytes, and every change is saved through the backend
// at once, or once for a whole batch of changes. A change the backend cannot
// save is undone and reported as failed, so memory and the stored hive never
// disagree.
#pragma once

#include "platform/RegistryBackend.h"

#include <functional>
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
    // Deletes every value of the key, which stays. False when the key is missing or the save failed.
    bool DeleteAllValues(const QString& path);

    // Changes made from BeginBatch to the matching EndBatch are saved together, once, when the
    // outermost batch ends, and only when the hive then differs from what it was when the batch
    // began (a value set to what it holds is no change); when that save fails every one of them
    // is undone, so memory and the stored hive stay as they were before the batch. Inside a batch
    // a change reports only its own effect. Batches nest: an inner one's end leaves the save to
    // the outer one (true).
    void BeginBatch();
    bool EndBatch();
    bool InBatch() const { return m_batchDepth > 0; }

    // Nothing when the key is missing.
    std::optional<int> ValueCount(const QString& path) const;
    // The name of the index-th value in enumeration order; nothing past the end.
    std::optional<QString> ValueNameAt(const QString& path, int index) const;

    // Called after each save that failed (its changes undone) with the backend's reason, unless
    // the backend has told the user itself that nothing is saved.
    using SaveFailedHandler = std::function<void(const QString& reason)>;
    void SetSaveFailedHandler(SaveFailedHandler handler) { m_saveFailed = std::move(handler); }

    const RegistryTree& Tree() const { return m_tree; }
    RegistryBackend& Backend() { return *m_backend; }

private:
    // One change to the tree (true when it changed something) saved as a batch of its own, or
    // kept for the batch it is part of.
    template <class Change>
    bool Apply(Change change);

    std::unique_ptr<RegistryBackend> m_backend;
    RegistryTree m_tree;
    int m_batchDepth = 0;
    bool m_batchChanged = false;
    // The hive as it was when the outermost batch began (shares its data until changed).
    RegistryTree m_beforeBatch;
    SaveFailedHandler m_saveFailed;
};

}  // namespace platform
