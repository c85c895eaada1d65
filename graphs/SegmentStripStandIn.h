// Stand-in for a lap overview window's segment strip until it is built:
// fills the segment area and takes the messages meant for its panes.
#pragma once

#include "graphs/LapOverviewSegmentStrip.h"

#include "platform/MessageWindow.h"

#include <QWidget>

class SegmentStripStandIn : public QWidget, public LapOverviewSegmentStrip {
public:
    explicit SegmentStripStandIn(QWidget* parent);

    QWidget* Widget() override { return this; }
    platform::WindowHandle TopPane() const override { return m_top.Handle(); }
    platform::WindowHandle LeftNestedPane() const override { return m_left.Handle(); }
    void Build(CLapOverviewDlg& window, bool rebuild) override;
    void Relayout(const QRect& area) override;

private:
    platform::MessageWindow m_top;
    platform::MessageWindow m_left;
};
