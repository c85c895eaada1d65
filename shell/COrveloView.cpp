#include "shell/COrveloView.h"

#include "settings/AppSettings.h"
#include "shell/CMainFrame.h"
#include "shell/COrveloApp.h"
#include "shell/COrveloDoc.h"
#include "settings/SettingsBatch.h"
#include "settings/SettingsDefaults.h"
#include "settings/ShellWindowFactory.h"

#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "platform/WindowPlacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QVBoxLayout>

#include <utility>

using namespace platform;

namespace {
constexpr int kMaxStateChars = 255;
}  // namespace

COrveloView::COrveloView(COrveloApp& app, COrveloDoc& document, CChildFrame* frame)
    : QWidget(nullptr), m_app(app), m_document(document), m_frame(frame), m_window(this) {
    setObjectName(QStringLiteral("WorkAreaView"));
    setAutoFillBackground(true);
    setMinimumSize(200, 150);
    m_graphArea = new QMdiArea(this);
    m_graphArea->setObjectName(QStringLiteral("GraphWindows"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_graphArea);
    MapMessages();
}

COrveloView::~COrveloView() { OnDestroy(); }

void COrveloView::MapMessages() {
    const auto relay = [this](std::uint32_t id, bool lap, bool file, bool othersZeroL = false) {
        m_window.On(id, [this, lap, file, othersZeroL](const Message& m) {
            RelayToGraphWindows(othersZeroL ? WithParams(m, m.wParam, 0) : m, lap, file);
            return LResult{0};
        });
    };
    relay(UM_DRAW_MAP_ON_VIEW, true, false);
    relay(UM_RESET_X_SCALE_VARIABLE, false, true);
    relay(UM_COLOR_SELECTED, true, false, true);
    relay(UM_COLOR_PROPERTY_SELECTED, true, false, true);
    relay(UM_RESET_SEGMENT_COLOR, true, false);
    relay(UM_SEGMENT_EDIT_REPLACE, true, false);
    relay(UM_ZOOM_CONTROL, false, true);
    relay(UM_RESET_ZOOM_GRAPH_VIEW, true, false);
    relay(UM_ZOOM_CONTROL_DIVISION_TIME, false, true);
    relay(UM_SCALING_Y_AXIS_MAX_VALUE, true, false);
    relay(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, true, true);
    relay(UM_SET_VARIABLE_SCALE_CONTROL_VALUE, true, false);
    relay(UM_VIEW_READ_MAP_FILE, true, false);
    m_window.On(UM_REDRAW_LAP_GRAPH, [this](const Message& m) {
        RelayToGraphWindows(m, true, true);
        ReportLapOverviewCount();
        return LResult{0};
    });
    m_window.On(UM_ANALYSIS_LINE, [this](const Message& m) {
        RelayToGraphWindows(m, true, false, static_cast<WindowHandle>(m.wParam));
        return LResult{0};
    });
    // The window whose cursor the others show dropped it (its handle in wParam): they drop it too.
    m_window.On(UM_STOP_TRACKING_PLOT, [this](const Message& m) {
        RelayToGraphWindows(m, true, false, static_cast<WindowHandle>(m.wParam));
        return LResult{0};
    });
    m_window.On(UM_PLOT_GRAPH_CLOSED, [this](const Message& m) {
        return OnPlotGraphClosed(static_cast<int>(m.wParam), static_cast<int>(m.lParam));
    });
    m_window.On(UM_REGISTER_WND_PROPERTY, [this](const Message& m) {
        return static_cast<LResult>(OnRegisterWndProperty(m.wParam));
    });
}

void COrveloView::RelayToGraphWindows(const Message& message, bool lapOverviews, bool fileOverviews,
                                      WindowHandle skip) {
    for (const GraphWindowEntry& entry : m_entries) {
        if (!entry.window || !entry.widget)
            continue;
        const bool wanted = (lapOverviews && entry.kind == GraphWindow::kLapOverview) ||
                            (fileOverviews && entry.kind == GraphWindow::kFileOverview);
        if (wanted && (skip == kNoWindow || entry.window->Handle() != skip))
            PostMessage(entry.window->Handle(), message);
    }
}

int COrveloView::CountOf(int kind) const {
    int count = 0;
    for (const GraphWindowEntry& entry : m_entries)
        count += entry.window && entry.widget && entry.kind == kind ? 1 : 0;
    return count;
}

// ----- graph windows -----

int COrveloView::FindFreeGraphSlot(int kind, int* slot) {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        GraphWindowEntry& entry = m_entries[i];
        if (!entry.window && entry.kind == GraphWindow::kNone) {
            entry.slot = static_cast<int>(i) + 1;
            entry.kind = kind;
            entry.workAreaNumber = m_number;
            *slot = entry.slot;
            return 0;
        }
    }
    *slot = static_cast<int>(m_entries.size()) + 1;
    return *slot;
}

