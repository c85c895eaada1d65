#include "shell/CMainFrame.h"

#include "settings/AppSettings.h"
#include "settings/SettingsBatch.h"
#include "settings/SettingsBytes.h"
#include "shell/CChildFrame.h"
#include "shell/CClockTimeDlg.h"
#include "shell/COrveloApp.h"
#include "shell/COrveloDoc.h"
#include "shell/COrveloView.h"
#include "shell/CommandIds.h"
#include "shell/LapListPaneFactory.h"
#include "shell/ShellDialogRunners.h"
#include "shell/WorkAreaWindowsDialog.h"
#include "settings/SettingsDefaults.h"
#include "settings/ShellWindowFactory.h"

#include "core/CourseBuilder.h"
#include "core/FileLists.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "platform/WaitCursor.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include <algorithm>

using platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE;

namespace {

constexpr qsizetype kPlacementRectBytes = 16;

}  // namespace

CMainFrame::CMainFrame(COrveloApp& app) : m_app(app), m_window(this) {
    setObjectName(QStringLiteral("MainFrame"));
    MapMessages();
}

CMainFrame::~CMainFrame() {
    // Shutdown ran in closeEvent; if the frame goes without a close, the work
    // areas still leave the application's lists before Qt deletes them.
    m_closed = true;
    CloseWorkAreas();
}

bool CMainFrame::Create() {
    orvelo::LapDataCore& core = m_app.Core();
    AppSettings& settings = m_app.Settings();
    orvelo::InitDataCore(core);
    settings.Channels().LoadMapDrawMode();
    settings.Channels().LoadChannelValueTable();
    settings.Channels().LoadChannelNameTable();

    m_overviewColors = OverviewWindowColors{};
    if (settings.Colors().LoadLapOverviewWndProp(&m_overviewColors) != 0)
        m_overviewColors = OverviewWindowColors{0xFFFFFF, 0x808080, 0x000000, 0xF0F0F0, 1, 1};
    settings.Colors().InitChannelColorTables();
    settings.LoadScaleControlWndPlace(&m_yScalePlacement);
    // Kept from the last run even when the window is not opened in this one.
    settings.Store().ReadRecord(settings::SubKeyPath(settings::kWindowViewInfo), settings::kLogTimeWndPlace,
                                &m_logTimePlacement);
    settings.Colors().SetDefaultMapViewProp(&m_mapViewProperty);

    // The visual style is the platform's; the stored choice is kept as it was.
    FrameworkProfile& profile = settings.Profile();
    profile.WriteProfileInt(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook"),
                            profile.GetProfileInt(QStringLiteral("Workspace"), QStringLiteral("ApplicationLook"), 214));

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("WorkAreas"));
    m_mdiArea->setViewMode(QMdiArea::TabbedView);
    m_mdiArea->setTabsClosable(true);
    m_mdiArea->setDocumentMode(true);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    CreateMenus();
    CreateToolBars();
    CreateStatusBar();
    platform::SendMessage(Handle(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 5, 0);
    m_logTimeShown = 0;
    CreatePanes();
    MapCommands();
    setWindowTitle(QStringLiteral("Varnek Orvelo"));
    resize(1200, 800);
    RestorePlacement();
    return true;
}

