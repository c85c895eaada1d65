// The cursor values of a pick: the channel value of each lap, then per lap
// its distance and lap time, and for the base lap the segment information,
// the cursor record and the logging-time request.
#include "graphs/GraphPaneData.h"

#include "GraphTestHost.h"

#include "core/FileLists.h"
#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

constexpr WindowHandle kPane = 0x7001;

class GraphPanePickTest : public ::testing::Test {
protected:
    void SetUp() override {
        a = host.Load(QStringLiteral("a.log"), 3, 1);
        host.SetBase(a, 2);
        owner.OnAny([](const Message&) { return LResult{1}; });
        ownerHandle = owner.Handle();
    }
    // The base lap's point the pick finds moving right to x: the first with x' >= x.
    static const GraphTrace::Point& PointAt(const GraphPaneData& pane, int x) {
        const auto& points = pane.PrimaryTraces()[0].Points();
        return *std::find_if(points.begin(), points.end(), [x](const GraphTrace::Point& p) { return p.x >= x; });
    }
    std::vector<SpiedMessage> Posted() const { return spy.Of(SpiedMessage::Kind::Posted); }

    graphtest::TestGraphHost host;
    MessageWindow owner;
    WindowHandle ownerHandle = kNoWindow;
    std::u16string a;
    MessageSpy spy;
};

TEST_F(GraphPanePickTest, BaseLapAlonePostsItsValuesInOrder) {
    for (orvelo::PositionRec& sample : host.LapOf(a, 2).positions) {
        sample.distanceOffset = 5; // told apart from the fix time offset over time
        sample.fixTimeOffset = 7;
        sample.code = 3;
    }
    for (int mode : {GraphPaneData::kDistance, GraphPaneData::kTime}) {
        const auto pane = graphtest::LapOverlayPane(host, 1, 500, 100, kPane, ownerHandle);
        pane->SetXAxisMode(mode);
        pane->Rebuild(nullptr);
        const GraphTrace::Point& expected = PointAt(*pane, 200);
        const orvelo::PositionRec& s = host.LapOf(a, 2).positions[static_cast<std::size_t>(expected.sample)];
        spy.Clear();
        EXPECT_EQ(pane->Pick(200, 0), QPoint(expected.x, expected.y));
        pane->PostCursorValues();
        const LParam lap = MakeLong(2, 0);
        const WindowHandle properties = host.properties.Handle();
        const WindowHandle frame = host.mainFrame.Handle();
        std::vector<std::tuple<std::uint32_t, WindowHandle, WParam, LParam>> posted;
        for (const SpiedMessage& m : Posted())
            posted.emplace_back(m.id, m.to, m.wParam, m.id == UM_ANALYSIS_LINE || m.id == UM_PUT_LOGGING_TIME ? 0 : m.lParam);
        const WParam place = mode == GraphPaneData::kTime ? s.fixTimeOffset : s.distanceOffset;
        EXPECT_EQ(posted, (std::vector<std::tuple<std::uint32_t, WindowHandle, WParam, LParam>>{
                              {UM_SET_RPM_DATA_VALUE, properties, s.rpm, lap},
                              {UM_SET_DISTANCE_VALUE, properties, s.runningDistance, lap},
                              {UM_PUT_SEGMENT_INFO, ownerHandle, place, MakeLong(expected.x, s.code)},
                              {UM_MOVE_SEGMENT_INFO, ownerHandle, s.runningDistance, s.time},
                              {UM_ANALYSIS_LINE, frame, ownerHandle, 0},
                              {UM_PUT_LOGGING_TIME, frame, kPane, 0},
                              {UM_SET_LAP_TIME_VALUE, properties, s.time, lap}}))
            << mode;
    }
}

