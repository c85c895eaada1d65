// Stand-in for the logging-time window until it is built: a floating window
// that receives and answers its messages (2023, 2090) and, whatever closes
// it, tells the main frame it is gone (2024).
#pragma once

#include "shell/StandInWindow.h"
#include "settings/WindowRoles.h"

class LoggingTimeWindowStandIn : public StandInWindow, public FloatingWindow {
public:
    LoggingTimeWindowStandIn(QWidget* parent, platform::WindowHandle mainFrame);
    ~LoggingTimeWindowStandIn() override;

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return WindowHandle(); }
    void Shutdown() override;

private:
    platform::WindowHandle m_mainFrame;
    bool m_reportedGone = false;
};
