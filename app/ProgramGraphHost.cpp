#include "app/ProgramGraphHost.h"

#include "platform/MessageBus.h"
#include "settings/WindowRoles.h"
#include "shell/CMainFrame.h"

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
