// The properties pane as a window: its creation, the layout of the drop-down list and the three
// splitter rows, focus, and the message map.
#include "properties/CPropertiesWnd.h"

#include "properties/CLapPropertyGridCtrl.h"
#include "properties/CPropertyView.h"
#include "properties/CViewSplitWnd.h"

#include "coursemap/CMapView.h"
#include "core/LapDataCore.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/AppSettings.h"
#include "settings/SettingsDefaults.h"

#include <QComboBox>
#include <QDockWidget>
#include <QFocusEvent>

#include <algorithm>
#include <utility>

using platform::LResult;
using platform::Message;

namespace {
constexpr int kMapRow = 2;
constexpr int kFirstLapRowsHeight = 60;
constexpr int kFirstMapHeight = 180;
constexpr int kMinLapRow = 20;
constexpr std::uint32_t kChannelMaskBits = (1u << properties::kChannelCount) - 1;

int LapNumberOf(const Message& m) { return platform::LoWord(static_cast<std::uint64_t>(m.lParam)); }
int RowOf(const Message& m) { return platform::HiWord(static_cast<std::uint64_t>(m.lParam)); }
// The value of a cursor message; none for a compared lap without a sample at the cursor.
std::optional<std::int32_t> ValueOf(const Message& m) {
    if (m.wParam == platform::kNoCursorValue)
        return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(m.wParam));
}
}  // namespace

CPropertiesWnd::CPropertiesWnd(QWidget* parent, orvelo::LapDataCore& core, AppSettings& settings,
                               platform::WindowHandle mainFrame, std::function<CursorWindow()> cursorWindow)
    : QWidget(parent), m_window(this), m_core(core), m_settings(settings), m_mainFrame(mainFrame),
      m_cursorWindow(std::move(cursorWindow)) {
    setObjectName(QStringLiteral("PropertiesPane"));
    setWindowTitle(QStringLiteral("Log data property window"));
    setFocusPolicy(Qt::ClickFocus);
    // The pane stays docked: it can be neither floated nor closed.
    if (auto* dock = qobject_cast<QDockWidget*>(parent))
        dock->setFeatures(QDockWidget::NoDockWidgetFeatures);

    m_combo = new QComboBox(this);
    m_combo->addItem(QStringLiteral("Parallel Values"));
    m_combo->setCurrentIndex(0);
    CreateSplitter();
    for (CLapPropertyGridCtrl* grid : {m_gridB, m_gridA}) {
        grid->SetBoldFont();
        grid->SetupColumns();
    }
    m_viewColors = OverviewWindowColors{};
    if (m_settings.Colors().LoadLapOverviewWndProp(&m_viewColors) != 0)
        m_viewColors = settings::kOverviewWindowDefaults;
    BuildChannelGroups();
    m_gridA->AddProperty(m_lapTimeGroup);
    m_gridA->AddProperty(m_distanceGroup);
    for (QWidget* child : {static_cast<QWidget*>(m_combo), static_cast<QWidget*>(m_gridA),
                           static_cast<QWidget*>(m_gridB), static_cast<QWidget*>(m_map)})
        child->installEventFilter(this);
    MapMessages();
    m_created = true;
    AdjustLayout();
}

CPropertiesWnd::~CPropertiesWnd() { m_window.Destroy(); }

void CPropertiesWnd::CreateSplitter() {
    m_splitter = new CViewSplitWnd(this);
    m_splitter->InitRowHeights();
    m_splitter->SetOwner(this);
    m_viewA = new CPropertyView;
    m_viewB = new CPropertyView;
    m_map = new CMapView(nullptr, m_core, m_settings, m_settings.SegmentGroups(), m_mainFrame);
    m_splitter->SetPane(0, 0, m_viewA);
    m_splitter->SetPane(1, 0, m_viewB);
    m_splitter->SetPane(kMapRow, 0, m_map);
    m_gridB = new CLapPropertyGridCtrl(m_viewB);
    m_gridA = new CLapPropertyGridCtrl(m_viewA);
    m_gridB->setObjectName(QStringLiteral("ChannelGrid"));
    m_gridA->setObjectName(QStringLiteral("LapGrid"));
    m_viewA->SetHostedGrid(m_gridA);
    m_viewB->SetHostedGrid(m_gridB);
    m_splitter->SetRowInfo(0, 80, kMinGridRow);
    m_splitter->SetRowInfo(1, 320, kMinGridRow);
    m_splitter->SetRowInfo(kMapRow, 100, kMinGridRow);
    m_splitter->RecalcLayout();
}

