#include "coursemap/CSegListPane.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

#include <QDockWidget>
#include <QEvent>

CSegListPane::CSegListPane(QWidget* parent, orvelo::LapDataCore& core, platform::WindowHandle mainFrame)
    : QWidget(parent), m_window(this), m_mainFrame(mainFrame) {
    setObjectName(QStringLiteral("SegmentListPane"));
    setWindowTitle(QStringLiteral("Segment list"));
    if (auto* dock = qobject_cast<QDockWidget*>(parent))
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetFloatable |
                          QDockWidget::DockWidgetMovable);
    m_view = new CSeglistview(core, mainFrame, this);
    m_view->installEventFilter(this);
    resize(kDefaultWidth, 400);
    // The lap list fills the rows; the pane itself has nothing to do.
    m_window.On(platform::UM_LAP_LIST_ALL_VIEW, [](const platform::Message&) { return platform::LResult{1}; });
}

CSegListPane::~CSegListPane() { m_window.Destroy(); }

void CSegListPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_activationState == 0) {
        m_activationState = 2;
        platform::PostMessage(m_mainFrame, platform::UM_DOCKING_PANEL_CREATED, 0,
                              static_cast<platform::LParam>(Handle()));
    }
}

void CSegListPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_view->setGeometry(1, 1, std::max(0, width() - 2), std::max(0, height() - 2));
}

bool CSegListPane::eventFilter(QObject* watched, QEvent* event) {
    // A pane that had the focus before it was first shown never tells the main frame.
    if (watched == m_view && event->type() == QEvent::FocusIn && m_activationState == 0)
        m_activationState = 1;
    return QWidget::eventFilter(watched, event);
}
