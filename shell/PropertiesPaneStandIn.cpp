#include "shell/PropertiesPaneStandIn.h"

#include "platform/UserMessages.h"

#include <QVBoxLayout>

PropertiesPaneStandIn::PropertiesPaneStandIn(QWidget* parent, platform::WindowHandle mainFrame)
    : StandInWindow(QStringLiteral("Log data property window"), parent) {
    ReportFirstShowTo(mainFrame);
    m_map = new StandInWindow(QStringLiteral("Course map"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(2);
    layout->addWidget(m_map, 1);
    SetAnswer(platform::UM_CLOSE_SLIDING_PANEL, 1);
    SetAnswer(platform::UM_OPEN_SLIDING_PANEL, 1);
}