platform::WindowHandle CPropertiesWnd::MapWindow() const { return m_map->Handle(); }
std::u16string CPropertiesWnd::ShownMapPath() const { return m_map->ShownMapPath(); }
bool CPropertiesWnd::MapHasSegmentGroup() const { return m_map->HasSegmentGroup(); }

// ----- layout -----

void CPropertiesWnd::AdjustLayout() {
    if (!m_created || !m_splitter->isVisible())
        return;
    const int comboHeight = m_combo->sizeHint().height();
    m_combo->setGeometry(0, 0, width(), comboHeight);
    m_splitter->setGeometry(0, comboHeight, width(), std::max(0, height() - comboHeight));
    int lapRows = m_viewA->height();
    int channelRows = m_viewB->height();
    int mapRow = m_map->height();
    if (m_firstLayout) {
        // The first layout shares the whole client height, as if there were no list above.
        lapRows = kFirstLapRowsHeight;
        mapRow = kFirstMapHeight;
        channelRows = height() - kFirstLapRowsHeight - kFirstMapHeight;
        m_firstLayout = false;
    }
    m_splitter->SetRowInfo(0, lapRows, kMinLapRow);
    m_splitter->SetRowInfo(kMapRow, mapRow, kMinGridRow);
    m_splitter->SetRowInfo(1, std::max(channelRows, kMinGridRow), kMinGridRow);
    m_splitter->RecalcLayout();
    m_mapRowHeight = m_splitter->RowInfo(kMapRow).current;
}

void CPropertiesWnd::ResizeGrids() {
    // The grids follow their views; the map row's height is what a fit keeps.
    if (m_created && m_splitter->isVisible())
        m_mapRowHeight = m_splitter->RowInfo(kMapRow).current;
}

void CPropertiesWnd::FitLapGroup() {
    const int n = m_lapRowCount;
    CPropGridPropExt* group = ShownLapGroup();
    if (n <= 0 || !group)
        return;
    int measured = 0;
    if (const Rows* rows = ShownLapRows()) {
        for (CPropGridPropExt* row : *rows)
            measured += m_gridA->visualItemRect(row).height();
    }
    group->Expand(false);
    // Rows not laid out yet measure 0; every row of the grid has the same height.
    const int rowHeight = measured / n > 0 ? measured / n : m_gridA->RowHeight();
    m_splitter->SetRowInfo(0, LapGroupHeight(n, rowHeight), rowHeight);
    m_splitter->RecalcLayout();
    if (m_mapRowHeight > m_splitter->RowInfo(kMapRow).current) {
        // The map keeps the height the user gave it; the channel grid's row gives way.
        const int channelRows = m_splitter->height() - m_splitter->RowInfo(0).current - m_mapRowHeight -
                                2 * CViewSplitWnd::kBarSize;
        m_splitter->SetRowInfo(1, std::max(channelRows, kMinGridRow), kMinGridRow);
        m_splitter->RecalcLayout();
    }
    group->Show(true);
    group->Expand(true);
}

void CPropertiesWnd::FitStartLapRow() {
    m_splitter->SetRowInfo(0, kFirstLapRowsHeight, kMinLapRow);
    const int channelRows =
        m_splitter->height() - kFirstLapRowsHeight - m_splitter->RowInfo(kMapRow).current - 2 * CViewSplitWnd::kBarSize;
    m_splitter->SetRowInfo(1, std::max(channelRows, kMinGridRow), kMinGridRow);
    m_splitter->RecalcLayout();
}

void CPropertiesWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    AdjustLayout();
}

void CPropertiesWnd::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    AdjustLayout();
}

// ----- focus -----

void CPropertiesWnd::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_gridB->setFocus(event->reason());
    OnFirstFocus();
}

bool CPropertiesWnd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        OnFirstFocus();
    return QWidget::eventFilter(watched, event);
}

