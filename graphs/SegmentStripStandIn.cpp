#include "graphs/SegmentStripStandIn.h"

SegmentStripStandIn::SegmentStripStandIn(QWidget* parent) : QWidget(parent), m_top(this), m_left(this) {
    setObjectName(QStringLiteral("SegmentStripStandIn"));
    for (platform::MessageWindow* pane : {&m_top, &m_left})
        pane->OnAny([](const platform::Message&) { return platform::LResult{0}; });
}

void SegmentStripStandIn::Build(CLapOverviewDlg&, bool rebuild) { m_builds += rebuild ? 1 : 0; }

void SegmentStripStandIn::Relayout(const QRect& area) { setGeometry(area); }
