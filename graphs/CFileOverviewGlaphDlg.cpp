// The file overview window's start, layout, ranges and mouse: placement from
// the view or the saved record, the panes and scales in their splitter, and
// moving and sizing the captionless window by its client area.
#include "graphs/CFileOverviewGlaphDlg.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CLScaleView.h"
#include "graphs/CxSplitterWnd.h"
#include "graphs/GraphChannelTable.h"
#include "graphs/GraphHost.h"

#include "core/LapDataCore.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "platform/WindowPlacement.h"

#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMouseEvent>

#include <algorithm>
#include <bit>
#include <utility>

using namespace platform;

namespace {
enum Edge : int { kLeftEdge = 1, kTopEdge = 2, kRightEdge = 4, kBottomEdge = 8 };
constexpr int kMinimumSize = 60;

// Band offset and top margin of channels 1 to 14.
struct RangeRow {
    std::uint32_t bottomOffset;
    std::uint32_t topMargin;
};
constexpr RangeRow kRangeRows[14] = {{0, 0},  {0, 0},  {10, 10}, {10, 10}, {10, 10}, {10, 10}, {0, 40},
                                     {0, 40}, {0, 10}, {0, 10},  {0, 20},  {0, 20},  {0, 20},  {0, 0}};
}  // namespace

CFileOverviewGlaphDlg::CFileOverviewGlaphDlg(GraphHost& host, QWidget* viewWidget, WindowHandle view,
                                             int workAreaNumber, int slot, bool restored)
    : QMdiSubWindow(nullptr, Qt::FramelessWindowHint), m_host(host), m_window(this), m_view(view),
      m_workArea(workAreaNumber), m_slot(slot), m_client(new QWidget) {
    setObjectName(QStringLiteral("FileOverview"));
    setWidget(m_client);
    m_client->setMouseTracking(true);
    // Made before the view adds the window to its area, so these run before the area's own handling.
    connect(this, &QMdiSubWindow::aboutToActivate, this, [this] { KeepOthersState(true); });
    m_activated = connect(this, &QMdiSubWindow::windowStateChanged, this, [this] { KeepOthersState(false); });
    MapMessages();
    Start(viewWidget, restored);
    WatchPresses(m_client);
}

// The sub-window still reports its deactivation while it is taken down: by then this window is gone.
CFileOverviewGlaphDlg::~CFileOverviewGlaphDlg() {
    disconnect(m_activated);
    KeepOthersState(false);
    m_window.Destroy();
}

// The area hands the maximised state of the window it leaves to the one it activates. Without a caption
// this window could neither give it back nor be sized again, so while it is activated the others keep
// their state and it keeps its own. The state change that ends the activation gives the area its
// option back; should none follow, it is given back once the activation is over all the same.
void CFileOverviewGlaphDlg::KeepOthersState(bool activating) {
    QMdiArea* area = mdiArea();
    if (!area)
        return;
    if (activating && !area->testOption(QMdiArea::DontMaximizeSubWindowOnActivation)) {
        area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, true);
        m_keepingOthers = true;
        QMetaObject::invokeMethod(this, [this] { KeepOthersState(false); }, Qt::QueuedConnection);
    } else if (!activating && std::exchange(m_keepingOthers, false)) {
        area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, false);
    }
}

// Every part of the window, made now or later, is watched for presses.
void CFileOverviewGlaphDlg::WatchPresses(QWidget* widget) {
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->installEventFilter(this);
}

// With no caption to click, a press anywhere in the window brings it to the front.
void CFileOverviewGlaphDlg::ComeToFront() {
    if (QMdiArea* area = mdiArea(); area && area->activeSubWindow() != this)
        area->setActiveSubWindow(this);
}

QRect CFileOverviewGlaphDlg::StartPlacement(const QSize& view, int slot) {
    const int w = view.width();
    const int h = view.height();
    return QRect(10 * slot, h - 20 * slot - h / 3, w - 10 * slot, h / 3);
}

graphs::ChannelRange CFileOverviewGlaphDlg::RangeOf(int channel) {
    const RangeRow& row = kRangeRows[std::clamp(channel, 1, 14) - 1];
    graphs::ChannelRange range;
    range.bottomOffset = row.bottomOffset;
    range.topMargin = row.topMargin;
    range.channel = channel;
    return range;
}