void CPropertiesWnd::OnFirstFocus() {
    // The main frame counts the panes that are up; this one tells it once, when first focused.
    if (m_dockingPanelPosted)
        return;
    m_dockingPanelPosted = true;
    platform::PostMessage(m_mainFrame, platform::UM_DOCKING_PANEL_CREATED, 0, static_cast<platform::LParam>(Handle()));
}

// ----- messages -----

void CPropertiesWnd::MapMessages() {
    using namespace platform;
    const auto result = [this](std::uint32_t id, LResult answer, std::function<void(const Message&)> action) {
        m_window.On(id, [answer, action = std::move(action)](const Message& m) {
            if (action)
                action(m);
            return answer;
        });
    };
    const auto value = [this](const Message& m) { OnCursorValue(m); };
    for (std::uint32_t id = UM_SET_RPM_DATA_VALUE; id <= UM_SET_ANGL_DATA_VALUE; ++id)
        result(id, 0, value);
    for (std::uint32_t id = UM_SET_ANALOG1_VALUE; id <= UM_SET_ANALOG5_VALUE; ++id)
        result(id, 0, value);
    result(UM_SET_DISTANCE_VALUE, 0, value);
    result(UM_SET_LAP_TIME_VALUE, 0, value);
    // A press in a graph pane: its values wait until it has placed its cursor, which a press that
    // finds no base-lap point does not.
    result(UM_CURSOR_PRESS_NOTIFY, 0, [this](const Message& m) {
        m_pressAxis = static_cast<int>(m.wParam);
        m_pressValues.clear();
    });
    m_window.On(UM_DRAW_MAP_ON_VIEW, [this](const Message& m) { return OnDrawMapOnView(m); });
    result(UM_REDRAW_LAP_GRAPH, 0, [this](const Message& m) {
        m_lapRowCount = static_cast<int>(std::min<std::uint64_t>(m.wParam, m_core.SelectedLaps.size()));
        m_pressAxis.reset();  // other laps: the values were of the laps before
        m_pressValues.clear();
        OnLapRowsChanged();
        m_splitter->update();
    });
    result(UM_RESET_LAP_LIST, 1, [this](const Message& m) {
        m_map->ResetCourse(static_cast<int>(m.lParam));
        if (m.lParam != 0)
            return;
        ClearAllValues();
        // The main frame tells the pane of compared laps only while there are some.
        if (orvelo::CountMarkedLaps(m_core) == 0)
            ShowStartGroups();
    });
    // The graph cursor whose values and marks the pane shows is gone.
    result(UM_STOP_TRACKING_PLOT, 0, [this](const Message&) {
        ClearAllValues();
        m_map->ClearCursorMarks();
        ShowActivatedWindow();
    });
    // The channels of the window activated; while a cursor is shown the rows stay its window's.
    result(UM_RESET_PROPERTY_CHANNEL_LIST, 0, [this](const Message& m) {
        m_lapRowCount = static_cast<int>(std::min<std::uint64_t>(m.wParam, m_core.SelectedLaps.size()));
        m_activatedMask = static_cast<std::uint32_t>(m.lParam) & kChannelMaskBits;
        const CursorWindow shown = ShownCursorWindow();
        m_channelMask = shown.handle != platform::kNoWindow ? shown.channelMask & kChannelMaskBits : m_activatedMask;
        // Rows built already for these laps and channels (each work area shown tells them again).
        if (m_lapTimeRows && m_lapRowCount == m_lastBuiltCount && m_channelMask == m_lastBuiltMask)
            return;
        // Over the same laps a cursor shown stays where it has rows.
        OnLapRowsChanged(true);
    });
    // The window whose cursor the pane shows drops it before it switches its axis: any other
    // window's axis leaves the pane as it is.
    result(UM_RESET_X_SCALE_VARIABLE, 0, [this](const Message& m) {
        m_activatedMode = static_cast<int>(m.wParam);
        if (m_activatedMode != m_xMode && ShownCursorWindow().handle == platform::kNoWindow)
            SetXAxisMode(m_activatedMode);
    });
    result(UM_CLOSE_SLIDING_PANEL, 1, {});
    result(UM_OPEN_SLIDING_PANEL, 1, {});
    result(UM_VIEW_READ_MAP_FILE, 0, [this](const Message& m) {
        m_map->ShowReadMapFile(static_cast<WindowHandle>(m.wParam));
    });
    result(UM_COLOR_SELECTED, 1, [this](const Message& m) {
        if (const auto* colors = BlockIn<OverviewWindowColors>(m, m.wParam))
            m_viewColors = *colors;
        RecolorChannelBackgrounds();
        ApplyGridColors();
        m_gridB->viewport()->update();
    });
    result(UM_COLOR_PROPERTY_SELECTED, 1, [this](const Message&) {
        RecolorChannelRows();
        m_gridB->viewport()->update();
    });
    // The lap colour dialog's block may be gone by now: the colours are read from the compared laps.
    result(UM_LAP_COLOR_PROPERTY, 1, [this](const Message&) {
        RecolorChannelLapColors();
        RecolorLapRows();
        m_gridB->viewport()->update();
        m_gridA->viewport()->update();
    });
    result(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 0, [this](const Message&) { UpdateChannelNames(); });
}