// The main window opens as it was closed, maximised when it was, its normal rectangle moved wholly onto
// the screen it overlaps most and shrunk where larger; stored off every screen, or at a first start, it
// takes its default size, no larger than the screen.
void CMainFrame::RestorePlacement() {
    FrameworkProfile& profile = m_app.Settings().Profile();
    const QByteArray bytes = profile.GetProfileBinary(settings::kWindowPlacementSection, settings::kMainWindowRectEntry);
    std::optional<QRect> place;
    if (bytes.size() == kPlacementRectBytes) {
        platform::RestoredPlace::Edges edges{};
        settings_bytes::Get(reinterpret_cast<const std::uint8_t*>(bytes.constData()), &edges);
        m_restoredPlace.Read(edges);
        place = platform::OnAnyScreen(platform::StoredRect(edges[0], edges[1], edges[2], edges[3]));
    }
    if (place)
        setGeometry(*place);
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        resize(size().boundedTo(screen->availableGeometry().size()));
    m_restoredPlace.Shown(geometry());
    if (profile.GetProfileInt(settings::kWindowPlacementSection, settings::kShowCmdEntry, WindowPlacementRec::kShowNormal) ==
        WindowPlacementRec::kShowMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

bool CMainFrame::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    constexpr Qt::WindowStates kNotNormal = Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;
    switch (event->type()) {
    case QEvent::Show:
        m_frameCheck.Shown();
        // A window manager that frames the window later only exposes it anew.
        if (QWindow* window = windowHandle())
            window->installEventFilter(this);
        break;
    case QEvent::WindowStateChange: {
        const Qt::WindowStates old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
        if (!(windowState() & kNotNormal) && (old & kNotNormal))
            m_frameCheck.Restored(old & (Qt::WindowMaximized | Qt::WindowFullScreen) ? m_restoreTo : std::nullopt);
        break;
    }
    case QEvent::Move:
    case QEvent::Resize:
        // A window manager may restore the window elsewhere: its place is taken once it stops changing.
        if (m_frameCheck.Restoring() && !(windowState() & kNotNormal)) {
            if (!m_restoreSettle) {
                m_restoreSettle = new QTimer(this);
                m_restoreSettle->setSingleShot(true);
                m_restoreSettle->setInterval(250);
                connect(m_restoreSettle, &QTimer::timeout, this, [this] {
                    m_frameCheck.RestoredElsewhere();
                    KeepFrameOnScreen();
                });
            }
            m_restoreSettle->start();
        }
        break;
    default:
        return handled;
    }
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        m_restoreTo = normalGeometry();
    QueueFrameCheck();
    return handled;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle())
        QueueFrameCheck();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::QueueFrameCheck() {
    if (m_frameCheckQueued)
        return;
    m_frameCheckQueued = true;
    QMetaObject::invokeMethod(this, [this] {
        m_frameCheckQueued = false;
        KeepFrameOnScreen();
    }, Qt::QueuedConnection);
}

// Wherever the window ends up standing normal after it is shown, restored or framed anew, its frame (a
// title bar above the screen) is brought wholly onto the screen; where the system put it is where it was
// shown, so a run that does not move it stores the place it was stored with.
void CMainFrame::KeepFrameOnScreen() {
    const QWindow* window = windowHandle();
    if (!window || !isVisible() || (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        return;
    // The window's own margins: the widget learns a frame the window manager adds only when it next moves.
    const platform::FrameCheck::Result checked =
        m_frameCheck.Check(geometry(), window->frameMargins(), platform::ScreenAreas());
    if (checked.outcome == platform::FrameCheck::Outcome::kMove)
        setGeometry(checked.client);
    else if (checked.outcome == platform::FrameCheck::Outcome::kShown)
        m_restoredPlace.Shown(checked.client);
}

// The normal rectangle, whatever the state (a minimised window opens normal or maximised next time); the
// stored one, exactly, while the window stands where it was shown from it.
void CMainFrame::StorePlacement() {
    const QRect normal = normalGeometry();
    if (normal.isEmpty())
        return;
    const platform::RestoredPlace::Edges edges = m_restoredPlace.ToStore(normal);
    QByteArray bytes(kPlacementRectBytes, '\0');
    settings_bytes::Put(reinterpret_cast<std::uint8_t*>(bytes.data()), edges);
    FrameworkProfile& profile = m_app.Settings().Profile();
    profile.WriteProfileBinary(settings::kWindowPlacementSection, settings::kMainWindowRectEntry, bytes);
    profile.WriteProfileInt(settings::kWindowPlacementSection, settings::kFlagsEntry, 0);
    profile.WriteProfileInt(settings::kWindowPlacementSection, settings::kShowCmdEntry,
                            isMaximized() ? WindowPlacementRec::kShowMaximized : WindowPlacementRec::kShowNormal);
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File(&F)"));
    AddCommand(file, command::kFileNew, QStringLiteral("New Work Area(&N)"), QKeySequence(QStringLiteral("Ctrl+N")));
    AddCommand(file, command::kFileOpen, QStringLiteral("Open(&O)..."), QKeySequence(QStringLiteral("Ctrl+O")));
    AddCommand(file, command::kMapOpen, QStringLiteral("Map Open..."));
    file->addSeparator();
    AddCommand(file, command::kCloseLogFile, QStringLiteral("Close log file..."));
    AddCommand(file, command::kCloseMapFile, QStringLiteral("Close map file..."));
    file->addSeparator();
    AddCommand(file, command::kFilePrint, QStringLiteral("Print(&P)..."), QKeySequence(QStringLiteral("Ctrl+P")));
    file->addSeparator();
    AddCommand(file, command::kAppExit, QStringLiteral("Exit analysis(&X)"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("View(&V)"));
    AddCommand(view, command::kLoggingTime, QStringLiteral("Logging time"))->setCheckable(true);
    AddCommand(view, command::kCaptionBar, QStringLiteral("Caption bar ON/OFF"))->setCheckable(true);
    view->addSeparator();
    AddCommand(view, command::kZoomMode, QStringLiteral("Zoom mode On/Off"))->setCheckable(true);
    AddCommand(view, command::kResetZoom, QStringLiteral("Reset zoom"));
    view->addSeparator();
    m_panesMenu = view->addMenu(QStringLiteral("Panes and toolbars"));

    QMenu* workArea = menuBar()->addMenu(QStringLiteral("Work Area(&W)"));
    AddCommand(workArea, command::kFileOverviewGraph, QStringLiteral("File Overview Graph(F)"));
    AddCommand(workArea, command::kLapOverviewGraph, QStringLiteral("Lap Over view Graph(O)"));
    workArea->addSeparator();
    AddCommand(workArea, command::kAnalysisSetup, QStringLiteral("Analysis setup..."));
    workArea->addSeparator();
    AddCommand(workArea, command::kWindowManager, QStringLiteral("Windows..."));
    // The work area's own command: its document passes it to the application.
    m_actions[command::kFileClose] = new QAction(QStringLiteral("Close log file..."), this);
    m_actions[command::kFileClose]->setData(command::kFileClose);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help(&H)"));
    AddCommand(help, command::kAppAbout, QStringLiteral("Version info this app. (&A)..."));

    for (QMenu* menu : {file, view, workArea, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    action->setData(id);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    menu->addAction(action);
    m_actions[id] = action;
    return action;
}

void CMainFrame::CreateToolBars() {
    QStyle* s = style();
    m_mainToolBar = addToolBar(QStringLiteral("Standard"));
    m_mainToolBar->setObjectName(QStringLiteral("Standard"));
    m_mainToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    const std::pair<int, QStyle::StandardPixmap> standard[] = {
        {command::kFileNew, QStyle::SP_FileDialogNewFolder}, {command::kFileOpen, QStyle::SP_DialogOpenButton},
        {command::kMapOpen, QStyle::SP_DirOpenIcon},          {command::kFileClose, QStyle::SP_DialogCloseButton},
        {command::kAnalysisSetup, QStyle::SP_FileDialogDetailedView},
        {command::kLoggingTime, QStyle::SP_BrowserReload},   {command::kAppAbout, QStyle::SP_MessageBoxInformation}};
    for (const auto& [id, pixmap] : standard) {
        m_actions[id]->setIcon(s->standardIcon(pixmap));
        m_mainToolBar->addAction(m_actions[id]);
    }
    m_zoomToolBar = addToolBar(QStringLiteral("Zoom Control"));
    m_zoomToolBar->setObjectName(QStringLiteral("Zoom Control"));
    m_zoomToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_actions[command::kZoomMode]->setIcon(s->standardIcon(QStyle::SP_ArrowUp));
    m_actions[command::kResetZoom]->setIcon(s->standardIcon(QStyle::SP_BrowserStop));
    m_zoomToolBar->addAction(m_actions[command::kZoomMode]);
    m_zoomToolBar->addAction(m_actions[command::kResetZoom]);
    m_panesMenu->addAction(m_mainToolBar->toggleViewAction());
    m_panesMenu->addAction(m_zoomToolBar->toggleViewAction());
}

// Panes 0 (messages) and 4 to 6; the keyboard indicators 1 to 3 are not shown. The message pane
// takes the width the others leave, so "Ready" and menu help always show.
void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->showMessage(QStringLiteral("Ready"));
    const std::pair<int, const char*> panes[] = {{4, " Map Type "}, {5, " Global Mode"}, {6, " Local Mode"}};
    for (const auto& [index, text] : panes) {
        auto* label = new QLabel(QString::fromLatin1(text), bar);
        label->setObjectName(QStringLiteral("StatusPane%1").arg(index));
        label->setMinimumWidth(100);
        bar->addPermanentWidget(label);
        m_statusPanes[static_cast<std::size_t>(index)] = label;
    }
}

// A pane that could not be made leaves its dock empty and hidden; the rest runs.
void CMainFrame::CreatePanes() {
    ShellWindowFactory& factory = m_app.Factory();
    m_propertiesDock = new QDockWidget(QStringLiteral("Log data property window"), this);
    m_propertiesDock->setObjectName(QStringLiteral("PropertiesPane"));
    m_properties = factory.CreatePropertiesPane(m_propertiesDock, Handle());
    m_lapListDock = new QDockWidget(QStringLiteral(" Lap list"), this);
    m_lapListDock->setObjectName(QStringLiteral("LapListPane"));
    m_lapList = CreateLapListPane(*this, m_lapListDock);
    m_segmentListDock = new QDockWidget(QStringLiteral("Segment list"), this);
    m_segmentListDock->setObjectName(QStringLiteral("SegmentListPane"));
    m_segmentList = factory.CreateSegmentListPane(m_segmentListDock, Handle());
    m_propertiesDock->setMinimumSize(200, 200);
    addDockWidget(Qt::RightDockWidgetArea, m_propertiesDock);
    addDockWidget(Qt::LeftDockWidgetArea, m_lapListDock);
    tabifyDockWidget(m_lapListDock, m_segmentListDock);
    m_lapListDock->raise();
    // Wide enough at start for the lap number, time and the two button columns.
    resizeDocks({m_lapListDock, m_propertiesDock}, {400, 260}, Qt::Horizontal);
    const std::pair<QDockWidget*, DockPane*> panes[] = {
        {m_propertiesDock, m_properties}, {m_lapListDock, m_lapList}, {m_segmentListDock, m_segmentList}};
    for (const auto& [dock, pane] : panes) {
        if (pane && pane->Widget())
            dock->setWidget(pane->Widget());
        else
            dock->hide();
        m_panesMenu->addAction(dock->toggleViewAction());
    }
    if (m_lapList && m_segmentList)
        m_lapList->UseSegmentList(*m_segmentList);
}

void CMainFrame::MapCommands() {
    const std::pair<int, std::function<void()>> commands[] = {
        {command::kFileNew, [this] { m_app.OnFileNew(); }},
        {command::kFileOpen, [this] { m_app.OnFileOpen(); }},
        {command::kMapOpen, [this] { m_app.OnMapOpen(); }},
        {command::kCloseLogFile, [this] { m_app.OnCloseLogFile(); }},
        {command::kCloseMapFile, [this] { m_app.OnCloseMapFile(); }},
        {command::kAppAbout, [this] { m_app.OnAppAbout(); }},
        {command::kAppExit, [this] { m_app.OnAppExit(); }},
        {command::kZoomMode, [this] { OnZoomMode(); }},
        {command::kResetZoom, [this] { OnResetZoom(); }},
        {command::kLoggingTime, [this] { OnLoggingTime(); }},
        {command::kAnalysisSetup, [this] { OnAnalysisSetup(); }},
        {command::kCaptionBar, [this] { UpdateCommandStates(); }},
        {command::kFilePrint, [this] { if (m_activeWorkArea) m_activeWorkArea->View()->OnPreparePrinting(); }},
        {command::kFileOverviewGraph, [this] { if (m_activeWorkArea) m_activeWorkArea->View()->OnFileOverviewGraph(); }},
        {command::kLapOverviewGraph, [this] { if (m_activeWorkArea) m_activeWorkArea->View()->OnLapOverviewGraph(); }},
        {command::kFileClose, [this] { if (m_activeWorkArea) m_activeWorkArea->Document().OnCommand(command::kFileClose); }},
        {command::kWindowManager, [this] { OnWindowManager(); }},
    };
    for (const auto& [id, run] : commands)
        connect(m_actions[id], &QAction::triggered, this, run);
}

void CMainFrame::UpdateCommandStates() {
    const bool haveWorkArea = m_activeWorkArea != nullptr;
    for (int id : {command::kFilePrint, command::kFileOverviewGraph, command::kLapOverviewGraph, command::kFileClose})
        m_actions[id]->setEnabled(haveWorkArea);
    m_actions[command::kZoomMode]->setEnabled(m_graphStatus != 0);
    m_actions[command::kZoomMode]->setChecked(m_graphStatus != 0 && m_zoomMode);
    m_actions[command::kResetZoom]->setEnabled(m_graphStatus != 0);
    m_actions[command::kLoggingTime]->setChecked(m_logTimeShown != 0);
    m_actions[command::kAnalysisSetup]->setEnabled(m_yScale == nullptr);
    m_actions[command::kCaptionBar]->setChecked(false);  // the caption bar is never shown
}

void CMainFrame::BringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

FloatingWindow* CMainFrame::LoggingTimeWindow() const { return m_logTimeWidget ? m_logTime : nullptr; }

// The logging-time window reads what it shows (colours, whose cursor) when it paints.
void CMainFrame::RepaintLoggingTime() {
    if (auto* clock = dynamic_cast<CClockTimeDlg*>(LoggingTimeWindow()))
        clock->Invalidate();
}

YScaleWindow* CMainFrame::YScaleDialog() const { return m_yScaleWidget ? m_yScale : nullptr; }

QAction* CMainFrame::Action(int commandId) const {
    auto it = m_actions.find(commandId);
    return it == m_actions.end() ? nullptr : it->second;
}

QLabel* CMainFrame::StatusPane(int index) const {
    return index >= 0 && index < kStatusPaneCount ? m_statusPanes[static_cast<std::size_t>(index)] : nullptr;
}

// ----- work areas -----

CChildFrame* CMainFrame::OpenWorkArea(int number) {
    auto* frame = new CChildFrame(m_app, number);
    m_mdiArea->addSubWindow(frame);
    frame->View()->OnInitialUpdate();
    frame->showMaximized(); // a tab shows its work area whole, also while the program is inactive
    ActivateWorkArea(frame);
    return frame;
}

void CMainFrame::ActivateWorkArea(CChildFrame* frame) {
    // A closing work area has left the list; the focus moving into it as its windows go activates it no more.
    const auto& frames = m_app.WorkAreaWindowList();
    if (!frame || std::find(frames.begin(), frames.end(), frame) == frames.end())
        return;
    if (m_mdiArea->activeSubWindow() != frame)
        m_mdiArea->setActiveSubWindow(frame);
    if (m_activeWorkArea == frame)
        return;
    m_activeWorkArea = frame;
    frame->View()->OnActivateView(true);
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    // Null when the program loses activation: the active work area stays.
    if (auto* frame = dynamic_cast<CChildFrame*>(window))
        ActivateWorkArea(frame);
}

void CMainFrame::ForgetWorkArea(CChildFrame* frame) {
    // Qt activates and maximises a closing work area again while its graph windows go, leaving the others
    // normal: once it is gone, the work area in its place is made active and maximised.
    if (!m_closed)
        connect(frame, &QObject::destroyed, this, &CMainFrame::ShowWorkAreaLeft, Qt::QueuedConnection);
    if (m_activeWorkArea != frame)
        return;
    m_activeWorkArea = nullptr;
    if (m_closed)
        return;
    const auto& frames = m_app.WorkAreaWindowList();
    for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
        if (*it != frame) {
            ActivateWorkArea(*it);
            break;
        }
    }
}

void CMainFrame::ShowWorkAreaLeft() {
    if (m_closed)
        return;
    const auto& frames = m_app.WorkAreaWindowList();
    CChildFrame* left = m_activeWorkArea ? m_activeWorkArea : (frames.empty() ? nullptr : frames.back());
    if (!left)
        return;
    ActivateWorkArea(left);
    if (!left->isMaximized())
        left->showMaximized();
}

void CMainFrame::CloseWorkAreas() {
    const std::vector<CChildFrame*> frames = m_app.WorkAreaWindowList();
    for (CChildFrame* frame : frames) {
        frame->DestroyWorkArea();
        delete frame;
    }
}

// ----- commands -----

void CMainFrame::OnZoomMode() {
    if (m_graphStatus == 0)
        return;
    m_zoomMode = !m_zoomMode;
    m_zoomToolBar->show();
}

void CMainFrame::OnResetZoom() {
    if (m_graphStatus == 0)
        return;
    m_zoomMode = false;
    m_zoomToolBar->show();
    platform::PostMessage(ActiveViewHandle(), platform::UM_RESET_ZOOM_GRAPH_VIEW, 0, 0);
}

void CMainFrame::OnLoggingTime() {
    if (m_logTimeShown != 0 && m_logTimeWidget) {
        m_logTimeShown = 0;
        m_logTimeWidget->hide();
        return;
    }
    if (!m_logTimeWidget) {
        auto* window = new CClockTimeDlg(this, Handle(), m_app.Core(), m_app.Settings().Store(),
                                         [this] { return ShownCursor{m_cursorOwner, &m_cursorRecords}; });
        m_logTime = window;
        m_logTimeWidget = window;
    }
    m_logTimeShown = 1;
    m_logTimeWidget->show();
}

void CMainFrame::OnWindowManager() {
    WorkAreaWindowsDialog dialog(*this);
    dialog.DoModal();
}

void CMainFrame::OnAnalysisSetup() {
    if (YScaleDialog())
        return;
    RunSetupDialog(this, Handle(), m_app.Settings().Channels());
    if (m_mapDrawModeChanges <= 0)
        return;
    m_mapDrawModeChanges = 0;
    {
        platform::WaitCursor wait;
        orvelo::RebuildAllAnalysis(m_app.Core(), m_app.Settings().Channels().MapDrawMode());
    }
    if (m_properties)
        platform::PostMessage(m_properties->MapWindow(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 5, 0);
}

// ----- close and destroy -----

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_closed) {
        event->accept();
        return;
    }
    m_closed = true;
    {
        // Whatever the close writes is saved once, all of it or nothing.
        SettingsBatch batch(m_app.Settings().Store());
        StorePlacement();
        OnClose();
        CloseWorkAreas();
        OnDestroy();
    }
    event->accept();
}

// Saves the layout: every old value goes first; only when that worked is
// anything written, so a half-deleted layout is never mixed with a new one.
bool CMainFrame::OnClose() {
    AppSettings& settings = m_app.Settings();
    SettingsStore& store = settings.Store();
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    if (store.RegDeleteValues(key, QString()) != 0) {
        DestroyYScaleDialog();
        return false;
    }
    m_app.WorkAreaListSetting(1);
    for (CChildFrame* frame : m_app.WorkAreaWindowList())
        platform::SendMessage(frame->ViewHandle(), platform::UM_REGISTER_WND_PROPERTY, 1, 0);
    if (LoggingTimeWindow())
        m_logTimePlacement = m_logTime->Placement();
    WindowPlacementRec probe;
    if (store.ReadRecord(key, settings::kLogTimeWndPlace, &probe) != 0 && m_logTimePlacement.normalLeft < m_logTimePlacement.normalRight)
        store.WriteRecord(key, settings::kLogTimeWndPlace, m_logTimePlacement);
    m_app.LogTimeWndViewSetting(1, &m_logTimeShown);
    DestroyYScaleDialog();
    if (store.ReadRecord(key, settings::kScaleControlWndPlace, &probe) != 0 && m_yScalePlacement.normalLeft < m_yScalePlacement.normalRight)
        store.WriteRecord(key, settings::kScaleControlWndPlace, m_yScalePlacement);
    return true;
}

void CMainFrame::DestroyYScaleDialog() {
    if (m_yScaleWidget) {
        m_yScalePlacement = m_yScale->Placement();
        m_yScale->Shutdown();
        delete m_yScaleWidget.data();
    }
    m_yScale = nullptr;
    m_yScaleChannel = 0;
}

void CMainFrame::OnDestroy() {
    if (m_logTimeWidget) {
        m_logTime->Shutdown();
        delete m_logTimeWidget.data();
    }
    m_logTime = nullptr;
    m_logTimeShown = 0;
    m_app.ReleaseInstanceMark();
    orvelo::ClearAllLogData(m_app.Core());
}
