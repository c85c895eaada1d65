#include "graphs/CLapOverviewDlg.h"

#include "graphs/CAxisSplitterWnd.h"
#include "graphs/CChannel_Ctl_Dlg.h"
#include "graphs/CDlgGrafView.h"
#include "graphs/CLScaleView.h"
#include "graphs/CxSplitterWnd.h"
#include "graphs/GraphChannelTable.h"
#include "graphs/GraphRecords.h"
#include "graphs/GraphHost.h"
#include "graphs/CSegSplitterWnd.h"

#include "core/LapSelection.h"
#include "core/LapStatistics.h"
#include "platform/MessageBus.h"
#include "platform/ModalDialog.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"
#include "platform/WindowPlacement.h"
#include "settings/AppSettings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMenu>
#include <QScopedValueRollback>
#include <QStyle>

#include <utility>

using namespace platform;

namespace {

// The frame of a sub-window as the style draws it.
graphs::FrameMetrics StyleMetrics(const QWidget& window) {
    const QStyle* style = window.style();
    const int frame = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    return {style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window), frame, frame};
}

} // namespace

CLapOverviewDlg::CLapOverviewDlg(GraphHost& host, QWidget* viewWidget, WindowHandle view, int workAreaNumber,
                                 int slot, bool restored)
    : QMdiSubWindow(nullptr), m_host(host), m_window(this), m_viewWidget(viewWidget), m_view(view),
      m_workArea(workAreaNumber), m_slot(slot) {
    setObjectName(QStringLiteral("CLapOverviewDlg"));
    setWindowTitle(QStringLiteral("Lap overview"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_client = new QWidget;
    m_client->setObjectName(QStringLiteral("LapOverviewClient"));
    setWidget(m_client);
    WatchClicks(m_client);
    m_activation = connect(this, &QMdiSubWindow::windowStateChanged, this,
                           [this](Qt::WindowStates, Qt::WindowStates now) { OnActivated(now.testFlag(Qt::WindowActive)); });
    m_metrics = StyleMetrics(*this);
    MapMessages();
    Start(viewWidget, restored);
}

// The sub-window still reports its deactivation while it is taken down: by then this window is gone.
CLapOverviewDlg::~CLapOverviewDlg() {
    disconnect(m_activation);
    m_ready = false;
    // A window closed drops its cursor: what shows it elsewhere stops showing it.
    PostMessage(m_host.MainFrame(), UM_STOP_TRACKING_PLOT, static_cast<WParam>(Handle()), 0);
    m_window.Destroy();
}

void CLapOverviewDlg::Start(QWidget* viewWidget, bool restored) {
    const int viewWidth = viewWidget ? viewWidget->width() : 0;
    m_place = graphs::FirstPlacement(viewWidth, m_slot);
    if (restored)
        RestoreLayout();
    ColorSettings& colors = m_host.Settings().Colors();
    if (colors.LoadLapOverviewWndProp(&m_colors) != 0)
        m_colors = settings::kOverviewWindowDefaults;
    for (int channel = 1; channel <= graphs::kChannelCount; ++channel) {
        ChannelColorProperty& block = m_channelColors[static_cast<std::size_t>(channel - 1)];
        if (colors.LoadChannelColorRecord(channel, &block) != 0)
            block = ChannelColorProperty{};
    }
    m_segmentMode = SendMessage(m_host.MainFrame(), UM_EDITING_SEGMENT_INFO_VIEW_INIT, 1,
                                static_cast<LParam>(Handle())) != 0 ? 1 : 0;
    m_room = LabelRoom();
    m_areas = graphs::ComputeAreas(m_place.width(), m_place.height(), m_metrics, m_room);
    m_redrawsTaken = m_host.Core().ComparedLapsRedraws;
    CheckBaseLap();
    const bool baseLap = !m_baseLapFiles.empty();
    if (baseLap)
        TakeBaseLap();
    PostMessage(m_host.MainFrame(), UM_GET_OVERLAP_GRAPH_STATUS, baseLap ? 1 : 0, static_cast<LParam>(Handle()));
    BuildChannelSplitter(graphs::ChannelCount(m_mask));
    BuildAxisSplitter();
    SetSegmentStrip(std::make_unique<CSegSplitterWnd>(m_host, m_client));
    setGeometry(m_place);
    m_ready = true;
    OnLabelRoomChanged();
}

// The saved layout is taken only when the window's record, its row heights
// and every row's pane record were read; what does not hold together is left.
bool CLapOverviewDlg::RestoreLayout() {
    if (LoadLayout() != 0)
        return false;
    const graphs::RestoredLayout layout = graphs::SaneLayout(m_record, m_savedHeights);
    m_storedHeights = std::move(m_savedHeights);
    m_savedHeights.clear();
    SettingsStore& store = m_host.Settings().Store();
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    for (int row = 0; row < layout.rows; ++row) {
        graphs::ChannelViewProp pane;
        if (store.ReadRecord(key, settings::NumberedName(settings::kChanelViewProp, m_workArea, m_slot, row), &pane) != 0)
            return false;
    }
    m_mask = layout.mask;
    m_zoom.SetMode(layout.xAxisMode);
    // A place too small for the rows keeps the first one; any other keeps its size where the screen
    // holds it and is brought into reach by the work area once that is laid out.
    const auto stored = platform::StoredRect(m_record.left, m_record.top, m_record.right, m_record.bottom);
    if (layout.placed && stored && graphs::HoldsRows(layout.place.size(), layout.rows, m_metrics, LabelRoom())) {
        m_place = platform::SizedForScreen(*stored, m_viewWidget);
        m_restoredPlace.Restore({m_record.left, m_record.top, m_record.right, m_record.bottom}, *stored, m_place);
    }
    m_savedHeights.assign(layout.heights.begin(), layout.heights.end());
    m_loadPaneRecords = true;
    return true;
}

void CLapOverviewDlg::SetFrameMetrics(const graphs::FrameMetrics& metrics) {
    m_metrics = metrics;
    Relayout();
}

void CLapOverviewDlg::SetSegmentStrip(std::unique_ptr<LapOverviewSegmentStrip> strip) {
    m_strip = std::move(strip);
    if (!m_strip)
        return;
    if (m_strip->Widget()) {
        m_strip->Widget()->setParent(m_client);
        m_strip->Widget()->show();
    }
    BuildSegmentStrip(true);
}

const ChannelColorProperty& CLapOverviewDlg::ChannelColors(int channel) const {
    return m_channelColors.at(static_cast<std::size_t>(std::clamp(channel, 1, graphs::kChannelCount) - 1));
}

// ----- layout -----

void CLapOverviewDlg::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    Relayout();
}

void CLapOverviewDlg::Relayout() {
    if (!m_ready || !m_channels || m_relayingOut)
        return;
    const QScopedValueRollback busy(m_relayingOut, true);
    m_room = LabelRoom();
    m_areas = graphs::ComputeAreas(width(), height(), m_metrics, m_room);
    m_channels->setGeometry(m_areas.channels);
    SetRowHeights();
    // The rows' heights choose their labels, and so the width the scale column needs.
    if (LabelRoom() != m_room) {
        m_room = LabelRoom();
        m_areas = graphs::ComputeAreas(width(), height(), m_metrics, m_room);
    }
    SetColumnWidths();
    if (m_axis) {
        m_axis->setGeometry(m_areas.xAxis);
        m_axis->SetRowHeights(std::max(5, m_areas.xAxis.height()), 1);
    }
    if (m_strip)
        m_strip->Relayout(m_areas.segments);
}

// The rows share the channel area; saved heights are taken once, when the window is first shown.
void CLapOverviewDlg::SetRowHeights() {
    const int height = m_areas.channels.height();
    m_channels->SetRowHeights(graphs::RowIdealHeight(height, RowCount()), graphs::RowMinimumHeight(height),
                              m_savedHeights);
    if (isVisible() && !m_savedHeights.empty()) {
        m_savedHeights.clear();
        m_shownHeights = m_channels->RowHeights();
    }
}

void CLapOverviewDlg::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    if (!m_savedHeights.empty() && m_channels)
        SetRowHeights();
    m_standsNormal = StandsNormal();
}

