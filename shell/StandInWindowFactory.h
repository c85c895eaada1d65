// The part of the window factory still served by a stand-in: the course map
// viewer runs as a stand-in dialog. The windows themselves come from a
// factory that derives from this one.
#pragma once

#include "settings/ShellWindowFactory.h"

class StandInWindowFactory : public ShellWindowFactory {
public:
    void RunCourseMapViewer(QWidget* parent, platform::WindowHandle mainFrame, int listMode,
                            const CourseBlock& course) override;
};
