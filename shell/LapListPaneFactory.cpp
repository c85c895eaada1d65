#include "shell/LapListPaneFactory.h"

#include "shell/LapListPaneStandIn.h"

LapListPane* CreateLapListPane(QWidget* parent, platform::WindowHandle mainFrame) {
    return new LapListPaneStandIn(parent, mainFrame);
}
