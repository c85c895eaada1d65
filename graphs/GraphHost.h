// What a graph window and its panes need of the program: the data core, the
// settings, the main frame and the properties pane to post to, the main
// frame's zoom mode, and the shell's colour dialogs. The lap overview and
// file overview windows are handed one and pass it on to their panes.
#pragma once

#include "platform/WindowMessage.h"

class AppSettings;
class QString;
class QWidget;
struct ChannelColorProperty;
struct OverviewWindowColors;
namespace orvelo {
class LapDataCore;
}

class GraphHost {
public:
    virtual ~GraphHost() = default;

    virtual orvelo::LapDataCore& Core() = 0;
    virtual AppSettings& Settings() = 0;
    // The main frame, hub of the cursor record (2043) and the logging-time request (2090).
    virtual platform::WindowHandle MainFrame() const = 0;
    // The properties pane, which shows the values at the cursor; kNoWindow while there is none.
    virtual platform::WindowHandle PropertiesPane() const = 0;
    // The main frame's "Zoom mode On/Off": a press in a pane is then a zoom click.
    virtual bool ZoomMode() const = 0;

    // The colour dialogs, run modally; each answers the requester itself, and
    // only when something changed. The dialog's result; a host without the
    // shell's dialogs runs none and answers 0 (rejected).
    // A channel's colours: UM_COLOR_PROPERTY_SELECTED (block, answerParam).
    virtual int RunChannelColorDialog(QWidget*, platform::WindowHandle, platform::LParam, const ChannelColorProperty&,
                                      const QString&) {
        return 0;
    }
    // A lap overview window's colours: UM_COLOR_SELECTED (block, the dialog's window).
    virtual int RunLapOverviewColorDialog(QWidget*, platform::WindowHandle, const OverviewWindowColors&) { return 0; }
};
