#include "settings/AppSettings.h"

#include "settings/SegmentGroupStore.h"

#include "platform/RegistryFileBackend.h"

AppSettings::AppSettings(std::unique_ptr<platform::RegistryBackend> backend,
                         ColorSettings::ColorSource buttonFace)
    : m_registry(std::move(backend)),
      m_store(m_registry),
      m_profile(m_registry),
      m_channels(m_store),
      m_colors(m_store, std::move(buttonFace)) {}

int AppSettings::LoadScaleControlWndPlace(WindowPlacementRec* placement) {
    return m_store.ReadRecord(settings::SubKeyPath(settings::kWindowViewInfo), settings::kScaleControlWndPlace,
                              placement);
}

void AppSettings::LoadSegmentGroups() { ::LoadSegmentGroups(m_store, m_segmentGroups); }

AppSettings& ApplicationSettings() {
    static AppSettings settings(
        std::make_unique<platform::RegistryFileBackend>(platform::RegistryFileBackend::DefaultFolder()));
    return settings;
}
