// The cursor values of a graph pane: the pick of its primary channel and the
// messages that follow it.
#include "graphs/GraphPaneData.h"

#include "graphs/GraphHost.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

using namespace graphs;
using platform::GraphPoint;
using platform::LParam;
using platform::WParam;

namespace {

// A signed word as a message parameter, read back with a cast to int.
WParam WordParam(std::int32_t word) { return static_cast<WParam>(static_cast<std::int64_t>(word)); }

// The lap number in the low and the lap's row in the high 16 bits.
LParam LapParam(const GraphPoint& point) {
    return platform::MakeLong(static_cast<std::uint32_t>(point.words[kPointLapNumber]),
                              static_cast<std::uint32_t>(point.words[kPointRow]));
}

} // namespace

QPoint GraphPaneData::Pick(int x, int previousX) {
    m_cursorList.clear();
    m_lapsWithoutValue.clear();
    QPoint basePoint;
    const GraphChannel* channel = GraphChannelOf(PrimaryChannel());
    if (!channel)
        return basePoint;
    const platform::WindowHandle notify = m_host.PropertiesPane();
    for (const GraphTrace& trace : Traces(channel->traceIndex)) {
        if (!trace.LapLoaded())
            continue; // a lap closed since has no row to show
        if (trace.Empty()) {
            // A lap with nothing drawn (no position records, or none in the view) has no value,
            // but its row still names it.
            const LParam lap = platform::MakeLong(trace.LapNumber(), static_cast<std::uint32_t>(trace.Row()));
            platform::PostMessage(notify, channel->message, platform::kNoCursorValue, lap);
            m_lapsWithoutValue.push_back(lap);
            continue;
        }
        GraphPoint point;
        m_plot.FindSampleAt(point, x, previousX, trace);
        platform::PostMessage(notify, channel->message, WordParam(point.words[kPointValue]), LapParam(point));
        m_cursorList.push_back(point);
        if (point.words[kPointRow] == 0) {
            m_cursorX = point.words[kPointX];
            m_cursorY = point.words[kPointY];
            basePoint = QPoint(m_cursorX, m_cursorY);
            m_cursorSample = point.words[kPointIndex];
            m_cursorSampleKept = false;
        }
    }
    return basePoint;
}

void GraphPaneData::PostCursorValues() {
    const platform::WindowHandle notify = m_host.PropertiesPane();
    const platform::WindowHandle mainFrame = m_host.MainFrame();
    for (const GraphPoint& point : m_cursorList) {
        const LParam lap = LapParam(point);
        platform::PostMessage(notify, platform::UM_SET_DISTANCE_VALUE, WordParam(point.words[kPointDistance]), lap);
        if (point.words[kPointRow] == 0) {
            PostSegmentInfo(point);
            m_analysisRecord = point;
            platform::PostMessage(mainFrame,
                                  platform::MessageWithBlock(platform::UM_ANALYSIS_LINE, m_owner, m_analysisRecord));
            platform::PostMessage(mainFrame, platform::MessageWithBlock(platform::UM_PUT_LOGGING_TIME, m_pane,
                                                                        m_cursorList));
        }
        platform::PostMessage(notify, platform::UM_SET_LAP_TIME_VALUE, WordParam(point.words[kPointTime]), lap);
    }
    for (const LParam lap : m_lapsWithoutValue) {
        platform::PostMessage(notify, platform::UM_SET_DISTANCE_VALUE, platform::kNoCursorValue, lap);
        platform::PostMessage(notify, platform::UM_SET_LAP_TIME_VALUE, platform::kNoCursorValue, lap);
    }
}

void GraphPaneData::PostSegmentInfo(const GraphPoint& point) {
    const std::int32_t place = point.words[m_xAxisMode == kTime ? kPointFixTimeOffset : kPointDistanceOffset];
    platform::PostMessage(m_owner, platform::UM_PUT_SEGMENT_INFO, WordParam(place),
                          platform::MakeLong(static_cast<std::uint32_t>(m_cursorX),
                                             static_cast<std::uint32_t>(point.words[kPointCode])));
    platform::PostMessage(m_owner, platform::UM_MOVE_SEGMENT_INFO, WordParam(point.words[kPointDistance]),
                          point.words[kPointTime]);
}
