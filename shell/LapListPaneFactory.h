// The one place the main frame's lap list pane is created.
#pragma once

#include "platform/WindowMessage.h"

class LapListPane;
class QWidget;

// parent: the main frame, which owns the pane; mainFrame: its message handle.
LapListPane* CreateLapListPane(QWidget* parent, platform::WindowHandle mainFrame);
