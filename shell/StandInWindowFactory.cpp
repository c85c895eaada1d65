#include "shell/StandInWindowFactory.h"

#include "shell/ModalDialogStandIn.h"

void StandInWindowFactory::RunCourseMapViewer(QWidget* parent, platform::WindowHandle, int,
                                              const CourseBlock&) {
    ModalDialogStandIn::Run(QStringLiteral("CourseMapViewerDialog"), QStringLiteral("Course map viewer"), parent);
}