LResult CPropertiesWnd::OnDrawMapOnView(const Message& m) {
    using namespace platform;
    if (const auto* course = TypedBlockIn<CourseBlock>(m, m.lParam)) {
        m_map->SetCourse(m.wParam, course);
    } else if (const auto* info = BlockIn<MapInfoBlock>(m, m.lParam)) {
        const CourseBlock alone{*info, {}};
        m_map->SetCourse(m.wParam, &alone);
    } else {
        m_map->SetCourse(m.wParam, nullptr);
    }
    return 0;
}

void CPropertiesWnd::OnLapRowsChanged(bool keepValues) {
    RebuildRows(keepValues);
    ShowLapGroup(keepValues);
    FitLapGroup();
}

void CPropertiesWnd::OnCursorValue(const Message& m) {
    if (!m_pressAxis) {
        WriteCursorValue(m);
        return;
    }
    // The base lap's lap time comes after the main frame has taken the press's cursor as shown.
    if (m.id != platform::UM_SET_LAP_TIME_VALUE || RowOf(m) != 0) {
        m_pressValues.push_back(m);
        return;
    }
    OnCursorPlaced();
    for (const Message& held : std::exchange(m_pressValues, {}))
        WriteCursorValue(held);
    WriteCursorValue(m);
}

void CPropertiesWnd::WriteCursorValue(const Message& m) {
    const std::optional<std::int32_t> value = ValueOf(m);
    if (m.id == platform::UM_SET_DISTANCE_VALUE) {
        SetDistanceValue(LapNumberOf(m), RowOf(m), value);
    } else if (m.id == platform::UM_SET_LAP_TIME_VALUE) {
        SetLapTimeValue(LapNumberOf(m), RowOf(m),
                        value ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*value)) : std::nullopt);
    } else {
        SetChannelValue(properties::ChannelOfMessage(m.id), LapNumberOf(m), RowOf(m), value);
    }
}

void CPropertiesWnd::OnCursorPlaced() {
    const CursorWindow shown = ShownCursorWindow();
    const int mode = shown.handle != platform::kNoWindow ? shown.xMode : *m_pressAxis;
    m_pressAxis.reset();
    const std::uint32_t mask = shown.channelMask & kChannelMaskBits;
    if (shown.handle != platform::kNoWindow && mask != m_channelMask && m_lapTimeRows) {
        m_channelMask = mask;
        OnLapRowsChanged(true);
    }
    if (mode != m_xMode)
        SetXAxisMode(mode);
}

CursorWindow CPropertiesWnd::ShownCursorWindow() const { return m_cursorWindow ? m_cursorWindow() : CursorWindow{}; }

void CPropertiesWnd::ShowActivatedWindow() {
    if (m_activatedMask != 0 && m_activatedMask != m_channelMask && m_lapTimeRows) {
        m_channelMask = m_activatedMask;
        OnLapRowsChanged(true);
    }
    if (m_activatedMode != m_xMode)
        SetXAxisMode(m_activatedMode);
}

void CPropertiesWnd::SetXAxisMode(int mode) {
    m_xMode = mode;
    // The start groups stay until laps are compared; their rows then come in this axis's group.
    if (m_lapTimeRows)
        ShowLapGroup();
}
