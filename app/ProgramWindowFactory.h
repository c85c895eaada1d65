// The program's window factory: builds the real windows of the graph, course
// map and properties subsystems for the main frame and the work areas, and
// hands them the data core, the settings and the segment groups, and runs the
// course map viewer.
#pragma once

#include "app/ProgramGraphHost.h"

#include "settings/ShellWindowFactory.h"

class AppSettings;
namespace orvelo {
class LapDataCore;
}

class ProgramWindowFactory : public ShellWindowFactory {
public:
    ProgramWindowFactory(AppSettings& settings, orvelo::LapDataCore& core);

    // The main frame makes its panes first; the graph windows' host learns it here.
    PropertiesPane* CreatePropertiesPane(QWidget* parent, platform::WindowHandle mainFrame) override;
    SegmentListPane* CreateSegmentListPane(QWidget* parent, platform::WindowHandle mainFrame) override;
    void RunCourseMapViewer(QWidget* parent, platform::WindowHandle mainFrame, const CourseRegistry& registry,
                            int listMode, const CourseBlock& course) override;
    GraphWindow* CreateGraphWindow(QWidget* view, platform::WindowHandle viewHandle, int kind, int workAreaNumber,
                                   int slot, bool restored) override;
    YScaleWindow* CreateYScaleWindow(QWidget* parent, platform::WindowHandle mainFrame) override;

    // What the graph windows are handed.
    GraphHost& Graphs() { return m_graphHost; }

protected:
    AppSettings& Settings() { return m_settings; }
    orvelo::LapDataCore& Core() { return m_core; }

private:
    AppSettings& m_settings;
    orvelo::LapDataCore& m_core;
    ProgramGraphHost m_graphHost;
};
