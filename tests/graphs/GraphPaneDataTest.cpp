// A lap-overlay pane over generated sessions: the traces of the compared
// laps, the zoomed view, the kept cursor value, laps whose file is gone, the
// drawing order; and a file-overview pane's file.
#include "graphs/GraphPaneData.h"

#include "GraphTestHost.h"

#include "platform/GdiDraw.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

using orvelo::Lap;

class GraphPaneDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        a = host.Load(QStringLiteral("a.log"), 3, 1);
        b = host.Load(QStringLiteral("b.log"), 3, 2);
        host.SetBase(a, 2);
        host.AddOverlay(a, 3);
        host.AddOverlay(b, 1);
        host.AddOverlay(b, 2);
        laps = {&host.LapOf(a, 2), &host.LapOf(a, 3), &host.LapOf(b, 1), &host.LapOf(b, 2)};
        pane = graphtest::LapOverlayPane(host, 1, 400, 120);
    }
    const GraphTrace& Trace(std::size_t row) { return pane->PrimaryTraces()[row]; }

    graphtest::TestGraphHost host;
    std::u16string a, b;
    std::vector<const Lap*> laps;
    std::unique_ptr<GraphPaneData> pane;
};

TEST_F(GraphPaneDataTest, TracesEachComparedLapInItsRowAndColour) {
    ASSERT_EQ(pane->LapsDrawn(), 4);
    EXPECT_DOUBLE_EQ(pane->XPixelsPerUnit(), 400.0 / std::max({laps[0]->distance, laps[1]->distance,
                                                               laps[2]->distance, laps[3]->distance}));
    const auto& colors = host.Settings().Colors().ChannelColorRecords()[0].lapColors;
    for (std::size_t row = 0; row < 4; ++row) {
        const Lap& lap = *laps[row];
        EXPECT_EQ(std::make_tuple(int{lap.drawnMark}, Trace(row).LapNumber()), std::make_tuple(1, lap.lapNumber));
        EXPECT_EQ(Trace(row).Pen().color(), platform::ToQColor(colors[row]));
        ASSERT_EQ(Trace(row).Size() + 1u, lap.positions.size()); // all but the lap-end sample
        EXPECT_NE(lap.positions.back().lapEndMark, 0);
        for (int k = 0; k < Trace(row).Size(); ++k) {
            const orvelo::PositionRec& sample = lap.positions[static_cast<std::size_t>(k)];
            ASSERT_EQ(Trace(row).At(k).x, k == 0 ? 0 : graphs::RoundPixel(sample.runningDistance * pane->XPixelsPerUnit()));
            ASSERT_EQ(Trace(row).At(k).y, graphs::RoundPixel(120 - 120.0 / 20000 * sample.rpm)) << k;
        }
    }
    EXPECT_TRUE(pane->AllLapsEndedInView());
    EXPECT_EQ(pane->XEnd(), pane->UnzoomedXEnd());
    host.Settings().Channels().ChannelValueTable()[0].currentMax = 12000;
    pane->SetChannelRange({0, 0, 0, 1, 0, 0, 0, 0.0f});
    pane->Rebuild(nullptr);
    EXPECT_EQ(std::make_tuple(pane->Grid().step, host.Core().GraphScaleDefaults.rpmSpan), std::make_tuple(1000.0, 12000));
}

TEST_F(GraphPaneDataTest, ZoomedViewStartsAtTheXStartAndStopsBeyondTheWidth) {
    const std::uint32_t unzoomedEnd = pane->UnzoomedXEnd();
    pane->SetZoom(100, 50);
    pane->Rebuild(nullptr);
    EXPECT_DOUBLE_EQ(pane->XPixelsPerUnit(), 8.0);
    EXPECT_FALSE(pane->AllLapsEndedInView());
    EXPECT_EQ(pane->UnzoomedXEnd(), unzoomedEnd);
    for (std::size_t row = 0; row < 4; ++row) {
        const auto& positions = laps[row]->positions;
        const GraphTrace& trace = Trace(row);
        ASSERT_GE(trace.Size(), 2);
        const auto first = static_cast<std::size_t>(trace.At(0).sample);
        const GraphTrace::Point& last = trace.At(trace.Size() - 1);
        // The first sample at or after 100 m at x 0, the last one the first beyond the width.
        EXPECT_TRUE(positions[first].runningDistance >= 100 && positions[first - 1].runningDistance < 100);
        EXPECT_EQ(trace.At(0).x, 0);
        EXPECT_EQ(last.x, graphs::RoundPixel((positions[static_cast<std::size_t>(last.sample)].runningDistance - 100.0) * 8));
        EXPECT_TRUE(last.x > 400 && trace.At(trace.Size() - 2).x <= 400);
    }
}

