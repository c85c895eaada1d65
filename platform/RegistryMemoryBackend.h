// A registry hive kept in memory, for tests: it can be preloaded, inspected
// and told to refuse saves (a full disk, a failed deletion).
#pragma once

#include "platform/RegistryBackend.h"

namespace platform {

class RegistryMemoryBackend : public RegistryBackend {
public:
    RegistryMemoryBackend() = default;
    explicit RegistryMemoryBackend(RegistryTree initial) : m_saved(std::move(initial)) {}

    RegistryTree Load() override { return m_saved; }
    bool Save(const RegistryTree& tree) override;
    QString SaveError() const override { return QStringLiteral("the test refuses saves"); }

    // While set, every save fails and the stored hive stays as it was.
    void SetFailSaves(bool fail) {
        m_failSaves = fail;
        m_savesBeforeFailing = -1;
    }
    // The next count saves succeed, every later one fails (until SetFailSaves(false)).
    void FailSavesAfter(int count) { m_savesBeforeFailing = count; }
    const RegistryTree& Saved() const { return m_saved; }
    int SaveCount() const { return m_saveCount; }

private:
    RegistryTree m_saved;
    bool m_failSaves = false;
    int m_savesBeforeFailing = -1;
    int m_saveCount = 0;
};

}  // namespace platform
