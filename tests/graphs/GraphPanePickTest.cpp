// The cursor values a lap-overlay pane sends for a pick: the channel value of
// each lap, then per lap its distance and lap time, and for the base lap the
// segment information, the cursor record and the logging-time request.
#include "graphs/GraphPaneData.h"

#include "GraphTestHost.h"

#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;
using graphs::PointValueF32;

class GraphPanePickTest : public ::testing::Test {
protected:
    void SetUp() override {
        a = host.Load(QStringLiteral("a.log"), 3, 1);
        b = host.Load(QStringLiteral("b.log"), 2, 2);
        host.SetBase(a, 2);
    }
    std::unique_ptr<GraphPaneData> MakePane(int channel) {
        return graphtest::LapOverlayPane(host, channel, 500, 100, paneWindow.Handle(), owner.Handle());
    }
    // The row's point the pick finds moving right to x: the first with x' >= x.
    const GraphTrace::Point& PointAt(const GraphPaneData& pane, int row, int x) {
        for (const GraphTrace::Point& point : pane.PrimaryTraces()[static_cast<std::size_t>(row)].Points()) {
            if (point.x >= x)
                return point;
        }
        return pane.PrimaryTraces()[static_cast<std::size_t>(row)].Points().back();
    }
    std::vector<std::pair<std::uint32_t, WindowHandle>> Posted() const {
        std::vector<std::pair<std::uint32_t, WindowHandle>> posted;
        for (const SpiedMessage& m : spy.Of(SpiedMessage::Kind::Posted))
            posted.emplace_back(m.id, m.to);
        return posted;
    }

    graphtest::TestGraphHost host;
    graphtest::RecordingWindow owner;
    graphtest::RecordingWindow paneWindow;
    std::u16string a, b;
    MessageSpy spy;
};

TEST_F(GraphPanePickTest, BaseLapAlonePostsItsValuesInOrder) {
    const auto pane = MakePane(1);
    const GraphTrace::Point& expected = PointAt(*pane, 0, 200);
    const orvelo::PositionRec& sample = host.LapOf(a, 2).positions[static_cast<std::size_t>(expected.sample)];
    spy.Clear();
    EXPECT_EQ(pane->Pick(200, 0), QPoint(expected.x, expected.y));
    pane->PostCursorValues();
    const WindowHandle properties = host.properties.Handle();
    const WindowHandle frame = host.mainFrame.Handle();
    EXPECT_EQ(Posted(), (std::vector<std::pair<std::uint32_t, WindowHandle>>{
                            {UM_SET_RPM_DATA_VALUE, properties},
                            {UM_SET_DISTANCE_VALUE, properties},
                            {UM_PUT_SEGMENT_INFO, owner.Handle()},
                            {UM_MOVE_SEGMENT_INFO, owner.Handle()},
                            {UM_ANALYSIS_LINE, frame},
                            {UM_PUT_LOGGING_TIME, frame},
                            {UM_SET_LAP_TIME_VALUE, properties}}));
    const std::vector<SpiedMessage> posted = spy.Of(SpiedMessage::Kind::Posted);
    const LParam lap = MakeLong(2, 0);
    auto params = [&](std::size_t i) { return std::make_pair(posted[i].wParam, posted[i].lParam); };
    EXPECT_EQ(params(0), std::make_pair(WParam{sample.rpm}, lap));
    EXPECT_EQ(params(1), std::make_pair(WParam{sample.runningDistance}, lap));
    EXPECT_EQ(params(2), std::make_pair(WParam{sample.distanceOffset}, MakeLong(expected.x, sample.code)));
    EXPECT_EQ(params(3), std::make_pair(WParam{sample.runningDistance}, LParam{sample.time}));
    EXPECT_EQ(posted[4].wParam, owner.Handle());
    EXPECT_EQ(posted[5].wParam, paneWindow.Handle());
    EXPECT_EQ(params(6), std::make_pair(WParam{sample.time}, lap));
}

TEST_F(GraphPanePickTest, OverTimeTheSegmentInformationCarriesTheFixTimeOffset) {
    auto pane = MakePane(1);
    pane->SetXAxisMode(GraphPaneData::kTime);
    pane->Rebuild(nullptr);
    const GraphTrace::Point& expected = PointAt(*pane, 0, 321);
    pane->Pick(321, 0);
    spy.Clear();
    pane->PostCursorValues();
    const SpiedMessage segment = spy.Of(SpiedMessage::Kind::Posted, owner.Handle(), UM_PUT_SEGMENT_INFO).at(0);
    EXPECT_EQ(segment.wParam,
              WParam{host.LapOf(a, 2).positions[static_cast<std::size_t>(expected.sample)].fixTimeOffset});
}

