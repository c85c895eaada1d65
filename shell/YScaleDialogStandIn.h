// Stand-in for the variable Y-scale dialog until it is built: keeps its
// binding, receives and answers its messages, and tells the main frame when
// it closes (2092 with wParam 0).
#pragma once

#include "shell/StandInWindow.h"
#include "settings/WindowRoles.h"

#include <map>

class YScaleDialogStandIn : public StandInWindow, public YScaleWindow {
public:
    YScaleDialogStandIn(QWidget* parent, platform::WindowHandle mainFrame);

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return WindowHandle(); }
    void Shutdown() override {}
    platform::WindowPlacement Placement() const override { return platform::WindowPlacement::Of(*this); }
    int ChannelOf(platform::WindowHandle scaleView) override;
    void Bind(platform::WindowHandle scaleView, platform::WindowHandle lapOverview, int channel) override;

    // Which channel a scale view shows, as the real dialog learns it from the view.
    void SetChannelOf(platform::WindowHandle scaleView, int channel) { m_channels[scaleView] = channel; }
    int BoundChannel() const { return m_channel; }
    platform::WindowHandle BoundLapOverview() const { return m_lapOverview; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    platform::WindowHandle m_mainFrame;
    std::map<platform::WindowHandle, int> m_channels;
    platform::WindowHandle m_scaleView = platform::kNoWindow;
    platform::WindowHandle m_lapOverview = platform::kNoWindow;
    int m_channel = 0;
};
