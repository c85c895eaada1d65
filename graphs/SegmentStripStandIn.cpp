#include "graphs/SegmentStripStandIn.h"

SegmentStripStandIn::SegmentStripStandIn(QWidget* parent) : QWidget(parent), m_top(this), m_left(this) {
    setObjectName(QStringLiteral("SegmentStripStandIn"));
    for (platform::MessageWindow* pane : {&m_top, &m_left})
        pane->OnAny([](const platform::Message&) { return platform::LResult{0}; });
}

// Nothing to build: the stand-in shows no bands.
void SegmentStripStandIn::Build(CLapOverviewDlg&, bool) {}

void SegmentStripStandIn::Relayout(const QRect& area) { setGeometry(area); }