void CLapOverviewDlg::hideEvent(QHideEvent* event) {
    LeaveNormal();
    QMdiSubWindow::hideEvent(event);
}

bool CLapOverviewDlg::StandsNormal() const {
    return isVisible() && !(windowState() & kAway);
}

// Maximised or minimised, the window keeps the place, rows and pane heights it comes back to when
// restored: those it stores. They are taken only from the window as it last stood shown and normal, as it
// is hidden, maximised or minimised; the area sends state changes of its own while a tab switch hides and
// shows it, and sizes a maximised window to whatever the hidden area has.
void CLapOverviewDlg::LeaveNormal() {
    if (!std::exchange(m_standsNormal, false))
        return;
    m_normalPlace = geometry();
    m_normalHeights = m_channels ? m_channels->RowHeights() : std::vector<int>{};
    m_normalPaneHeights.clear();
    for (const Row& row : m_rows)
        m_normalPaneHeights.push_back(row.graph ? row.graph->height() : 0);
}

void CLapOverviewDlg::changeEvent(QEvent* event) {
    const bool stateChange = event->type() == QEvent::WindowStateChange;
    if (stateChange && (windowState() & kAway))
        LeaveNormal();
    QMdiSubWindow::changeEvent(event);
    if (stateChange)
        m_standsNormal = StandsNormal();
}

