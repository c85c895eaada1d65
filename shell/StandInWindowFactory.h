// Builds stand-ins for the windows other subsystems will build, so the main
// frame and the work areas run and can be tested before those exist. The
// docking panes are built: a factory that derives from this one makes them.
#pragma once

#include "settings/ShellWindowFactory.h"

class StandInWindowFactory : public ShellWindowFactory {
public:
    YScaleWindow* CreateYScaleWindow(QWidget* parent, platform::WindowHandle mainFrame) override;
    GraphWindow* CreateGraphWindow(QWidget* view, platform::WindowHandle viewHandle, int kind, int workAreaNumber,
                                   int slot, bool restored) override;
    void RunCourseMapViewer(QWidget* parent, platform::WindowHandle mainFrame, int listMode,
                            const CourseBlock& course) override;
};
