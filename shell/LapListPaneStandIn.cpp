#include "shell/LapListPaneStandIn.h"

#include "platform/UserMessages.h"

LapListPaneStandIn::LapListPaneStandIn(QWidget* parent, platform::WindowHandle mainFrame)
    : StandInWindow(QStringLiteral(" Lap list"), parent) {
    ReportFirstShowTo(mainFrame);
    SetAnswer(platform::UM_LAP_LIST_ALL_VIEW, 1);
    SetAnswer(platform::UM_RESET_LAP_LIST, 1);
}