void CLapOverviewDlg::SetColumnWidths() {
    if (m_channels)
        m_channels->SetLeftColumnWidth(graphs::ScaleColumnWidth(m_areas.channels.width(), m_room));
}

// The rows' least scale width; the X scale's least height with the bar and the empty pane the axis
// splitter keeps below it.
graphs::LabelRoom CLapOverviewDlg::LabelRoom() const {
    graphs::LabelRoom room;
    for (const Row& row : m_rows) {
        if (row.scale)
            room.scaleColumn = std::max(room.scaleColumn, row.scale->LeastWidth());
    }
    room.xAxisHeight = CLScaleView::LeastXScaleHeight() + CxSplitterWnd::kRowGap + 1;
    return room;
}

// Only the scale column follows: the rows keep the heights they have.
void CLapOverviewDlg::OnLabelRoomChanged() {
    if (!m_ready || !m_channels || m_relayingOut || LabelRoom() == m_room)
        return;
    m_room = LabelRoom();
    m_areas = graphs::ComputeAreas(width(), height(), m_metrics, m_room);
    SetColumnWidths();
    if (m_axis)
        m_axis->setGeometry(m_areas.xAxis);
    if (m_strip)
        m_strip->Relayout(m_areas.segments);
}

void CLapOverviewDlg::BuildChannelSplitter(int rows) {
    rows = std::clamp(rows, 1, graphs::kMaxRows);
    if (m_channels && rows > 8 && m_viewWidget) {
        // Many rows: nearly the whole view, at the stored left as both x and y.
        const QSize view = m_viewWidget->size();
        m_place = QRect(m_place.left(), m_place.left(), view.width() / 25 * 24, view.height() / 25 * 24);
        setGeometry(m_place);
        m_areas = graphs::ComputeAreas(m_place.width(), m_place.height(), m_metrics, m_room);
    }
    const bool ready = m_ready;
    m_ready = false;
    auto* splitter = new CxSplitterWnd(rows, Handle(), m_client);
    std::vector<Row> built;
    const std::vector<int> channels = graphs::ChannelsOf(m_mask);
    for (int row = 0; row < rows; ++row)
        built.push_back(MakeRow(row, row < static_cast<int>(channels.size()) ? channels[row] : 0, nullptr));
    for (int row = 0; row < rows; ++row)
        splitter->SetPanes(row, built[static_cast<std::size_t>(row)].scale, built[static_cast<std::size_t>(row)].graph);
    splitter->setGeometry(m_areas.channels);
    splitter->SetLeftColumnWidth(graphs::ScaleColumnWidth(m_areas.channels.width(), m_room));
    splitter->show();
    delete m_channels;
    m_channels = splitter;
    m_rows = std::move(built);
    SetRowHeights();
    for (const Row& row : m_rows) {
        if (row.graph && m_loadPaneRecords)
            SendMessage(row.graph->Handle(), UM_REGISTER_WND_PROPERTY, 0,
                        MakeLong(static_cast<std::uint32_t>(m_workArea), static_cast<std::uint32_t>(m_slot)));
        if (row.graph)
            row.graph->Redraw();
        if (row.scale)
            row.scale->OnInitialUpdate();
    }
    m_channels->SetReady(true);
    m_loadPaneRecords = false;
    m_ready = ready;
    GiveChannelsToProperties();
}