// nullptr when the window could not be made: its slot stays free.
GraphWindow* COrveloView::MakeGraphWindow(int kind, int slot, bool restored) {
    GraphWindow* window = m_app.Factory().CreateGraphWindow(this, Handle(), kind, m_number, slot, restored);
    if (!window || !window->Widget()) {
        delete window;
        return nullptr;
    }
    // A window that is not a sub-window of its own gets one; either keeps the
    // place it chose.
    QWidget* widget = window->Widget();
    const QRect place = widget->geometry();
    QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(widget);
    if (sub) {
        m_graphArea->addSubWindow(sub);
    } else {
        sub = m_graphArea->addSubWindow(widget);
        connect(widget, &QObject::destroyed, sub, &QObject::deleteLater);
    }
    sub->setGeometry(place);
    sub->show();
    return window;
}

void COrveloView::OpenGraphWindow(int kind) {
    (kind == GraphWindow::kLapOverview ? m_lapOverviewsOpened : m_fileOverviewsOpened) += 1;
    int slot = 0;
    const bool reused = FindFreeGraphSlot(kind, &slot) == 0;
    GraphWindow* window = MakeGraphWindow(kind, slot, false);
    if (reused) {
        GraphWindowEntry& entry = m_entries[static_cast<std::size_t>(slot - 1)];
        if (!window) {
            entry = GraphWindowEntry{};
            return;
        }
        entry.window = window;
        entry.widget = window->Widget();
        return;
    }
    if (window)
        m_entries.push_back({window, window->Widget(), kind, slot, m_number, false, QRect()});
}

void COrveloView::DestroyGraphWindow(GraphWindowEntry& entry) {
    if (entry.widget)
        delete entry.widget.data();
    entry = GraphWindowEntry{};
}

LResult COrveloView::OnPlotGraphClosed(int slot, int kind) {
    GraphWindowEntry* found = nullptr;
    for (GraphWindowEntry& entry : m_entries) {
        if (entry.kind == kind && entry.slot == slot && entry.window) {
            found = &entry;
            break;
        }
    }
    if (!found)
        return 0;  // nothing of that kind in that slot: nothing changes
    if (!m_destroying)
        DestroyGraphWindow(*found);
    else
        *found = GraphWindowEntry{};
    if (m_destroying)
        return 0;
    if (CMainFrame* main = m_app.MainFrame())
        main->ActivateWorkArea(m_frame);
    ReportGraphStatus();
    if (CountOf(GraphWindow::kLapOverview) == 0) {
        for (const GraphWindowEntry& entry : m_entries) {
            if (entry.window && entry.widget && entry.kind == GraphWindow::kFileOverview)
                PostMessage(entry.window->Handle(), UM_ZOOM_CONTROL, 0, 0);
        }
    }
    return 0;
}

// ----- life cycle -----

void COrveloView::OnInitialUpdate() {
    m_number = m_document.Number();
    if (m_state == kNew) {
        m_restorePending = OnRegisterWndProperty(0) == 0;
        m_state = kUpdated;
    }
}

