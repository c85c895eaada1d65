#include "app/ProgramGraphHost.h"

#include "platform/MessageBus.h"
#include "settings/WindowRoles.h"
#include "shell/CMainFrame.h"
#include "shell/ShellDialogRunners.h"

ProgramGraphHost::ProgramGraphHost(AppSettings& settings, orvelo::LapDataCore& core)
    : m_settings(settings), m_core(core) {}

CMainFrame* ProgramGraphHost::Frame() const { return platform::WindowFromHandle<CMainFrame>(m_mainFrame); }

platform::WindowHandle ProgramGraphHost::PropertiesPane() const {
    const CMainFrame* frame = Frame();
    return frame && frame->Properties() ? frame->Properties()->Handle() : platform::kNoWindow;
}

bool ProgramGraphHost::ZoomMode() const {
    const CMainFrame* frame = Frame();
    return frame && frame->ZoomMode();
}

int ProgramGraphHost::RunChannelColorDialog(QWidget* parent, platform::WindowHandle requester,
                                            platform::LParam answerParam, const ChannelColorProperty& block,
                                            const QString& channelName) {
    return ::RunChannelColorDialog(parent, requester, answerParam, block, channelName);
}

int ProgramGraphHost::RunLapOverviewColorDialog(QWidget* parent, platform::WindowHandle requester,
                                                const OverviewWindowColors& block) {
    return ::RunLapOverviewColorDialog(parent, requester, block);
}