void CLapOverviewDlg::RenderRowPictures() {
    std::vector<CDlgGrafView*> graphs;
    for (const Row& row : m_rows)
        graphs.push_back(row.graph);
    CDlgGrafView::RenderAll(graphs);
}

CLapOverviewDlg::Row CLapOverviewDlg::MakeRow(int row, int channel, QWidget* parent) {
    Row made;
    made.channel = channel;
    made.graph = new CDlgGrafView(parent, m_host, 1, row, channel, Handle());
    made.graph->SetBeforeRender([this] { RenderRowPictures(); });
    made.graph->SetOnClosedLaps([this] { DropClosedLaps(); });
    made.graph->SetWorkAreaNumbers(m_workArea, m_slot);
    made.graph->SetXAxisMode(m_zoom.Mode());
    made.graph->SetOverviewColors(m_colors);
    const ChannelColorProperty& block = ChannelColors(channel);
    made.graph->ApplyColorBlock(block.readFlag != 0 ? &block : nullptr);
    made.graph->SetDataFlag(!m_baseLapFiles.empty());
    made.graph->SetChannelRange({0, 0, 0, channel, 0, 0, 0, 0.0f});
    made.scale = new CLScaleView(m_host, parent);
    made.scale->SetOwner(Handle());
    made.scale->SetMode(CLScaleView::kYScale);
    made.scale->SetYGeometry({36, 0, 20, 0, 0});
    made.scale->SetChannel(channel);
    made.scale->SetOnLeastWidthChanged([this] { OnLabelRoomChanged(); });
    if (const graphs::GraphChannel* info = graphs::GraphChannelOf(channel))
        made.scale->SetChannelRange(made.graph->Data().RangeSlot(info->rangeSlot));
    return made;
}

void CLapOverviewDlg::BuildAxisSplitter() {
    m_axis = new CAxisSplitterWnd(m_client);
    m_xScale = new CLScaleView(m_host);
    m_xScale->SetOwner(Handle());
    m_xScale->SetMode(CLScaleView::kXScale);
    m_xScale->SetXGeometry({20, 0, 10, 0, 0});
    auto* empty = new CLScaleView(m_host);
    empty->SetMode(CLScaleView::kEmpty);
    m_axis->SetPane(0, m_xScale);
    m_axis->SetPane(1, empty);
    m_axis->setGeometry(m_areas.xAxis);
    m_axis->SetRowHeights(std::max(0, m_areas.xAxis.height()), 0);
    m_axis->show();
    m_fullSpan = ComputeFullSpan();
    m_xScale->SetXAxis(m_zoom.Mode(), m_fullSpan);
    m_xScale->OnInitialUpdate();
    empty->OnInitialUpdate();
    PostMessage(m_host.PropertiesPane(), UM_RESET_X_SCALE_VARIABLE, static_cast<WParam>(m_zoom.Mode()), m_fullSpan);
}

