#include "shell/StandInWindowFactory.h"

#include "shell/GraphWindowStandIn.h"
#include "shell/LoggingTimeWindowStandIn.h"
#include "shell/YScaleDialogStandIn.h"

FloatingWindow* StandInWindowFactory::CreateLoggingTimeWindow(QWidget* parent, platform::WindowHandle mainFrame) {
    return new LoggingTimeWindowStandIn(parent, mainFrame);
}

YScaleWindow* StandInWindowFactory::CreateYScaleWindow(QWidget* parent, platform::WindowHandle mainFrame) {
    return new YScaleDialogStandIn(parent, mainFrame);
}

GraphWindow* StandInWindowFactory::CreateGraphWindow(QWidget* view, platform::WindowHandle, int kind,
                                                     int workAreaNumber, int slot, bool restored) {
    return new GraphWindowStandIn(view, kind, workAreaNumber, slot, restored);
}
