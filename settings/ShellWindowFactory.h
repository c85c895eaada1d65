// Creates the windows and runs the dialogs that other subsystems build, for
// the main frame and the work areas. The program passes one that builds the
// real windows; the shell's tests pass one of stand-ins.
#pragma once

#include "settings/CourseBlock.h"
#include "settings/WindowRoles.h"

#include "platform/MessageRecords.h"

class QWidget;

class ShellWindowFactory {
public:
    virtual ~ShellWindowFactory() = default;

    // Panes and floating windows; parent is the main frame, which owns them.
    virtual PropertiesPane* CreatePropertiesPane(QWidget* parent, platform::WindowHandle mainFrame) = 0;
    virtual SegmentListPane* CreateSegmentListPane(QWidget* parent, platform::WindowHandle mainFrame) = 0;
    virtual YScaleWindow* CreateYScaleWindow(QWidget* parent, platform::WindowHandle mainFrame) = 0;

    // A graph window of a work-area view (its parent); restored: reopened from
    // the saved layout, so it reads its own saved settings.
    virtual GraphWindow* CreateGraphWindow(QWidget* view, platform::WindowHandle viewHandle, int kind,
                                           int workAreaNumber, int slot, bool restored) = 0;

    // The course map viewer, run modally for the main frame; registry: where the
    // main frame wrote a lap it registered as a course map; course: the
    // requesting map's course, with the lap it shows.
    virtual void RunCourseMapViewer(QWidget* parent, platform::WindowHandle mainFrame, const CourseRegistry& registry,
                                    int listMode, const CourseBlock& course) = 0;
};
