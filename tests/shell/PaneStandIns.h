// The docking panes the shell's own tests stand in for: they keep what the main frame sends the
// properties pane, its small map and the segment list view, and answer for the shown course as
// the test sets it. The program's own panes are tested through tests/app.
#pragma once

#include "shell/StandInWindow.h"
#include "shell/StandInWindowFactory.h"
#include "settings/WindowRoles.h"

#include "platform/UserMessages.h"

#include <QVBoxLayout>

namespace testsupport {

class PropertiesPaneStandIn : public StandInWindow, public PropertiesPane {
public:
    PropertiesPaneStandIn(QWidget* parent, platform::WindowHandle mainFrame)
        : StandInWindow(QStringLiteral("Log data property window"), parent) {
        ReportFirstShowTo(mainFrame);
        m_map = new StandInWindow(QStringLiteral("Course map"), this);
        (new QVBoxLayout(this))->addWidget(m_map);
    }
    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return WindowHandle(); }
    platform::WindowHandle MapWindow() const override { return m_map->WindowHandle(); }
    std::u16string ShownMapPath() const override { return m_shownMapPath; }
    bool MapHasSegmentGroup() const override { return m_hasSegmentGroup; }

    StandInWindow& Map() { return *m_map; }
    void SetShownCourse(const std::u16string& mapPath, bool hasSegmentGroup) {
        m_shownMapPath = mapPath;
        m_hasSegmentGroup = hasSegmentGroup;
    }

private:
    StandInWindow* m_map;
    std::u16string m_shownMapPath;
    bool m_hasSegmentGroup = false;
};

class SegmentListPaneStandIn : public StandInWindow, public SegmentListPane {
public:
    SegmentListPaneStandIn(QWidget* parent, platform::WindowHandle mainFrame)
        : StandInWindow(QStringLiteral("Segment list"), parent) {
        ReportFirstShowTo(mainFrame);
        m_view = new StandInWindow(QStringLiteral("Segment times"), this);
        (new QVBoxLayout(this))->addWidget(m_view);
    }
    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return WindowHandle(); }
    platform::WindowHandle ViewHandle() const override { return m_view->WindowHandle(); }
    StandInWindow& View() { return *m_view; }

private:
    StandInWindow* m_view;
};

// The stand-in factory with the two panes above.
class ShellTestWindowFactory : public StandInWindowFactory {
public:
    PropertiesPane* CreatePropertiesPane(QWidget* parent, platform::WindowHandle mainFrame) override {
        return new PropertiesPaneStandIn(parent, mainFrame);
    }
    SegmentListPane* CreateSegmentListPane(QWidget* parent, platform::WindowHandle mainFrame) override {
        return new SegmentListPaneStandIn(parent, mainFrame);
    }
    // The shell's tests never open the viewer.
    void RunCourseMapViewer(QWidget*, platform::WindowHandle, const CourseRegistry&, int, const CourseBlock&) override {}
};

}  // namespace testsupport