TEST_F(GraphPanePickTest, ThreeLapsPostPointByPoint) {
    host.AddOverlay(b, 1);
    host.AddOverlay(a, 3);
    const auto pane = MakePane(1);
    spy.Clear();
    pane->Pick(150, 400);
    pane->PostCursorValues();
    std::vector<std::pair<std::uint32_t, int>> order; // message and row
    for (const SpiedMessage& m : spy.Of(SpiedMessage::Kind::Posted))
        order.emplace_back(m.id, m.to == host.properties.Handle() ? HiWord(static_cast<std::uint64_t>(m.lParam)) : -1);
    EXPECT_EQ(order, (std::vector<std::pair<std::uint32_t, int>>{
                         {UM_SET_RPM_DATA_VALUE, 0}, {UM_SET_RPM_DATA_VALUE, 1}, {UM_SET_RPM_DATA_VALUE, 2},
                         {UM_SET_DISTANCE_VALUE, 0}, {UM_PUT_SEGMENT_INFO, -1}, {UM_MOVE_SEGMENT_INFO, -1},
                         {UM_ANALYSIS_LINE, -1}, {UM_PUT_LOGGING_TIME, -1}, {UM_SET_LAP_TIME_VALUE, 0},
                         {UM_SET_DISTANCE_VALUE, 1}, {UM_SET_LAP_TIME_VALUE, 1},
                         {UM_SET_DISTANCE_VALUE, 2}, {UM_SET_LAP_TIME_VALUE, 2}}));
    EXPECT_EQ(LoWord(static_cast<std::uint64_t>(spy.Of(SpiedMessage::Kind::Posted)[1].lParam)), 1u); // b's lap 1
}

TEST_F(GraphPanePickTest, AnAnalogueChannelPostsItsOwnMessage) {
    orvelo::Lap& lap = *host.Core().ResolveLap(orvelo::FindLogLap(host.Core(), a, 2));
    for (std::size_t i = 0; i < lap.positions.size(); ++i)
        lap.positions[i].ana[2] = static_cast<std::uint8_t>(i * 7);
    const auto pane = MakePane(16);
    const GraphTrace::Point& expected = PointAt(*pane, 0, 90);
    spy.Clear();
    pane->Pick(90, 0);
    const std::vector<SpiedMessage> values = spy.Of(SpiedMessage::Kind::Posted);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].id, UM_SET_ANALOG3_VALUE);
    EXPECT_EQ(values[0].wParam, WParam{static_cast<std::uint8_t>(expected.sample * 7)});
}

TEST_F(GraphPanePickTest, NegativeValuesTravelSigned) {
    orvelo::Lap& lap = *host.Core().ResolveLap(orvelo::FindLogLap(host.Core(), a, 2));
    for (orvelo::PositionRec& sample : lap.positions)
        sample.gHorizRaw = -23;
    const auto pane = MakePane(3);
    spy.Clear();
    pane->Pick(60, 0);
    EXPECT_EQ(static_cast<int>(spy.Of(SpiedMessage::Kind::Posted).at(0).wParam), -23);
    EXPECT_EQ(PointValueF32(pane->CursorList().at(0)), -23.0f);
}

// The cursor record and the cursor list travel as copies: the frame reads
// them after the pane is gone.
TEST_F(GraphPanePickTest, RecordAndListOutliveThePane) {
    host.AddOverlay(b, 2);
    host.AddOverlay(a, 1);
    GraphPoint record;
    std::vector<GraphPoint> list;
    {
        const auto pane = MakePane(2);
        pane->Pick(250, 0);
        pane->PostCursorValues();
        record = pane->AnalysisRecord();
        list = pane->CursorList();
    }
    TheMessageBus().ProcessPosted();
    const std::vector<Message> analysis = host.mainFrame.Of(UM_ANALYSIS_LINE);
    ASSERT_EQ(analysis.size(), 1u);
    const GraphPoint* received = BlockIn<GraphPoint>(analysis[0], analysis[0].lParam);
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(received->words, record.words);
    EXPECT_EQ(received->words[graphs::kPointRow], 0);
    const std::vector<Message> logging = host.mainFrame.Of(UM_PUT_LOGGING_TIME);
    ASSERT_EQ(logging.size(), 1u);
    const auto* points = BlockIn<std::vector<GraphPoint>>(logging[0], logging[0].lParam);
    ASSERT_NE(points, nullptr);
    ASSERT_EQ(points->size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ((*points)[i].words, list[i].words);
        EXPECT_EQ((*points)[i].words[graphs::kPointRow], static_cast<int>(i));
    }
}

} // namespace
