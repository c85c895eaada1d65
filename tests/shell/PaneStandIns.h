// The windows of other subsystems the shell's own tests stand in for: the docking panes keep what
// the main frame sends the properties pane, its small map and the segment list view, and answer
// for the shown course as the test sets it; the graph windows and the Y-scale dialog keep what
// they receive. The program's own windows are tested through tests/app.
#pragma once

#include "shell/StandInWindow.h"
#include "settings/ShellWindowFactory.h"
#include "settings/WindowRoles.h"

#include "platform/UserMessages.h"

#include "platform/MessageBus.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include <map>

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

// A lap overview or file overview window in its work-area view.
class GraphWindowStandIn : public StandInWindow, public GraphWindow {
public:
    GraphWindowStandIn(QWidget* view, int kind, int slot, bool restored)
        : StandInWindow(kind == kLapOverview ? QStringLiteral("Lap overview") : QStringLiteral("File overview"), view),
          m_kind(kind), m_slot(slot), m_restored(restored) {
        setGeometry(DefaultPlace(QSize()));
    }
    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return WindowHandle(); }
    QRect DefaultPlace(const QSize&) const override { return QRect(20 * m_slot, 20 * m_slot, 260, 160); }
    QRect RestoredPlace() const override { return QRect(); }
    void ShownInWorkArea(const QRect&) override {}
    int Kind() const { return m_kind; }
    int Slot() const { return m_slot; }
    bool Restored() const { return m_restored; }

private:
    int m_kind;
    int m_slot;
    bool m_restored;
};

// The Y-scale dialog: keeps its binding and, closed, tells the main frame (2092 with wParam 0).
class YScaleDialogStandIn : public StandInWindow, public YScaleWindow {
public:
    YScaleDialogStandIn(QWidget* parent, platform::WindowHandle mainFrame)
        : StandInWindow(QStringLiteral("Y AXIS"), parent), m_mainFrame(mainFrame) {
        setWindowFlags(Qt::Tool);
    }
    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return WindowHandle(); }
    void Shutdown() override {}
    platform::WindowPlacement Placement() const override { return platform::WindowPlacement::Of(*this); }
    int ChannelOf(platform::WindowHandle scaleView) override {
        const auto it = m_channels.find(scaleView);
        return it == m_channels.end() ? 0 : it->second;
    }
    void Bind(platform::WindowHandle scaleView, platform::WindowHandle lapOverview, int channel) override {
        m_scaleView = scaleView;
        m_lapOverview = lapOverview;
        m_channel = channel;
    }
    // Which channel a scale view shows, as the real dialog learns it from the view.
    void SetChannelOf(platform::WindowHandle scaleView, int channel) { m_channels[scaleView] = channel; }
    int BoundChannel() const { return m_channel; }
    platform::WindowHandle BoundLapOverview() const { return m_lapOverview; }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();  // the main frame deletes it when told
        platform::PostMessage(m_mainFrame, platform::UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 0,
                              platform::MakeLong(static_cast<std::uint32_t>(m_channel), 0));
    }

private:
    platform::WindowHandle m_mainFrame;
    std::map<platform::WindowHandle, int> m_channels;
    platform::WindowHandle m_scaleView = platform::kNoWindow;
    platform::WindowHandle m_lapOverview = platform::kNoWindow;
    int m_channel = 0;
};

// A factory of the stand-ins above, for the shell's own tests.
class ShellTestWindowFactory : public ShellWindowFactory {
public:
    YScaleWindow* CreateYScaleWindow(QWidget* parent, platform::WindowHandle mainFrame) override {
        return new YScaleDialogStandIn(parent, mainFrame);
    }
    GraphWindow* CreateGraphWindow(QWidget* view, platform::WindowHandle, int kind, int, int slot,
                                   bool restored) override {
        return new GraphWindowStandIn(view, kind, slot, restored);
    }
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

using testsupport::GraphWindowStandIn;
using testsupport::YScaleDialogStandIn;
