// One save for settings writes that belong together: every write made while a
// SettingsBatch lives is saved once, when it ends, all of them or, when that
// save fails, none (the stored file and the values in memory stay as they were
// before the batch). Batches nest; an inner one joins the one around it.
//
//     SettingsBatch batch(store);
//     store.WriteRecord(key, name, record);   // 0: written for the batch
//     ...
//     if (batch.End() != 0) ...                // or let it end with the scope
#pragma once

namespace platform {
class Registry;
}
class SettingsStore;

class SettingsBatch {
public:
    explicit SettingsBatch(SettingsStore& store);
    explicit SettingsBatch(platform::Registry& registry);
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

    // Saves the batch now: 0 when saved (an inner batch: left to the outer one), 1 when the save
    // failed and every write of the batch was undone. Later calls give the same answer.
    int End();

private:
    platform::Registry* m_registry;
    int m_result = 0;
};
