#include "shell/CClockTimeDlg.h"

#include "shell/CListViewLogTime.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsStore.h"

#include <QVBoxLayout>

#include <utility>

using namespace platform;

CClockTimeDlg::CClockTimeDlg(QWidget* mainWindow, WindowHandle mainFrame, orvelo::LapDataCore& core,
                             SettingsStore& store, std::function<ShownCursor()> shownCursor)
    : QDialog(mainWindow, Qt::Tool), m_window(this), m_mainFrame(mainFrame), m_store(store),
      m_list(new CListViewLogTime(core, std::move(shownCursor), this)) {
    setObjectName(QStringLiteral("LoggingTimeWindow"));
    setWindowTitle(QStringLiteral("Logging time"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    m_window.On(UM_PUT_LOGGING_TIME, [this](const Message& m) {
        if (const auto* record = BlockIn<GraphPoint>(m, m.lParam))
            m_list->UpdateClockTime(*record);
        return LResult{1};
    });
    m_window.On(UM_REDRAW_LAP_GRAPH, [this](const Message&) {
        m_list->FillRows();
        FitToRows();
        return LResult{1};
    });
    OnInitDialog(mainWindow);
}

CClockTimeDlg::~CClockTimeDlg() { Shutdown(); }

void CClockTimeDlg::OnInitDialog(QWidget* mainWindow) {
    constexpr int kHalfAcross = 2;  // the default's left edge: the main window's width divided by this
    m_list->OnInitialUpdate();
    FitToRows();
    WindowPlacement saved;
    const bool stored =
        m_store.ReadRecord(settings::SubKeyPath(settings::kWindowViewInfo), settings::kLogTimeWndPlace, &saved) == 0;
    platform::PlaceFloatingWindow(*this, mainWindow, kHalfAcross, stored ? &saved : nullptr, m_restoredPlace);
}

void CClockTimeDlg::Invalidate() { m_list->viewport()->update(); }

// The client holds the list exactly: 150 wide, at least three rows high.
void CClockTimeDlg::FitToRows() { setFixedSize(CListViewLogTime::kListWidth, m_list->ListHeight()); }

void CClockTimeDlg::Shutdown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_store.WriteRecord(settings::SubKeyPath(settings::kWindowViewInfo), settings::kLogTimeWndPlace, Placement());
    m_window.Destroy();
    PostMessage(m_mainFrame, UM_PLOT_GRAPH_CLOSED, 0, 0);
}
