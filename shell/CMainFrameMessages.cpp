// The main frame's message map: what it does itself with each private
// message and where it passes it on.
#include "shell/CMainFrame.h"

#include "settings/AppSettings.h"
#include "settings/SettingsBatch.h"
#include "settings/SettingsDefaults.h"
#include "shell/CChildFrame.h"
#include "shell/COrveloApp.h"
#include "shell/CourseMapSaver.h"
#include "shell/FileDialogRunners.h"
#include "shell/ShellDialogRunners.h"
#include "settings/ShellWindowFactory.h"
#include "shell/StatusPaneText.h"

#include "core/LapDataCore.h"
#include "core/LapSelection.h"
#include "core/PathSplit.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

#include <QDialog>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

#include <optional>
#include <utility>

using namespace platform;

namespace {
// The course in lParam, with its lap when the sender named it; nothing when the message carries none.
std::optional<CourseBlock> CourseIn(const Message& m) {
    if (const auto* course = TypedBlockIn<CourseBlock>(m, m.lParam))
        return *course;
    if (const auto* info = BlockIn<MapInfoBlock>(m, m.lParam))
        return CourseBlock{*info, {}};
    return std::nullopt;
}
}  // namespace

void CMainFrame::MapMessages() {
    const auto map = [this](std::uint32_t id, LResult (CMainFrame::*handler)(const Message&)) {
        m_window.On(id, [this, handler](const Message& m) { return (this->*handler)(m); });
    };
    m_window.On(UM_LAP_LIST_ALL_VIEW, [this](const Message& m) {
        platform::SendMessage(m_lapList ? m_lapList->Handle() : kNoWindow, m);
        return LResult{1};
    });
    map(UM_DRAW_MAP_ON_VIEW, &CMainFrame::OnDrawMapOnView);
    map(UM_REDRAW_LAP_GRAPH, &CMainFrame::OnRedrawLapGraph);
    m_window.On(UM_PLOT_GRAPH_CLOSED, [this](const Message&) {
        // The window reports its end; a window made since then is kept.
        if (!m_logTimeWidget) {
            m_logTime = nullptr;
            m_logTimeShown = 0;
            ReadFloatingPlacement(settings::kLogTimeWndPlace, &m_logTimePlacement);  // written as it went
        }
        return LResult{0};
    });
    map(UM_RESET_LAP_LIST, &CMainFrame::OnResetLapList);
    for (std::uint32_t id : {UM_RESET_X_SCALE_VARIABLE, UM_ZOOM_CONTROL_DIVISION_TIME, UM_SCALING_Y_AXIS_MAX_VALUE}) {
        m_window.On(id, [this](const Message& m) {
            PostToActiveWorkArea(m);
            return LResult{0};
        });
    }
    m_window.On(UM_DOCKING_PANEL_CREATED, [this](const Message&) {
        ++m_dockingPaneCounter;
        return LResult{1};
    });
    map(UM_CLOSE_LOGFILE_IN_GROUP, &CMainFrame::OnCloseLogfileInGroup);
    map(UM_REGIST_COURSE_MAP, &CMainFrame::OnRegistCourseMap);
    map(UM_VIEW_READ_MAP_FILE, &CMainFrame::OnViewReadMapFile);
    map(UM_ANALYSIS_LINE, &CMainFrame::OnAnalysisLine);
    map(UM_STOP_TRACKING_PLOT, &CMainFrame::OnStopTrackingPlot);
    m_window.On(UM_MDI_CHILD_ACTIVATE, [this](const Message&) {
        if (!m_app.WorkAreaWindowList().empty())
            ActivateWorkArea(m_app.WorkAreaWindowList().front());
        return LResult{0};
    });
    map(UM_COLOR_SELECTED, &CMainFrame::OnColorSelected);
    map(UM_COLOR_PROPERTY_SELECTED, &CMainFrame::OnColorPropertySelected);
    m_window.On(UM_LAP_COLOR_PROPERTY, [this](const Message& m) {
        RunLapColorDialog(this, static_cast<WindowHandle>(m.wParam), m_properties ? m_properties->MapWindow() : kNoWindow,
                          m_app.Settings().Colors().LapColorTable());
        RepaintLoggingTime();  // it reads its lap numbers' colours when it paints
        return LResult{0};
    });
    m_window.On(UM_MAP_PROPERTY, [this](const Message& m) {
        RunMapPropertyDialog(this, static_cast<WindowHandle>(m.wParam), m_mapViewProperty, m_app.Settings().Colors());
        return LResult{0};
    });
    map(UM_RESET_SEGMENT_COLOR, &CMainFrame::OnResetSegmentColor);
    m_window.On(UM_SEGMENT_EDIT_DIALOG_POPUP, [this](const Message& m) {
        if (const std::optional<CourseBlock> course = CourseIn(m)) {
            m_viewerSavedGroup = false;
            m_app.Factory().RunCourseMapViewer(this, Handle(), *this, static_cast<int>(m.wParam), *course);
        }
        return LResult{0};
    });
    map(UM_SEGMENT_EDIT_REPLACE, &CMainFrame::OnSegmentEditReplace);
    m_window.On(UM_SAVE_SEGMENT_GROUP_INFO, [this](const Message&) {
        m_viewerSavedGroup = true;
        m_app.LoadSegmentGroups();
        return LResult{1};
    });
    map(UM_EDITING_SEGMENT_INFO_VIEW_INIT, &CMainFrame::OnEditingSegmentInfoViewInit);
    map(UM_MAP_PATH_CONTROL, &CMainFrame::OnMapPathControl);
    map(UM_GET_MAP_ON_VIEW_EDIT_SEGMENT_INFO, &CMainFrame::OnGetMapOnViewEditSegmentInfo);
    for (std::uint32_t id : {UM_ZOOM_CONTROL, UM_SCROLL_CONTROL_ON_ZOOM, UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE}) {
        m_window.On(id, [this](const Message& m) {
            PostToActiveWorkArea(WithId(m, UM_ZOOM_CONTROL));
            return LResult{0};
        });
    }
    m_window.On(UM_GET_OVERLAP_GRAPH_STATUS, [this](const Message& m) {
        m_graphStatus = static_cast<int>(static_cast<std::int64_t>(m.wParam));
        m_zoomToolBar->show();
        return LResult{0};
    });
    map(UM_PUT_LOGGING_TIME, &CMainFrame::OnPutLoggingTime);
    map(UM_CLOCK_TIME_WINDOW_VIEW, &CMainFrame::OnClockTimeWindowView);
    map(UM_POPUP_VARIABLE_Y_SCALE_DIALOG, &CMainFrame::OnPopupVariableYScaleDialog);
    map(UM_SAVE_CHANNEL_MAX_VALUE, &CMainFrame::OnSaveChannelMaxValue);
    m_window.On(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, [this](const Message& m) {
        RelayToWorkAreas(m, m.wParam, m.lParam);
        PostMessage(PropertiesHandle(), m);
        return LResult{1};
    });
    map(UM_SET_VARIABLE_SCALE_CONTROL_VALUE, &CMainFrame::OnSetVariableScaleControlValue);
    map(UM_ACTIVATE_LAP_OVERVIEW_WINDOW, &CMainFrame::OnActivateLapOverviewWindow);
    map(UM_CHANGED_GLOBAL_MAP_DRAW_MODE, &CMainFrame::OnChangedGlobalMapDrawMode);
}

