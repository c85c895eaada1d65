#include "shell/LoggingTimeWindowStandIn.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

LoggingTimeWindowStandIn::LoggingTimeWindowStandIn(QWidget* parent, platform::WindowHandle mainFrame)
    : StandInWindow(QStringLiteral("Logging time"), parent), m_mainFrame(mainFrame) {
    setWindowFlags(Qt::Tool);
    setWindowTitle(QStringLiteral("Logging time"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(240, 160);
    SetAnswer(platform::UM_PUT_LOGGING_TIME, 1);
}

LoggingTimeWindowStandIn::~LoggingTimeWindowStandIn() { Shutdown(); }

void LoggingTimeWindowStandIn::Shutdown() {
    if (m_reportedGone)
        return;
    m_reportedGone = true;
    platform::PostMessage(m_mainFrame, platform::UM_PLOT_GRAPH_CLOSED, 0, 0);
}