void COrveloView::OnActivateView(bool activate) {
    if (!activate)
        return;
    if (m_state == kUpdated) {
        m_state = kActivated;
        RestoreGraphWindows();
        return;
    }
    // Windows that missed redraws for the compared laps while the area was out of view take one now.
    bool caughtUp = false;
    for (const GraphWindowEntry& entry : m_entries) {
        if (entry.window && entry.widget)
            caughtUp = entry.window->OnWorkAreaShown() || caughtUp;
    }
    ReportGraphStatus();
    if (caughtUp)
        ReportLapOverviewCount();
}

// As after a redraw for the compared laps: the main frame learns how many lap overviews the area has.
void COrveloView::ReportLapOverviewCount() {
    if (CMainFrame* main = m_app.MainFrame())
        platform::SendMessage(main->Handle(), UM_GET_OVERLAP_GRAPH_STATUS,
                              static_cast<WParam>(CountOf(GraphWindow::kLapOverview)), static_cast<LParam>(Handle()));
}

// The main frame learns whether this work area has a lap overview with data.
void COrveloView::ReportGraphStatus() {
    LResult answer = 0;
    for (const GraphWindowEntry& entry : m_entries) {
        if (entry.window && entry.widget && entry.kind == GraphWindow::kLapOverview) {
            answer = platform::SendMessage(entry.window->Handle(), UM_GET_OVERLAP_GRAPH_STATUS, 0,
                                           static_cast<LParam>(Handle()));
            break;
        }
    }
    if (CMainFrame* main = m_app.MainFrame())
        platform::SendMessage(main->Handle(), UM_GET_OVERLAP_GRAPH_STATUS, static_cast<WParam>(answer),
                              static_cast<LParam>(Handle()));
}

void COrveloView::RestoreGraphWindows() {
    if (!m_restorePending || m_record.number != m_number)
        return;
    m_restorePending = false;
    int created = 0;
    for (int i = 0; i < m_windowStates.size() && created < m_record.windowCount; ++i) {
        const int slot = i + 1;
        const QChar c = m_windowStates[i];
        const int kind = c == QLatin1Char('2')   ? GraphWindow::kLapOverview
                         : c == QLatin1Char('1') ? GraphWindow::kFileOverview
                                                 : GraphWindow::kNone;
        GraphWindow* window = kind != GraphWindow::kNone ? MakeGraphWindow(kind, slot, true) : nullptr;
        if (window) {
            m_entries.push_back({window, window->Widget(), kind, slot, m_number, true, QRect()});
            ++created;
        } else {
            m_entries.push_back({nullptr, nullptr, GraphWindow::kNone, slot, 0, false, QRect()});
        }
    }
    m_windowStates.clear();
    m_record.windowCount = 0;
    m_record.kinds = 0;
    m_placeRestored = true;
    PlaceRestoredWindows();
}

// Windows restored before the work area had its size are placed once it is shown and laid out, and
// again whenever it is sized (the frame's panes take their room while the first events run, the main
// window may reach its size only later, and a work area not shown first has a size of its own only
// when shown), until the user moves or sizes them: the place a window was stored at with the size it
// opened at, moved only as far as brings it into reach; one its record does not fit (smaller than its
// title bar, known only in the work area) at its default place. Placing them against each size anew,
// never against the last place, brings them back where stored once the area has its own size.
void COrveloView::PlaceRestoredWindows() {
    if (!m_placeRestored || !isVisible() || m_placing)
        return;
    m_placing = true;
    QMetaObject::invokeMethod(this, [this] {
        m_placing = false;
        if (isVisible() && m_placeRestored)
            PlaceInsideArea();
    }, Qt::QueuedConnection);
}

namespace {

// Where a window wanted at wanted is in reach in area: its title bar (as wide as the window can be)
// inside, moved no further. A window without a caption has nothing to drag it back by: it comes
// wholly inside where it fits, else as much of it as fits.
QPoint InReach(const QMdiSubWindow& sub, const QPoint& wanted, const QSize& least, const QRect& area) {
    const int titleHeight = sub.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &sub);
    QSize part(least.width(), titleHeight);
    if (sub.windowFlags() & Qt::FramelessWindowHint)
        part = sub.size();
    return platform::PlaceInside(QRect(wanted, part), area).topLeft();
}

}  // namespace

