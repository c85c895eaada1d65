#include "shell/StandInWindowFactory.h"

#include "shell/GraphWindowStandIn.h"
#include "shell/ModalDialogStandIn.h"
#include "shell/YScaleDialogStandIn.h"

YScaleWindow* StandInWindowFactory::CreateYScaleWindow(QWidget* parent, platform::WindowHandle mainFrame) {
    return new YScaleDialogStandIn(parent, mainFrame);
}

GraphWindow* StandInWindowFactory::CreateGraphWindow(QWidget* view, platform::WindowHandle, int kind,
                                                     int workAreaNumber, int slot, bool restored) {
    return new GraphWindowStandIn(view, kind, workAreaNumber, slot, restored);
}

void StandInWindowFactory::RunCourseMapViewer(QWidget* parent, platform::WindowHandle, int,
                                              const CourseBlock&) {
    ModalDialogStandIn::Run(QStringLiteral("CourseMapViewerDialog"), QStringLiteral("Course map viewer"), parent);
}
