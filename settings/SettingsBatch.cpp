#include "settings/SettingsBatch.h"

#include "platform/Registry.h"
#include "settings/SettingsStore.h"

SettingsBatch::SettingsBatch(SettingsStore& store) : SettingsBatch(store.Registry()) {}

SettingsBatch::SettingsBatch(platform::Registry& registry) : m_registry(&registry) { registry.BeginBatch(); }

SettingsBatch::~SettingsBatch() { End(); }

int SettingsBatch::End() {
    if (m_registry) {
        m_result = m_registry->EndBatch() ? 0 : 1;
        m_registry = nullptr;
    }
    return m_result;
}