// A redraw puts the cursor on the first sample, in the walk's round order,
// whose time is the kept value: the base lap's sample if it reaches that time
// in the same round or before the overlay lap whose time was kept.
TEST_F(GraphPaneDataTest, KeptCursorValueBecomesTheCursor) {
    pane->SetXAxisMode(GraphPaneData::kTime);
    pane->Rebuild(nullptr);
    const std::uint32_t time = laps[1]->positions[30].time;
    std::optional<QPoint> expected;
    for (int round = 0; !expected && round <= 30; ++round) {
        for (std::size_t row = 0; row < 4 && !expected; ++row) {
            if (laps[row]->positions[static_cast<std::size_t>(round)].time == time)
                expected = QPoint(Trace(row).At(round).x, Trace(row).At(round).y);
        }
    }
    pane->KeepCursorValue(time);
    pane->Rebuild(nullptr);
    EXPECT_EQ(std::make_tuple(pane->CursorKnown(), pane->KeptCursorValue().has_value(), pane->CursorPoint()),
              std::make_tuple(true, false, *expected));
    pane->ForgetCursor();
    pane->KeepCursorValue(999999);
    pane->Rebuild(nullptr);
    EXPECT_EQ(std::make_tuple(pane->CursorKnown(), pane->KeptCursorValue()), std::make_tuple(false, std::optional(999999u)));
}

TEST_F(GraphPaneDataTest, LapsOfAFileThatIsGoneAreSkipped) {
    orvelo::EraseLogFileByPath(host.Core(), b);
    pane->Rebuild(nullptr);
    EXPECT_EQ(pane->LapsDrawn(), 2);
    EXPECT_EQ(Trace(1).LapNumber(), 3u);
    pane->SetChannelMask(0);
    pane->Rebuild(nullptr);
    EXPECT_EQ(std::make_pair(pane->LapsDrawn(), pane->Pick(50, 0)), std::make_pair(0, QPoint()));
}

TEST(GraphPaneOutLapTest, LapOneAfterAnOutLapDrawsOneTraceOverDistanceAndTime) {
    graphtest::TestGraphHost host;
    const std::u16string file = host.Load(QStringLiteral("out.log"), 2, 5, samplegen::Variant::OutLap);
    host.SetBase(file, 1);
    const Lap& lap = host.LapOf(file, 1);
    for (const int mode : {GraphPaneData::kDistance, GraphPaneData::kTime}) {
        auto pane = std::make_unique<GraphPaneData>(host, GraphPaneData::kLapOverlay);
        pane->SetXAxisMode(mode);
        pane->SetChannelMask(1u);
        pane->SetClientSize(400, 120);
        pane->SetChannelRange({0, 0, 0, 1, 0, 0, 0, 0.0f});
        pane->Rebuild(nullptr);
        ASSERT_EQ(pane->LapsDrawn(), 1);
        const GraphTrace& trace = pane->PrimaryTraces()[0];
        ASSERT_EQ(trace.Size() + 1u, lap.positions.size()) << mode;
        for (int k = 1; k < trace.Size(); ++k)
            ASSERT_LE(trace.At(k - 1).x, trace.At(k).x) << "mode " << mode << " point " << k;
        EXPECT_GT(trace.At(trace.Size() - 1).x, 390) << mode; // the lap spans the width once
    }
}

