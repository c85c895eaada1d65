// Stand-in for the lap overview and file overview windows until they are
// built: lives in its work-area view, receives and answers the messages the
// view relays, and saves nothing of its own.
#pragma once

#include "shell/StandInWindow.h"
#include "settings/WindowRoles.h"

class GraphWindowStandIn : public StandInWindow, public GraphWindow {
public:
    GraphWindowStandIn(QWidget* view, int kind, int workAreaNumber, int slot, bool restored);

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return WindowHandle(); }
    int Kind() const { return m_kind; }
    int Slot() const { return m_slot; }
    bool Restored() const { return m_restored; }

private:
    int m_kind;
    int m_slot;
    bool m_restored;
};
