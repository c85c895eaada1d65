// The segment strip above a lap overview window's channel rows, as the
// window drives it: placed in the window's segment area, built again when
// the base lap or the segment mode changes, and reached by message through
// its top pane and the left pane below it.
#pragma once

#include "platform/WindowMessage.h"

class CLapOverviewDlg;
class QRect;
class QWidget;

class LapOverviewSegmentStrip {
public:
    virtual ~LapOverviewSegmentStrip() = default;
    virtual QWidget* Widget() = 0;
    virtual platform::WindowHandle TopPane() const = 0;
    virtual platform::WindowHandle LeftNestedPane() const = 0;
    // Builds the strip for the window's state (segment mode, X mode, zoom,
    // spans, base lap); rebuild: the panes below the top one are made again.
    virtual void Build(CLapOverviewDlg& window, bool rebuild) = 0;
    // In segment mode, the compared laps' full spans to the segment bands.
    virtual void PassSpans() = 0;
    // Places the strip in the window's segment area.
    virtual void Relayout(const QRect& area) = 0;
};
