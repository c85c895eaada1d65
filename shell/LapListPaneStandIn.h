// Stand-in for the lap list pane until it is built: receives and answers the
// pane's messages (2000, 2027, 2020) and reports its first activation.
#pragma once

#include "shell/StandInWindow.h"
#include "shell/WindowRoles.h"

class LapListPaneStandIn : public StandInWindow, public LapListPane {
public:
    LapListPaneStandIn(QWidget* parent, platform::WindowHandle mainFrame);

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return WindowHandle(); }
    void UseSegmentList(SegmentListPane& segmentList) override { m_segmentList = &segmentList; }
    SegmentListPane* SegmentList() const { return m_segmentList; }

private:
    SegmentListPane* m_segmentList = nullptr;
};