// ----- delivery -----

WindowHandle CMainFrame::ActiveViewHandle() const {
    return m_activeWorkArea ? m_activeWorkArea->ViewHandle() : kNoWindow;
}

WindowHandle CMainFrame::PropertiesHandle() const { return m_properties ? m_properties->Handle() : kNoWindow; }

WindowHandle CMainFrame::SegmentListViewHandle() const {
    return m_segmentList ? m_segmentList->ViewHandle() : kNoWindow;
}

void CMainFrame::PostToActiveWorkArea(const Message& message) { PostMessage(ActiveViewHandle(), message); }

void CMainFrame::RelayToWorkAreas(const Message& message, WParam wOthers, LParam lOthers) {
    PostToActiveWorkArea(message);
    const auto& frames = m_app.WorkAreaWindowList();
    if (frames.size() < 2)
        return;
    for (CChildFrame* frame : frames) {
        if (frame != m_activeWorkArea)
            PostMessage(frame->ViewHandle(), WithParams(message, wOthers, lOthers));
    }
}

// The first group of the application's list whose map path is exactly the
// one of the course the small map shows; false (copy cleared) when none is.
bool CMainFrame::PickSegmentGroup() {
    m_segmentGroup = orvelo::SegmentGroup{};
    const std::u16string shown = m_properties ? m_properties->ShownMapPath() : std::u16string();
    for (const orvelo::SegmentGroup& group : m_app.SegmentGroups()) {
        if (group.mapPath == shown) {
            m_segmentGroup = group;
            return true;
        }
    }
    return false;
}