// Segments are drawn as the shared walk meets them: where a lap's late
// segment crosses another lap's early one, the late one lies on top, though
// it belongs to the earlier row.
TEST(GraphPaneDrawTest, SegmentsAreDrawnRoundByRound) {
    graphtest::TestGraphHost host;
    orvelo::LogFile file;
    file.fileId = host.Core().TakeNextFileId();
    auto sample = [](std::uint32_t distance, std::uint32_t rpm) { return orvelo::PositionRec{.rpm = rpm, .runningDistance = distance}; };
    Lap flat; // 50 samples standing at the start, then 10000 rpm (row 50) to 100 m
    Lap jump; // 2000 rpm (row 90) to 50 m, then 18000 rpm (row 10)
    flat.positions.assign(50, sample(0, 10000));
    for (std::uint32_t d = 0; d <= 100; ++d) {
        flat.positions.push_back(sample(d, 10000));
        jump.positions.push_back(sample(d, d <= 50 ? 2000 : 18000));
        if (d == 50)
            jump.positions.push_back(sample(50, 18000));
    }
    flat.distance = jump.distance = 100;
    file.laps = {flat, jump};
    host.Core().LogFiles.push_back(file);
    for (int row = 0; row < 2; ++row)
        host.Core().SelectedLaps[static_cast<std::size_t>(row)] = {{orvelo::FileSet::Log, file.fileId, row}, 0, 1, 0, {}};
    const auto pane = graphtest::LapOverlayPane(host, 1, 100, 100);
    QImage layer(100, 100, QImage::Format_RGB32);
    layer.fill(Qt::black);
    QPainter painter(&layer);
    platform::PrepareGdiPainter(painter);
    pane->Rebuild(&painter);
    painter.end();
    const auto& colors = host.Settings().Colors().ChannelColorRecords()[0].lapColors;
    const QRgb first = platform::ToQColor(colors[0]).rgb();
    const QRgb second = platform::ToQColor(colors[1]).rgb();
    EXPECT_EQ(std::make_tuple(layer.pixel(50, 50), layer.pixel(30, 50)), std::make_tuple(first, first));
    EXPECT_EQ(std::make_tuple(layer.pixel(50, 60), layer.pixel(30, 90)), std::make_tuple(second, second));
}

TEST(FileOverviewPaneTest, TakesTheFirstFileWithABaseLapAndFindsItAgainByPath) {
    graphtest::TestGraphHost host;
    GraphPaneData pane(host, GraphPaneData::kFileOverview);
    EXPECT_FALSE(pane.OpenFirstBaseLapFile());
    const std::u16string a = host.Load(QStringLiteral("a.log"), 2, 1);
    const std::u16string b = host.Load(QStringLiteral("b.log"), 3, 2);
    EXPECT_FALSE(pane.OpenFirstBaseLapFile()); // no base lap yet
    host.SetBase(b, 2);
    ASSERT_TRUE(pane.OpenFirstBaseLapFile());
    EXPECT_EQ(std::make_tuple(pane.HasData(), pane.FilePath(), pane.FileTitle(), pane.FileBaseLapNumber()),
              std::make_tuple(true, b, std::u16string(u"b"), 2u));
    EXPECT_EQ(host.Core().LogFiles[0].drawnMark + 2 * host.Core().LogFiles[1].drawnMark, 2); // only b's
    pane.SetZoom(10, 40);
    EXPECT_FALSE(pane.RefindFile()); // the same base lap: the zoom stays
    EXPECT_TRUE(pane.Zoomed());
    host.SetBase(b, 3);
    EXPECT_TRUE(pane.RefindFile()); // a new base-lap number drops the zoom
    EXPECT_EQ(std::make_pair(pane.Zoomed(), pane.FileBaseLapNumber()), std::make_pair(false, 3u));
    pane.SetZoom(10, 40);
    orvelo::EraseLogFileByPath(host.Core(), b);
    EXPECT_TRUE(pane.RefindFile()); // the file gone: no data, and no zoom to show on it
    EXPECT_EQ(std::make_pair(pane.HasData(), pane.Zoomed()), std::make_pair(false, false));
    pane.SetZoom(10, 40);
    ASSERT_TRUE(pane.SetFile(host.Core().LogFiles[0].fileId));
    EXPECT_EQ(std::make_tuple(pane.HasData(), pane.FilePath(), pane.FileBaseLapNumber(), pane.Zoomed()),
              std::make_tuple(true, a, 0u, false));
}

} // namespace
