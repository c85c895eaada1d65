// The one place the shell's colour property dialogs and the setup dialog are
// run from. The main frame runs the lap colour, map property and setup
// dialogs; the lap overview window reaches the channel colour and window
// colour dialogs through a runner its factory hands it, which calls these.
// Each returns the dialog's result (QDialog::Accepted or Rejected); a dialog
// answers its requester itself, and only when something changed.
#pragma once

#include "platform/ColorRef.h"
#include "platform/WindowMessage.h"
#include "settings/SettingsRecords.h"

#include <QString>

#include <array>

class ChannelSettings;
class ColorSettings;
class QWidget;

// "Lap Color Property": UM_LAP_COLOR_PROPERTY (colours, changes) sent to the
// requester, then (0, changes) posted to mapWindow.
int RunLapColorDialog(QWidget* parent, platform::WindowHandle requester, platform::WindowHandle mapWindow,
                      const std::array<platform::ColorRef, 7>& colors);

// "Map Property Dialog": UM_MAP_PROPERTY (block, changes) sent to the
// requester. colors gives the built-in map colours for Reset.
int RunMapPropertyDialog(QWidget* parent, platform::WindowHandle requester, const MapViewProperty& property,
                         const ColorSettings& colors);

// "<channelName> Channel Color property": UM_COLOR_PROPERTY_SELECTED (block,
// answerParam) sent to the requester while the block's count word is above 0.
int RunChannelColorDialog(QWidget* parent, platform::WindowHandle requester, platform::LParam answerParam,
                          const ChannelColorProperty& block, const QString& channelName);

// "Lap over view window property": UM_COLOR_SELECTED (block, the dialog's
// window) sent to the requester while the block's count word is above 0.
int RunLapOverviewColorDialog(QWidget* parent, platform::WindowHandle requester, const OverviewWindowColors& block);

// "Orvelo Setup" on the channel tables and map mode of channels; it tells
// mainWindow with UM_SAVE_CHANNEL_MAX_VALUE, UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME
// and UM_CHANGED_GLOBAL_MAP_DRAW_MODE.
int RunSetupDialog(QWidget* parent, platform::WindowHandle mainWindow, ChannelSettings& channels);