// The placement a floating window wrote when it closed becomes the frame's copy.
void CMainFrame::ReadFloatingPlacement(const QString& valueName, WindowPlacementRec* copy) {
    WindowPlacementRec written;
    if (m_app.Settings().Store().ReadRecord(settings::SubKeyPath(settings::kWindowViewInfo), valueName, &written) == 0)
        *copy = written;
}

// ----- handlers -----

LResult CMainFrame::OnDrawMapOnView(const Message& m) {
    PostMessage(PropertiesHandle(), m);
    if (m.wParam != 0) {
        ShowMessageBox(this, QStringLiteral("ERROR , Cannot create course-map, No data!!"), QStringLiteral("ERROR"),
                       kMbIconError);
        return 0;
    }
    RelayToWorkAreas(m, 0, m.lParam);
    PostMessage(Handle(), WithParams(WithId(m, UM_MAP_PATH_CONTROL), 0, m.lParam));
    PostMessage(SegmentListViewHandle(), UM_SEGMENT_EDIT_REPLACE, 0, 0);
    PostMessage(Handle(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 4, 0);
    return 1;
}

LResult CMainFrame::OnRedrawLapGraph(const Message& m) {
    if (m.lParam == 1)
        return 1;
    ++m_app.Core().ComparedLapsRedraws;  // the active work area's windows take it now, the others when shown
    const int count = orvelo::CountMarkedLaps(m_app.Core());
    if (count != 0)
        platform::SendMessage(PropertiesHandle(), UM_REDRAW_LAP_GRAPH, static_cast<WParam>(count),
                              static_cast<LParam>(Handle()));
    PostToActiveWorkArea(m);
    if (m_logTimeShown != 0 && LoggingTimeWindow())
        PostMessage(m_logTime->Handle(), m);
    return 1;
}

LResult CMainFrame::OnResetLapList(const Message& m) {
    const int x = m.lParam != 0 ? 1 : orvelo::UpdateBaseLap(m_app.Core());
    PostMessage(Handle(), WithId(m, UM_REDRAW_LAP_GRAPH));
    PostMessage(PropertiesHandle(), m);
    platform::SendMessage(m_lapList ? m_lapList->Handle() : kNoWindow, UM_RESET_LAP_LIST, static_cast<WParam>(x),
                          m.lParam);
    return 1;
}

LResult CMainFrame::OnCloseLogfileInGroup(const Message& m) {
    const auto* text = BlockIn<std::u16string>(m, m.lParam);
    if (!text)
        return 0;
    const int result =
        RunFileClosingDialog(m_app, this, static_cast<int>(m.wParam), QString::fromStdU16String(*text), 0);
    return result == QDialog::Rejected ? 0 : 1;
}

LResult CMainFrame::OnRegistCourseMap(const Message& m) {
    CourseMapSaver saver(m_app.Core(), m_app.Settings().Profile(), m_app.DesktopFolder());
    const auto* course = TypedBlockIn<CourseBlock>(m, m.lParam);
    const int written = saver.Save(this, static_cast<int>(m.wParam), BlockIn<MapInfoBlock>(m, m.lParam),
                                   course ? &course->lap : nullptr, m_lastMapFolder);
    if (written == 1)
        m_lastMapFile = saver.WrittenPath();
    return written;
}

LResult CMainFrame::OnViewReadMapFile(const Message& m) {
    if (m_app.Core().MapFiles.empty())
        return 1;
    if (m.wParam == 0) {
        platform::SendMessage(PropertiesHandle(), UM_VIEW_READ_MAP_FILE,
                              static_cast<WParam>(m_lapList ? m_lapList->Handle() : kNoWindow), m.lParam);
    } else if (PickSegmentGroup()) {
        const Message group = MessageWithBlockInWParam(UM_VIEW_READ_MAP_FILE, m_segmentGroup, 1);
        RelayToWorkAreas(group, group.wParam, 1);
        PostMessage(SegmentListViewHandle(), group);
    } else {
        RelayToWorkAreas(WithParams(m, 0, 0), 0, 0);
        PostMessage(Handle(), WithParams(WithId(m, UM_MAP_PATH_CONTROL), 0, static_cast<LParam>(m.wParam)));
        PostMessage(SegmentListViewHandle(), UM_VIEW_READ_MAP_FILE, 0, 0);
    }
    PostMessage(Handle(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 4, 1);
    return 1;
}

LResult CMainFrame::OnAnalysisLine(const Message& m) {
    const auto* point = BlockIn<GraphPoint>(m, m.lParam);
    if (!point)
        return 0;
    m_lastCursor = *point;
    m_cursorOwner = static_cast<WindowHandle>(m.wParam);
    // A record sent from the sender's storage goes on as the frame's copy: the
    // picking pane may be gone before the last hop is handled.
    const Message copy = m.payload ? m : MessageWithBlock(UM_ANALYSIS_LINE, m.wParam, m_lastCursor);
    RelayToWorkAreas(copy, 0, copy.lParam);
    return 0;
}

// A lap overview dropped its cursor (its handle in wParam): when the properties
// pane, its map, the other lap overviews and the logging-time window show that
// cursor, they stop showing it.
LResult CMainFrame::OnStopTrackingPlot(const Message& m) {
    const auto owner = static_cast<WindowHandle>(m.wParam);
    if (owner == kNoWindow || owner != m_cursorOwner)
        return 0;
    m_cursorOwner = kNoWindow;
    platform::SendMessage(PropertiesHandle(), UM_STOP_TRACKING_PLOT, 0, 0);
    RelayToWorkAreas(WithParams(m, m.wParam, 0), m.wParam, 0);
    RepaintLoggingTime();  // its times are of that cursor
    return 1;
}

LResult CMainFrame::OnColorSelected(const Message& m) {
    const auto* colors = BlockIn<OverviewWindowColors>(m, m.wParam);
    if (!colors)
        return 0;
    m_overviewColors = *colors;
    const Message copy = m.payload ? m : MessageWithBlockInWParam(UM_COLOR_SELECTED, m_overviewColors, m.lParam);
    RelayToWorkAreas(copy, copy.wParam, 0);
    platform::SendMessage(PropertiesHandle(), WithParams(copy, copy.wParam, 0));
    return 0;
}

LResult CMainFrame::OnColorPropertySelected(const Message& m) {
    const auto* property = BlockIn<ChannelColorProperty>(m, m.wParam);
    if (!property)
        return 0;
    const Message copy = m.payload ? m : MessageWithBlockInWParam(UM_COLOR_PROPERTY_SELECTED, *property, m.lParam);
    RelayToWorkAreas(copy, copy.wParam, 0);
    platform::SendMessage(PropertiesHandle(), WithParams(copy, copy.wParam, 0));
    return 0;
}

LResult CMainFrame::OnResetSegmentColor(const Message& m) {
    // A map window may send its block along; it becomes the frame's copy.
    if (const auto* property = BlockIn<MapViewProperty>(m, m.lParam))
        m_mapViewProperty = *property;
    const Message copy = MessageWithBlock(UM_RESET_SEGMENT_COLOR, m.wParam, m_mapViewProperty);
    RelayToWorkAreas(copy, 0, copy.lParam);
    return 0;
}

LResult CMainFrame::OnSegmentEditReplace(const Message& m) {
    const WindowHandle map = m_properties ? m_properties->MapWindow() : kNoWindow;
    const bool groupSaved = std::exchange(m_viewerSavedGroup, false);
    if (m.lParam != 0) {
        platform::SendMessage(map, UM_SEGMENT_EDIT_REPLACE, m.wParam, 0);
        // Cancel takes back the turns, not a Save: a group saved is passed on as with OK.
        if (!groupSaved)
            return 0;
    }
    if (!PickSegmentGroup()) {
        if (m.lParam == 0)
            platform::SendMessage(map, UM_SEGMENT_EDIT_REPLACE, m.wParam, 2);
        PostMessage(SegmentListViewHandle(), UM_SEGMENT_EDIT_REPLACE, 0, 0);
        return 0;
    }
    const Message group = MessageWithBlockInWParam(UM_SEGMENT_EDIT_REPLACE, m_segmentGroup, 1);
    platform::SendMessage(map, group);
    RelayToWorkAreas(group, group.wParam, 1);
    PostMessage(SegmentListViewHandle(), group);
    return 1;
}

LResult CMainFrame::OnEditingSegmentInfoViewInit(const Message& m) {
    switch (m.wParam) {
    case 1:
        return m_properties && m_properties->MapHasSegmentGroup() ? 1 : 0;
    case 3:
    case 4:
        // The requester gets the group as a segment group is handed over everywhere:
        // the record in wParam and 1.
        PickSegmentGroup();
        platform::SendMessage(static_cast<WindowHandle>(m.lParam),
                              MessageWithBlockInWParam(UM_SEGMENT_EDIT_REPLACE, m_segmentGroup, 1));
        return 1;
    default:
        return 1;
    }
}

LResult CMainFrame::OnMapPathControl(const Message& m) {
    if (m.wParam == 1)
        return 1;
    const auto* course = BlockIn<MapInfoBlock>(m, m.lParam);
    if (!course)
        return 0;
    m_currentCourse = *course;
    if (m_currentCourse.CourseName().empty()) {
        const std::u16string title = orvelo::GetFileTitleFromPath(m_currentCourse.Path());
        MapInfoBlock::Put(m_currentCourse.courseName.data(), MapInfoBlock::kCourseNameChars,
                          std::u16string_view(title).substr(0, MapInfoBlock::kCourseNameChars - 1));
    }
    return 1;
}

LResult CMainFrame::OnGetMapOnViewEditSegmentInfo(const Message&) {
    if (!m_properties || !m_properties->MapHasSegmentGroup() || !PickSegmentGroup()) {
        ShowMessageBox(this, QStringLiteral("Warning , Nothing segment info"), QStringLiteral("WARN"),
                       kMbIconWarning);
        return 0;
    }
    PostMessage(SegmentListViewHandle(), MessageWithBlockInWParam(UM_SEGMENT_EDIT_REPLACE, m_segmentGroup, 1));
    return 1;
}

// The pane's cursor list (one record per compared lap) travels as the
// message's payload; the window gets each record in order.
LResult CMainFrame::OnPutLoggingTime(const Message& m) {
    if (m_logTimeShown == 0 || !LoggingTimeWindow())
        return 0;
    if (const auto* points = BlockIn<std::vector<GraphPoint>>(m, m.lParam)) {
        m_cursorRecords = *points;  // a lap left out has no point under the cursor: its row shows no time
        const std::vector<GraphPoint> list = *points;
        for (const GraphPoint& point : list) {
            if (!LoggingTimeWindow())
                break;
            platform::SendMessage(m_logTime->Handle(), UM_PUT_LOGGING_TIME, m.wParam,
                                  reinterpret_cast<LParam>(&point));
        }
    }
    return 1;
}

LResult CMainFrame::OnClockTimeWindowView(const Message&) {
    SettingsStore& store = m_app.Settings().Store();
    if (store.ReadRecord(settings::SubKeyPath(settings::kWindowViewInfo), settings::kLogTimeWndPlace,
                         &m_logTimePlacement) != 0)
        m_logTimePlacement = WindowPlacementRec{};
    std::int32_t shown = 0;
    const bool read = m_app.LogTimeWndViewSetting(0, &shown) == 0;
    m_logTimeShown = shown;
    if (read && shown != 0) {
        m_logTimeShown = 0;
        OnLoggingTime();
    }
    return 0;
}

LResult CMainFrame::OnPopupVariableYScaleDialog(const Message& m) {
    const auto scaleView = static_cast<WindowHandle>(m.wParam);
    if (scaleView != kNoWindow) {
        if (YScaleDialog()) {
            const int channel = m_yScale->ChannelOf(scaleView);
            if (channel == m_yScaleChannel)
                return 0;
            m_yScale->Bind(scaleView, static_cast<WindowHandle>(m.lParam), channel);
            m_yScaleLapOverview = static_cast<WindowHandle>(m.lParam);
            PostMessage(m_yScale->Handle(), UM_ACTIVATE_LAP_OVERVIEW_WINDOW, static_cast<WParam>(channel), 0);
            m_yScaleChannel = channel;
            return 0;
        }
        m_yScale = m_app.Factory().CreateYScaleWindow(this, Handle());
        m_yScaleWidget = m_yScale ? m_yScale->Widget() : nullptr;
        if (!m_yScaleWidget) {
            m_yScale = nullptr;  // could not be made: nothing to bind
            return 0;
        }
        m_yScaleChannel = m_yScale->ChannelOf(scaleView);
        m_yScale->Bind(scaleView, static_cast<WindowHandle>(m.lParam), m_yScaleChannel);
        m_yScaleWidget->show();
        m_yScaleLapOverview = static_cast<WindowHandle>(m.lParam);
        return 0;
    }
    m_yScaleChannel = 0;
    ReadFloatingPlacement(settings::kScaleControlWndPlace, &m_yScalePlacement);  // written as it went
    for (int channel : m_scaleBackup.RestoreAll(m_app.Settings().Channels().ChannelValueTable()))
        PostMessage(ActiveViewHandle(), UM_SET_VARIABLE_SCALE_CONTROL_VALUE, static_cast<WParam>(channel), 0);
    if (m_yScaleWidget)
        m_yScaleWidget->deleteLater();
    m_yScaleWidget.clear();
    m_yScale = nullptr;
    return 0;
}

LResult CMainFrame::OnSaveChannelMaxValue(const Message& m) {
    ChannelSettings& channels = m_app.Settings().Channels();
    const int channel = static_cast<int>(m.wParam);
    if (m.lParam == 0) {
        // Only this channel is written: other channels may hold unsaved previews.
        if (channel < 1 || channel > VariableScaleBackup::kChannels || channels.ChannelMaxValueSetting(1, channel) != 0)
            return 0;
        m_scaleBackup.Commit(channel);
        return 1;
    }
    SettingsBatch batch(m_app.Settings().Store());
    for (int n = 1; n <= settings::kNamedChannelCount; ++n) {
        if (channels.ChannelNameSetting(1, n) != 0)
            return 0;
    }
    return channels.SaveChannelValueTable() == 0 && batch.End() == 0 ? 1 : 0;
}

LResult CMainFrame::OnSetVariableScaleControlValue(const Message& m) {
    const int channel = static_cast<int>(m.wParam);
    if (!m_scaleBackup.Apply(m_app.Settings().Channels().ChannelValueTable(), channel, LoWordSigned(m.lParam),
                             HiWordSigned(m.lParam)))
        return 0;
    PostToActiveWorkArea(m);
    return 1;
}

LResult CMainFrame::OnActivateLapOverviewWindow(const Message& m) {
    const auto lapOverview = static_cast<WindowHandle>(m.wParam);
    if (YScaleDialog() && lapOverview != m_yScaleLapOverview) {
        PostMessage(m_yScale->Handle(), UM_ACTIVATE_LAP_OVERVIEW_WINDOW, 0, static_cast<LParam>(lapOverview));
        m_yScaleLapOverview = lapOverview;
    }
    return 1;
}

LResult CMainFrame::OnChangedGlobalMapDrawMode(const Message& m) {
    const int pane = static_cast<int>(m.wParam);
    QLabel* label = StatusPane(pane);
    const std::int32_t globalMode = m_app.Settings().Channels().MapDrawMode();
    QString text;
    if (pane == 5) {
        text = MapDrawModeText(globalMode);
        ++m_mapDrawModeChanges;
    } else if (pane == 4) {
        text = m.lParam == 1 ? QStringLiteral(" Map file") : QStringLiteral(" Log file");
    } else {
        text = MapDrawModeText(m.lParam < 1 ? globalMode : static_cast<std::int32_t>(m.lParam));
    }
    if (!label)
        return 0;  // no such status pane
    label->setText(text);
    return 1;
}
