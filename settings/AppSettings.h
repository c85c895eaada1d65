// Everything the shell keeps in the current user's registry, in one object:
// the registry with its backend, the settings store, the framework profile,
// the run-time setting tables and the segment groups read from the store
// (SegmentGroups, shared by the main frame and the course maps). The
// application has exactly one, reached
// through ApplicationSettings(); tests build their own on a memory backend.
#pragma once

#include "platform/Registry.h"
#include "settings/ChannelSettings.h"
#include "settings/ColorSettings.h"
#include "settings/FrameworkProfile.h"
#include "settings/SettingsStore.h"

#include "core/LapData.h"

#include <deque>
#include <memory>

class AppSettings {
public:
    // Loads the hive from the backend (a bad settings file is reported there).
    explicit AppSettings(std::unique_ptr<platform::RegistryBackend> backend,
                         ColorSettings::ColorSource buttonFace = {});
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    platform::Registry& UserRegistry() { return m_registry; }
    SettingsStore& Store() { return m_store; }
    FrameworkProfile& Profile() { return m_profile; }
    ChannelSettings& Channels() { return m_channels; }
    ColorSettings& Colors() { return m_colors; }
    std::deque<orvelo::SegmentGroup>& SegmentGroups() { return m_segmentGroups; }

    // Reads the segment groups of "Map_Seg_Info" into SegmentGroups() again.
    void LoadSegmentGroups();

    // Reads "ScaleControl_WndPlace" into placement (the main frame's copy of
    // the Y-scale dialog's placement); nothing changes when it is missing or
    // not a 44-byte placement. 0 ok, 1 failure.
    int LoadScaleControlWndPlace(WindowPlacementRec* placement);

private:
    platform::Registry m_registry;
    SettingsStore m_store;
    FrameworkProfile m_profile;
    ChannelSettings m_channels;
    ColorSettings m_colors;
    std::deque<orvelo::SegmentGroup> m_segmentGroups;
};

// The application's settings, kept in the user's file
// ($XDG_CONFIG_HOME/varnek-orvelo/user.reg). Created on the first call, which
// start-up makes once the application object exists, so that a bad settings
// file can be reported; start-up then creates the settings keys with
// Store().CreateSettingsKeys().
AppSettings& ApplicationSettings();