void CLapOverviewDlg::BuildSegmentStrip(bool rebuild) {
    if (!m_strip)
        return;
    m_strip->Build(*this, rebuild);
    m_strip->Relayout(m_areas.segments);
}

int CLapOverviewDlg::ComputeFullSpan() {
    m_fullSpan = static_cast<int>(orvelo::FindLongestMarkedLap(m_host.Core(), m_zoom.Mode()));
    m_zoom.SetFullSpan(m_fullSpan);
    return m_fullSpan;
}

int CLapOverviewDlg::MarkedLaps() { return orvelo::CountMarkedLaps(m_host.Core()); }

void CLapOverviewDlg::ActivatedForProperties(bool queued) {
    TellProperties(queued, UM_RESET_X_SCALE_VARIABLE, static_cast<WParam>(m_zoom.Mode()), ComputeFullSpan());
    GiveChannelsToProperties(queued);
}

void CLapOverviewDlg::GiveChannelsToProperties(bool queued) {
    const int marked = MarkedLaps();
    m_channelsGiven = marked > 0;
    if (marked > 0)
        TellProperties(queued, UM_RESET_PROPERTY_CHANNEL_LIST, static_cast<WParam>(marked), static_cast<LParam>(m_mask));
}

void CLapOverviewDlg::TellProperties(bool queued, std::uint32_t id, WParam wParam, LParam lParam) {
    if (queued)
        PostMessage(m_host.PropertiesPane(), id, wParam, lParam);
    else
        SendMessage(m_host.PropertiesPane(), id, wParam, lParam);
}

// ----- activation, menu and commands -----

// Every part of the client, made now or later, is watched for presses.
void CLapOverviewDlg::WatchClicks(QWidget* widget) {
    if (!widget)
        return;
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->installEventFilter(this);
}