QRect CFileOverviewGlaphDlg::SplitterRect(const QSize& window) {
    const int w = window.width();
    const int h = window.height();
    return QRect(QPoint(w / 18, h / 16), QPoint(w - w / 36 - 1, h - h / 8 - 1));
}

void CFileOverviewGlaphDlg::Start(QWidget* viewWidget, bool restored) {
    m_redrawsTaken = m_host.Core().ComparedLapsRedraws;
    const QSize view = viewWidget ? viewWidget->size() : QSize();
    QRect place = StartPlacement(view, m_slot);
    if (restored && LoadLayout() == 0) {
        // No smaller than a drag can size it, so that there is an edge to grab.
        const auto saved = platform::StoredRect(m_record.left, m_record.top, m_record.right, m_record.bottom);
        if (saved && saved->width() >= kMinimumSize && saved->height() >= kMinimumSize) {
            place = platform::SizedForScreen(*saved, viewWidget);
            m_restoredPlace.Restore({m_record.left, m_record.top, m_record.right, m_record.bottom}, *saved, place);
        }
        if ((m_record.channelMask & ((1u << graphs::kChannelCount) - 1)) != 0) {
            m_mask = m_record.channelMask & ((1u << graphs::kChannelCount) - 1);
            m_count = std::clamp(m_record.rows, 1, std::popcount(m_mask));
        }
    }
    BuildPanes();
    setGeometry(place);
    Relayout();
}

// A kind-0 pane over a blank one, each with its Y scale in the splitter's left column.
void CFileOverviewGlaphDlg::BuildPanes() {
    m_splitter = new CxSplitterWnd(2, Handle(), m_client);
    m_upper = new CDlgGrafView(nullptr, m_host, GraphPaneData::kFileOverview, 0, 1, Handle());
    m_lower = new CDlgGrafView(nullptr, m_host, GraphPaneData::kBlank, 1, 0, Handle());
    m_upper->SetWorkAreaNumbers(m_workArea, m_slot);
    m_lower->SetWorkAreaNumbers(m_workArea, m_slot);
    m_upper->SetChannelMask(m_mask);
    m_lower->SetChannelMask(0);
    m_upper->OpenFirstBaseLapFile();
    // Its file closed while another work area was active (only that one is redrawn then):
    // the window takes the redraw it missed before its picture is used.
    m_upper->SetOnClosedLaps([this] { SendMessage(Handle(), UM_REDRAW_LAP_GRAPH, 0, 0); });
    m_upper->SetChannelRange(RangeOf(1));
    m_upperScale = new CLScaleView(m_host);
    m_lowerScale = new CLScaleView(m_host);
    for (CLScaleView* scale : {m_upperScale, m_lowerScale}) {
        scale->SetOwner(Handle());
        scale->SetMode(CLScaleView::kYScale);
    }
    m_upperScale->SetOnLeastWidthChanged([this] { Relayout(); });
    m_upperScale->SetYGeometry({36, 0, 20, 0, 0});
    m_splitter->SetPanes(0, m_upperScale, m_upper);
    m_splitter->SetPanes(1, m_lowerScale, m_lower);
    ApplyChannelRanges();
    TakeFileName();
    m_splitter->SetReady(true);
    m_splitter->show();
}

// The splitter from x 6 to the graph rectangle's right edge: its left column
// holds the scales up to one pixel short of the graph rectangle, or as wide as
// the labels need where even the scale's smallest font does not fit there.
void CFileOverviewGlaphDlg::Relayout() {
    if (!m_splitter)
        return;
    const QRect graphs = SplitterRect(size());
    m_splitter->setGeometry(QRect(QPoint(6, graphs.top()), graphs.bottomRight()));
    const int s = graphs.height();
    m_splitter->SetRowHeights(s / 18 * 17, s / 12, {s / 18 * 17, s / 18});
    m_splitter->widget(1)->setMinimumHeight(0);
    // The rows' heights choose the labels, and so the width they need.
    const int least = m_upperScale ? m_upperScale->LeastWidth() : 0;
    m_splitter->SetLeftColumnWidth(std::max(graphs.left() - 6 - CxSplitterWnd::kColumnGap, least));
}