TEST_F(GraphPanePickTest, ThreeLapsPostPointByPoint) {
    const std::u16string b = host.Load(QStringLiteral("b.log"), 2, 2);
    host.AddOverlay(b, 1);
    host.AddOverlay(a, 3);
    const auto pane = graphtest::LapOverlayPane(host, 1, 500, 100, kPane, ownerHandle);
    spy.Clear();
    pane->Pick(150, 400);
    pane->PostCursorValues();
    std::vector<std::pair<std::uint32_t, int>> order; // message and row (-1 for the owner and the frame)
    for (const SpiedMessage& m : Posted())
        order.emplace_back(m.id, m.to == host.properties.Handle() ? HiWord(static_cast<std::uint64_t>(m.lParam)) : -1);
    EXPECT_EQ(order, (std::vector<std::pair<std::uint32_t, int>>{
                         {UM_SET_RPM_DATA_VALUE, 0}, {UM_SET_RPM_DATA_VALUE, 1}, {UM_SET_RPM_DATA_VALUE, 2},
                         {UM_SET_DISTANCE_VALUE, 0}, {UM_PUT_SEGMENT_INFO, -1}, {UM_MOVE_SEGMENT_INFO, -1},
                         {UM_ANALYSIS_LINE, -1}, {UM_PUT_LOGGING_TIME, -1}, {UM_SET_LAP_TIME_VALUE, 0},
                         {UM_SET_DISTANCE_VALUE, 1}, {UM_SET_LAP_TIME_VALUE, 1},
                         {UM_SET_DISTANCE_VALUE, 2}, {UM_SET_LAP_TIME_VALUE, 2}}));
    EXPECT_EQ(LoWord(static_cast<std::uint64_t>(Posted()[1].lParam)), 1u); // b's lap 1
}

// Files closed after the traces were built (the pane not redrawn since): their laps are picked
// by nobody, and the pane knows it shows them.
TEST_F(GraphPanePickTest, LapsWhoseFileWasClosedSinceTheBuildPickNothing) {
    const std::u16string b = host.Load(QStringLiteral("b.log"), 2, 2);
    host.AddOverlay(b, 1);
    host.AddOverlay(a, 3);
    const auto pane = graphtest::LapOverlayPane(host, 1, 500, 100, kPane, ownerHandle);
    ASSERT_EQ(pane->LapsDrawn(), 3);
    EXPECT_FALSE(pane->ShowsClosedLaps());

    orvelo::EraseLogFileByPath(host.Core(), b);
    EXPECT_TRUE(pane->ShowsClosedLaps());
    spy.Clear();
    EXPECT_FALSE(pane->Pick(150, 400).isNull());
    pane->PostCursorValues();
    std::vector<int> rows;
    for (const SpiedMessage& m : Posted()) {
        if (m.id == UM_SET_RPM_DATA_VALUE || m.id == UM_SET_DISTANCE_VALUE || m.id == UM_SET_LAP_TIME_VALUE)
            rows.push_back(HiWord(static_cast<std::uint64_t>(m.lParam)));
    }
    EXPECT_EQ(rows, (std::vector<int>{0, 2, 0, 0, 2, 2})); // b's lap in row 1 is left out
    ASSERT_EQ(pane->CursorList().size(), 2u);

    orvelo::EraseLogFileByPath(host.Core(), a);
    spy.Clear();
    EXPECT_TRUE(pane->Pick(150, 400).isNull());
    pane->PostCursorValues();
    EXPECT_TRUE(Posted().empty());
    EXPECT_TRUE(pane->CursorList().empty());
}

TEST_F(GraphPanePickTest, AnAnalogueAndASignedChannelPostTheirOwnMessages) {
    orvelo::Lap& lap = host.LapOf(a, 2);
    for (std::size_t i = 0; i < lap.positions.size(); ++i) {
        lap.positions[i].ana[2] = static_cast<std::uint8_t>(i * 7);
        lap.positions[i].gHorizRaw = -23;
    }
    const auto analogue = graphtest::LapOverlayPane(host, 16, 500, 100);
    const GraphTrace::Point& expected = PointAt(*analogue, 90);
    const auto g = graphtest::LapOverlayPane(host, 3, 500, 100);
    spy.Clear();
    analogue->Pick(90, 0);
    g->Pick(60, 0);
    ASSERT_EQ(Posted().size(), 2u);
    EXPECT_EQ(std::make_pair(Posted()[0].id, Posted()[0].wParam),
              std::make_pair(std::uint32_t{UM_SET_ANALOG3_VALUE}, WParam{static_cast<std::uint8_t>(expected.sample * 7)}));
    EXPECT_EQ(std::make_pair(Posted()[1].id, static_cast<int>(Posted()[1].wParam)),
              std::make_pair(std::uint32_t{UM_SET_G_HORIZ_DATA_VALUE}, -23));
    EXPECT_EQ(graphs::PointValueF32(g->CursorList().at(0)), -23.0f);
}

} // namespace