// A press in the window while it is not active activates it as a click: the
// properties pane and the main frame then hear about this window.
bool CLapOverviewDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child->isWidgetType())
            WatchClicks(static_cast<QWidget*>(child));
    } else if (event->type() == QEvent::MouseButtonPress) {
        DropClosedLaps();
        if (mdiArea() && mdiArea()->activeSubWindow() != this) {
            m_clickActivation = true;
            mdiArea()->setActiveSubWindow(this);
            m_clickActivation = false;
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void CLapOverviewDlg::mousePressEvent(QMouseEvent* event) {
    eventFilter(this, event);
    QMdiSubWindow::mousePressEvent(event);
}

void CLapOverviewDlg::OnActivated(bool active) {
    if (!active) {
        m_wasActive = false;
        m_activationHandled = false;
        return;
    }
    if (!m_wasActive && m_clickActivation && !m_activationHandled) {
        m_activationHandled = true;
        ActivatedForProperties();
        PostMessage(m_host.MainFrame(), UM_ACTIVATE_LAP_OVERVIEW_WINDOW, static_cast<WParam>(Handle()), 0);
    }
    m_wasActive = true;
    if (!m_rows.empty() && m_rows.front().graph)
        m_rows.front().graph->setFocus(Qt::ActiveWindowFocusReason);
}

// After a dialog of the window the work area's view takes the focus back.
void CLapOverviewDlg::FocusView() {
    if (m_viewWidget)
        m_viewWidget->setFocus(Qt::OtherFocusReason);
}

void CLapOverviewDlg::contextMenuEvent(QContextMenuEvent* event) {
    QWidget* target = m_client->childAt(m_client->mapFromGlobal(event->globalPos()));
    ShowContextMenu(event->globalPos(), target ? target : m_client);
}

// "Menu Graf"; a click on the window itself, between the rows or on the X
// scale's splitter also offers the window's colours.
void CLapOverviewDlg::ShowContextMenu(const QPoint& globalPos, QWidget* target) {
    QMenu menu(this);
    const auto add = [&menu](const QString& text, int id) {
        QAction* action = menu.addAction(text);
        action->setData(id);
        return action;
    };
    QAction* distance = add(QStringLiteral("Distance"), kCmdDistance);
    QAction* time = add(QStringLiteral("Time"), kCmdTime);
    distance->setCheckable(true);
    time->setCheckable(true);
    distance->setChecked(m_zoom.Mode() == graphs::LapOverviewZoom::kDistance);
    time->setChecked(m_zoom.Mode() == graphs::LapOverviewZoom::kTime);
    menu.addSeparator();
    add(QStringLiteral("Channel select"), kCmdChannelSelect);
    menu.addSeparator();
    QAction* close = add(QStringLiteral("Close window(X)"), kCmdCloseWindow);
    const bool onFrame = target == m_client || target == this || qobject_cast<QSplitter*>(target) ||
                         qobject_cast<QSplitterHandle*>(target) ||
                         (target && qobject_cast<QSplitter*>(target->parentWidget()) &&
                          target->parentWidget() == m_channels);
    if (onFrame) {
        QAction* property = new QAction(QStringLiteral("window property"), &menu);
        property->setData(kCmdWindowProperty);
        menu.insertSeparator(close);
        menu.insertAction(close, property);
    }
    if (QAction* chosen = RunPopupMenu(menu, globalPos))
        OnCommand(chosen->data().toInt());
}

void CLapOverviewDlg::OnCommand(int id) {
    switch (id) {
    case kCmdDistance: OnXAxisCommand(graphs::LapOverviewZoom::kDistance); break;
    case kCmdTime: OnXAxisCommand(graphs::LapOverviewZoom::kTime); break;
    case kCmdChannelSelect: OnChannelSelect(); break;
    case kCmdWindowProperty: OnWindowProperty(); break;
    case kCmdCloseWindow:
        PostMessage(m_view, UM_PLOT_GRAPH_CLOSED, static_cast<WParam>(m_slot), GraphWindow::kLapOverview);
        break;
    default: break;
    }
}

// The view destroys the window when told.
void CLapOverviewDlg::closeEvent(QCloseEvent* event) {
    PostMessage(m_view, UM_PLOT_GRAPH_CLOSED, static_cast<WParam>(m_slot), GraphWindow::kLapOverview);
    event->ignore();
}

void CLapOverviewDlg::OnXAxisCommand(int mode) {
    if (m_zoom.Mode() == mode)
        return;
    m_zoom.SetMode(mode);
    for (const Row& row : m_rows) {
        if (row.graph)
            PostMessage(row.graph->Handle(), UM_X_AXIS_CHANGED, static_cast<WParam>(mode), static_cast<LParam>(Handle()));
    }
    DropCursor(); // the rows forget their cursor with the axis they placed it on
    const int span = ComputeFullSpan();
    if (m_xScale)
        PostMessage(m_xScale->Handle(), UM_X_AXIS_CHANGED, static_cast<WParam>(mode), span);
    for (WindowHandle to : {m_host.PropertiesPane(), m_host.MainFrame(), m_strip ? m_strip->TopPane() : kNoWindow,
                            m_strip ? m_strip->LeftNestedPane() : kNoWindow})
        PostMessage(to, UM_RESET_X_SCALE_VARIABLE, static_cast<WParam>(mode), span);
    m_zoom.Reset();
}

void CLapOverviewDlg::OnChannelSelect() {
    CChannel_Ctl_Dlg dialog(Handle(), m_mask, m_host.Settings().Channels(), this);
    RunModalDialog(dialog);
    FocusView();
}

void CLapOverviewDlg::OnWindowProperty() {
    if (m_host.Settings().Colors().LoadLapOverviewWndProp(&m_colors) != 0)
        m_colors = settings::kOverviewWindowDefaults;
    m_host.RunLapOverviewColorDialog(this, Handle(), m_colors);
    FocusView();
}