void COrveloView::PlaceInsideArea() {
    const QRect area = m_graphArea->viewport()->rect();
    bool following = false;
    for (GraphWindowEntry& entry : m_entries) {
        if (!entry.widget || !entry.window || !entry.follows)
            continue;
        QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(entry.widget.data());
        if (!sub)
            sub = qobject_cast<QMdiSubWindow*>(entry.widget->parentWidget());
        if (!sub)
            continue;
        const QRect place = sub->geometry();
        if (!entry.placed.isNull() && place != entry.placed) {
            entry.follows = false;  // moved or sized since
            continue;
        }
        const QSize least = sub->minimumSizeHint();
        const QRect restored = entry.window->RestoredPlace();
        const bool usable = !restored.isNull() && place.width() >= least.width() && place.height() >= least.height();
        const QRect target = usable ? QRect(InReach(*sub, restored.topLeft(), least, area), place.size())
                                    : platform::PlaceInside(entry.window->DefaultPlace(area.size()), area);
        if (target != place)
            sub->setGeometry(target);
        entry.placed = sub->geometry();
        entry.window->ShownInWorkArea(usable ? entry.placed : QRect());
        following = true;
    }
    m_placeRestored = following;
}

void COrveloView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceRestoredWindows();
}

void COrveloView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PlaceRestoredWindows();
}

void COrveloView::OnDestroy() {
    if (m_destroying)
        return;
    m_destroying = true;
    for (GraphWindowEntry& entry : m_entries) {
        if (entry.window && entry.widget) {
            platform::SendMessage(entry.window->Handle(), UM_PLOT_GRAPH_CLOSED, 0, static_cast<LParam>(Handle()));
            DestroyGraphWindow(entry);
        }
    }
    auto& idSlots = m_app.WorkAreaIdSlots();
    if (m_number >= 1 && static_cast<std::size_t>(m_number) <= idSlots.size())
        idSlots[static_cast<std::size_t>(m_number - 1)] = 0;
    if (m_app.OpenWorkAreaCount() == 0) {
        idSlots.clear();
        m_app.SetCreatingSlot(0);
    }
    m_entries.clear();
    m_window.Destroy();
}

bool COrveloView::OnPreparePrinting() {
    ShowMessageBox(this, QStringLiteral("Warn. Before setting."), QStringLiteral("Warning"), kMbIconWarning);
    return false;
}

// ----- saved layout -----

int COrveloView::OnRegisterWndProperty(WParam save) {
    SettingsStore& store = m_app.Settings().Store();
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    const QString recordName = settings::NumberedName(settings::kWorkAreaProp, m_number);
    const QString stateName = settings::NumberedName(settings::kWorlAreaWndStat, m_number);
    m_record = WorkAreaProp{};
    m_windowStates.clear();
    if (save != 1) {
        if (store.ReadRecord(key, recordName, &m_record) != 0)
            return 1;
        if (m_record.windowCount > 0) {
            QString states;
            if (store.RegReadString(key, stateName, &states) == 0)
                m_windowStates = states.left(kMaxStateChars);
        }
        return 0;
    }
    // The view's record and every graph window's are saved together.
    SettingsBatch batch(store);
    QString states;
    for (const GraphWindowEntry& entry : m_entries) {
        if (!entry.window || !entry.widget) {
            states += QLatin1Char('0');
            continue;
        }
        platform::SendMessage(entry.window->Handle(), UM_REGISTER_WND_PROPERTY, 1, static_cast<LParam>(m_number));
        ++m_record.windowCount;
        if (entry.kind == GraphWindow::kLapOverview) {
            m_record.kinds |= 2;
            states += QLatin1Char('2');
        } else {
            m_record.kinds |= 1;
            states += QLatin1Char('1');
        }
    }
    m_record.number = m_number;
    // The saved text holds as many entries as the store takes; the rest is not reopened.
    m_windowStates = states.left(kMaxStateChars);
    if (store.WriteRecord(key, recordName, m_record) != 0)
        return 1;
    if (!m_windowStates.isEmpty() && store.RegWriteString(key, stateName, m_windowStates) != 0)
        return 1;
    return batch.End();
}
