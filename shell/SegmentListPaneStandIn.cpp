#include "shell/SegmentListPaneStandIn.h"

#include "platform/UserMessages.h"

#include <QVBoxLayout>

SegmentListPaneStandIn::SegmentListPaneStandIn(QWidget* parent, platform::WindowHandle mainFrame)
    : StandInWindow(QStringLiteral("Segment list"), parent) {
    ReportFirstShowTo(mainFrame);
    m_view = new StandInWindow(QStringLiteral("Segment times"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    SetAnswer(platform::UM_LAP_LIST_ALL_VIEW, 1);
}
