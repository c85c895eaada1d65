#include "shell/CClassView.h"

#include "shell/LapListModel.h"
#include "settings/SegmentListFeed.h"

#include "core/LapDataCore.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"

#include <QEvent>
#include <QMenu>
#include <QStyle>

CClassView::CClassView(orvelo::LapDataCore& core, platform::WindowHandle mainWindow, const LapColorAccess& colors,
                       QWidget* parent)
    : QWidget(parent), m_core(core), m_window(this), m_mainWindow(mainWindow), m_colors(colors) {
    setObjectName(QStringLiteral("LapListPane"));
    setWindowTitle(QStringLiteral(" Lap list"));
    m_view = new CListViewEx(core, mainWindow, m_window.Handle(), this);
    m_view->installEventFilter(this);
    m_view->OnInitialUpdate(m_colors);
    resize(kDefaultWidth, 400);
    AdjustLayout();
    MapMessages();
}

CClassView::~CClassView() { m_window.Destroy(); }

void CClassView::UseSegmentList(SegmentListPane& segmentList) {
    // The segment list view takes the rows when it is built to; a stand-in takes none.
    m_view->SetSegmentList(dynamic_cast<SegmentListFeed*>(&segmentList));
}

void CClassView::MapMessages() {
    using platform::LResult;
    using platform::Message;
    m_window.On(platform::UM_LAP_LIST_ALL_VIEW, [this](const Message&) {
        m_view->Fill();
        return LResult{1};
    });
    m_window.On(platform::UM_VIEW_READ_MAP_FILE, [this](const Message& m) {
        const auto* course = platform::BlockIn<platform::MapInfoBlock>(m, m.lParam);
        if (course || m.lParam == 0)
            m_view->UpdateCurrentLapBlock(m.wParam, course);
        return LResult{1};
    });
    m_window.On(platform::UM_RESET_LAP_LIST, [this](const Message& m) { return OnResetLapList(m); });
    m_window.On(platform::UM_LAP_COLOR_PROPERTY, [this](const Message& m) { return OnLapColorProperty(m); });
    m_window.On(platform::UM_LIST_HEADER_RIGHT_CLICK, [this](const Message& m) { return OnHeaderRightClick(m); });
}

platform::LResult CClassView::OnResetLapList(const platform::Message& m) {
    if (m.lParam == 1)
        return 0;
    std::u16string path;
    std::u16string number;
    if (orvelo::GetCurrentLap(m_core, path, number) == 0)
        m_view->ZeroCurrentLapBlock();
    if (m.wParam == 0)
        orvelo::ClearLapSelection(m_core);
    // The overlay laps that moved down a slot take its colour, as after clearing an "Over" square.
    orvelo::ApplyLapColors(m_core, m_view->LapColors());
    m_view->SetRowCount(0);
    m_view->Fill();
    return 0;
}

platform::LResult CClassView::OnLapColorProperty(const platform::Message& m) {
    const auto* colors = platform::BlockIn<orvelo::LapColorArray>(m, m.wParam);
    if (!colors)
        return 1;
    orvelo::LapColorArray table = *colors;
    // Stored colours are in effect (the compared laps took them); a failed write changes nothing.
    if (m_colors.setting && m_colors.setting(1, table) == 0)
        m_view->SetLapColors(table);
    // The properties pane gets its own copy of the colours in effect.
    platform::PostMessage(m_propertiesPane, platform::MessageWithBlockInWParam(platform::UM_LAP_COLOR_PROPERTY,
                                                                               m_view->LapColors(), m.lParam));
    return 1;
}

platform::LResult CClassView::OnHeaderRightClick(const platform::Message& m) {
    const auto* hit = platform::BlockIn<HeaderHitRecord>(m, m.lParam);
    if (!hit || m_view->Model().RowCount() == 0)
        return 0;
    const QPoint global(hit->x, hit->y);
    if (hit->column == laplist::kBaseColumn || hit->column == laplist::kOverColumn) {
        QMenu menu(this);
        QAction* item = menu.addAction(QStringLiteral("Lap color property..."));
        item->setData(kCmdLapColorProperty);
        if (platform::RunPopupMenu(menu, global) == item)
            platform::PostMessage(m_mainWindow, platform::UM_LAP_COLOR_PROPERTY, static_cast<platform::WParam>(Handle()), 0);
        return 0;
    }
    RunHeaderMenu(global);
    return 0;
}

void CClassView::RunHeaderMenu(const QPoint& globalPos) {
    QMenu menu(this);
    QMenu* fileControl = menu.addMenu(QStringLiteral("view file control"));
    QAction* allView = fileControl->addAction(QStringLiteral("all view"));
    fileControl->addSeparator();
    fileControl->addAction(QStringLiteral("test file name"))->setEnabled(false);
    QAction* byFile = menu.addAction(QStringLiteral("group by file"));
    QAction* byFolder = menu.addAction(QStringLiteral("group by folder (path )"));
    menu.addSeparator();
    QAction* resetOverLap = menu.addAction(QStringLiteral("reset over lap"));
    resetOverLap->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    byFile->setCheckable(true);
    byFile->setChecked(m_view->GroupingMode() == LapListGrouping::kByFile);
    byFolder->setCheckable(true);
    byFolder->setChecked(m_view->GroupingMode() == LapListGrouping::kByFolder);
    QAction* chosen = platform::RunPopupMenu(menu, globalPos);
    const auto paneParam = static_cast<platform::LParam>(Handle());
    if (chosen == allView)
        OnAllView();
    else if (chosen == byFile)
        platform::PostMessage(m_view->Handle(), CListViewEx::kCmdGroupByFile, 0, paneParam);
    else if (chosen == byFolder)
        platform::PostMessage(m_view->Handle(), CListViewEx::kCmdGroupByFolder, 0, paneParam);
    else if (chosen == resetOverLap)
        platform::PostMessage(m_view->Handle(), CListViewEx::kCmdResetOverLap, 0, paneParam);
}

void CClassView::OnAllView() {
    for (orvelo::LogFile& file : m_core.LogFiles)
        file.loadState = 1;
    platform::PostMessage(m_view->Handle(), platform::UM_LAP_LIST_REVIEW, 0, 0);
}

void CClassView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first time the pane is brought into view without having had the focus, it tells the
    // main frame that it exists.
    if (m_activationState == 0) {
        m_activationState = 2;
        platform::PostMessage(m_mainWindow, platform::UM_DOCKING_PANEL_CREATED, 0, static_cast<platform::LParam>(Handle()));
    }
}

bool CClassView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && event->type() == QEvent::FocusIn && m_activationState == 0)
        m_activationState = 1;
    return QWidget::eventFilter(watched, event);
}

void CClassView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    AdjustLayout();
}

void CClassView::AdjustLayout() { m_view->setGeometry(1, 1, qMax(0, width() - 2), qMax(0, height() - 2)); }