// In ascending channel order, at most as many as the count.
void CFileOverviewGlaphDlg::ApplyChannelRanges() {
    int applied = 0;
    for (int channel = 1; channel <= graphs::kChannelCount && applied < m_count; ++channel) {
        if ((m_mask & (1u << (channel - 1))) == 0)
            continue;
        const graphs::ChannelRange range = RangeOf(channel);
        m_upper->SetChannelRange(range);
        if (applied == 0 && m_upperScale) {
            m_upperScale->SetChannel(channel);
            m_upperScale->SetChannelRange(range);
            m_upperScale->OnInitialUpdate();
        }
        ++applied;
    }
}

// The title of the pane's file while it is loaded, else nothing.
void CFileOverviewGlaphDlg::TakeFileName() {
    const GraphPaneData& pane = m_upper->Data();
    const auto& files = m_host.Core().LogFiles;
    const bool loaded = std::any_of(files.begin(), files.end(),
                                    [&](const orvelo::LogFile& file) { return file.fullPath == pane.FilePath(); });
    m_fileName = loaded ? QString::fromStdU16String(pane.FileTitle().substr(0, kNameChars - 1)) : QString();
}

void CFileOverviewGlaphDlg::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    Relayout();
}

void CFileOverviewGlaphDlg::closeEvent(QCloseEvent* event) {
    Close();
    QMdiSubWindow::closeEvent(event);
}

// However it closes, the view hears of it once, frees the slot and deletes it.
void CFileOverviewGlaphDlg::Close() {
    if (m_closing)
        return;
    m_closing = true;
    hide();
    PostMessage(m_view, UM_PLOT_GRAPH_CLOSED, static_cast<WParam>(m_slot), kFileOverview);
}

int CFileOverviewGlaphDlg::EdgesAt(const QPoint& point) const {
    int edges = 0;
    edges |= point.x() < kEdge ? kLeftEdge : 0;
    edges |= point.y() < kEdge ? kTopEdge : 0;
    edges |= point.x() >= width() - kEdge ? kRightEdge : 0;
    edges |= point.y() >= height() - kEdge ? kBottomEdge : 0;
    return edges;
}

// A press on an edge sizes the window, anywhere else it moves it; the cursor
// keeps its offset from the window's corner.
bool CFileOverviewGlaphDlg::MouseEvent(QMouseEvent* event) {
    const QPoint inParent = mapToParent(event->position().toPoint());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (event->button() != Qt::LeftButton)
            return false;
        m_dragging = true;
        m_edges = EdgesAt(event->position().toPoint());
        m_grab = inParent;
        m_grabPlace = geometry();
        return true;
    case QEvent::MouseMove: {
        if (!m_dragging) {
            const int edges = EdgesAt(event->position().toPoint());
            const bool across = (edges & (kLeftEdge | kRightEdge)) != 0;
            const bool along = (edges & (kTopEdge | kBottomEdge)) != 0;
            m_client->setCursor(across && along ? Qt::SizeFDiagCursor
                                : across        ? Qt::SizeHorCursor
                                : along         ? Qt::SizeVerCursor
                                                : Qt::ArrowCursor);
            return false;
        }
        const QPoint delta = inParent - m_grab;
        QRect place = m_grabPlace;
        if (m_edges == 0) {
            move(m_grabPlace.topLeft() + delta);
            return true;
        }
        if (m_edges & kLeftEdge)
            place.setLeft(std::min(place.left() + delta.x(), place.right() - kMinimumSize));
        if (m_edges & kTopEdge)
            place.setTop(std::min(place.top() + delta.y(), place.bottom() - kMinimumSize));
        if (m_edges & kRightEdge)
            place.setRight(std::max(place.right() + delta.x(), place.left() + kMinimumSize));
        if (m_edges & kBottomEdge)
            place.setBottom(std::max(place.bottom() + delta.y(), place.top() + kMinimumSize));
        setGeometry(place);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!m_dragging)
            return false;
        m_dragging = false;
        m_edges = 0;
        return true;
    default:
        return false;
    }
}

bool CFileOverviewGlaphDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child->isWidgetType())
            WatchPresses(static_cast<QWidget*>(child));
    } else if (event->type() == QEvent::MouseButtonPress) {
        ComeToFront();
    }
    if (watched != m_client)
        return QMdiSubWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        return MouseEvent(static_cast<QMouseEvent*>(event));
    case QEvent::ContextMenu:
        ShowFileMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    default:
        return QMdiSubWindow::eventFilter(watched, event);
    }
}
