// Stand-in for the segment list pane until it is built: receives and answers
// the pane's and its list view's messages, and reports its first activation.
#pragma once

#include "shell/StandInWindow.h"
#include "settings/WindowRoles.h"

class SegmentListPaneStandIn : public StandInWindow, public SegmentListPane {
public:
    SegmentListPaneStandIn(QWidget* parent, platform::WindowHandle mainFrame);

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return WindowHandle(); }
    platform::WindowHandle ViewHandle() const override { return m_view->WindowHandle(); }
    StandInWindow& View() { return *m_view; }

private:
    StandInWindow* m_view;
};
