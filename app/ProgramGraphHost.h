// The GraphHost the program's graph windows get: the application's data core
// and settings, its main frame, whose properties pane and zoom mode are
// looked up each time they are asked for, and the shell's colour dialogs.
#pragma once

#include "graphs/GraphHost.h"

class CMainFrame;

class ProgramGraphHost : public GraphHost {
public:
    ProgramGraphHost(AppSettings& settings, orvelo::LapDataCore& core);

    // The main frame, learned when it makes its panes.
    void SetMainFrame(platform::WindowHandle frame) { m_mainFrame = frame; }

    orvelo::LapDataCore& Core() override { return m_core; }
    AppSettings& Settings() override { return m_settings; }
    platform::WindowHandle MainFrame() const override { return m_mainFrame; }
    platform::WindowHandle PropertiesPane() const override;
    bool ZoomMode() const override;
    int RunChannelColorDialog(QWidget* parent, platform::WindowHandle requester, platform::LParam answerParam,
                              const ChannelColorProperty& block, const QString& channelName) override;
    int RunLapOverviewColorDialog(QWidget* parent, platform::WindowHandle requester,
                                  const OverviewWindowColors& block) override;

private:
    CMainFrame* Frame() const;

    AppSettings& m_settings;
    orvelo::LapDataCore& m_core;
    platform::WindowHandle m_mainFrame = platform::kNoWindow;
};
