// A lap-overlay pane over generated sessions: the traces of the compared laps,
// the zoomed view, the kept cursor value, laps whose file is gone; and a
// file-overview pane's file.
#include "graphs/GraphPaneData.h"

#include "GraphTestHost.h"

#include "platform/GdiDraw.h"
#include "settings/ChannelSettings.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

using orvelo::Lap;

constexpr platform::WindowHandle kPane = 0x7001;
constexpr platform::WindowHandle kOwner = 0x7002;

// The samples a lap draws: those before its lap-end sample.
int DrawableSamples(const Lap& lap) {
    int count = 0;
    while (static_cast<std::size_t>(count) < lap.positions.size() && lap.positions[count].lapEndMark == 0)
        ++count;
    return count;
}

class GraphPaneDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        a = host.Load(QStringLiteral("a.log"), 3, 1);
        b = host.Load(QStringLiteral("b.log"), 3, 2);
        host.SetBase(a, 2);
        host.AddOverlay(a, 3);
        host.AddOverlay(b, 1);
        host.AddOverlay(b, 2);
        pane = graphtest::LapOverlayPane(host, 1, 400, 120, kPane, kOwner);
    }
    std::vector<const Lap*> Compared() {
        return {&host.LapOf(a, 2), &host.LapOf(a, 3), &host.LapOf(b, 1), &host.LapOf(b, 2)};
    }

    graphtest::TestGraphHost host;
    std::u16string a, b;
    std::unique_ptr<GraphPaneData> pane;
};

TEST_F(GraphPaneDataTest, TracesEachComparedLapInItsRowAndColour) {
    pane->Rebuild(nullptr);
    const std::vector<const Lap*> laps = Compared();
    ASSERT_EQ(pane->LapsDrawn(), 4);
    const double longest = std::max({laps[0]->distance, laps[1]->distance, laps[2]->distance, laps[3]->distance});
    EXPECT_DOUBLE_EQ(pane->XPixelsPerUnit(), 400.0 / longest);
    const auto& colors = host.Settings().Colors().ChannelColorRecords()[0].lapColors;
    for (int row = 0; row < 4; ++row) {
        const GraphTrace& trace = pane->PrimaryTraces()[static_cast<std::size_t>(row)];
        const Lap& lap = *laps[static_cast<std::size_t>(row)];
        EXPECT_EQ(lap.drawnMark, 1);
        EXPECT_EQ(trace.LapNumber(), lap.lapNumber);
        EXPECT_EQ(trace.Pen().color(), platform::ToQColor(colors[static_cast<std::size_t>(row)]));
        ASSERT_EQ(trace.Size(), DrawableSamples(lap)) << row; // the lap-end sample is not drawn
        for (int k = 0; k < trace.Size(); ++k) {
            const GraphTrace::Point& point = trace.At(k);
            const orvelo::PositionRec& sample = lap.positions[static_cast<std::size_t>(k)];
            ASSERT_EQ(point.sample, k);
            ASSERT_EQ(point.x, k == 0 ? 0 : graphs::RoundPixel(sample.runningDistance * pane->XPixelsPerUnit()));
            ASSERT_EQ(point.y, graphs::RoundPixel(120 - 120.0 / 20000 * sample.rpm)) << k;
        }
    }
    EXPECT_TRUE(pane->AllLapsEndedInView());
    EXPECT_EQ(pane->XEnd(), pane->UnzoomedXEnd());
    EXPECT_GT(pane->XEnd(), 0u);
    EXPECT_EQ(host.Core().GraphScaleDefaults.rpmSpan, 20000);
}

TEST_F(GraphPaneDataTest, ZoomedViewStartsAtTheXStartAndStopsBeyondTheWidth) {
    pane->Rebuild(nullptr);
    const std::uint32_t unzoomedEnd = pane->UnzoomedXEnd();
    pane->SetZoom(100, 50);
    pane->Rebuild(nullptr);
    EXPECT_DOUBLE_EQ(pane->XPixelsPerUnit(), 8.0);
    EXPECT_FALSE(pane->AllLapsEndedInView());
    EXPECT_EQ(pane->UnzoomedXEnd(), unzoomedEnd);
    const std::vector<const Lap*> laps = Compared();
    for (int row = 0; row < 4; ++row) {
        const GraphTrace& trace = pane->PrimaryTraces()[static_cast<std::size_t>(row)];
        const auto& positions = laps[static_cast<std::size_t>(row)]->positions;
        ASSERT_GE(trace.Size(), 2);
        const int first = trace.At(0).sample;
        EXPECT_GE(positions[static_cast<std::size_t>(first)].runningDistance, 100u);
        EXPECT_LT(positions[static_cast<std::size_t>(first - 1)].runningDistance, 100u);
        EXPECT_EQ(trace.At(0).x, 0);
        const GraphTrace::Point& last = trace.At(trace.Size() - 1);
        EXPECT_GT(last.x, 400);
        EXPECT_LE(trace.At(trace.Size() - 2).x, 400);
        EXPECT_EQ(last.x, graphs::RoundPixel((positions[static_cast<std::size_t>(last.sample)].runningDistance - 100.0) * 8));
        EXPECT_TRUE(pane->Laps()[static_cast<std::size_t>(row)].stoppedAtEdge);
        EXPECT_LE(pane->XEnd(), 151u + 20u);
    }
}

// A redraw puts the cursor on the first sample, in round-robin order, whose
// time is the kept value; an overlay lap's time is kept here, which the base
// lap may reach first in the same or an earlier round.
TEST_F(GraphPaneDataTest, KeptCursorValueBecomesTheCursor) {
    pane->SetXAxisMode(GraphPaneData::kTime);
    pane->Rebuild(nullptr);
    const std::uint32_t time = host.LapOf(a, 3).positions[30].time;
    std::optional<QPoint> expected;
    const std::vector<const Lap*> laps = Compared();
    for (int round = 0; !expected && round < 40; ++round) {
        for (std::size_t row = 0; row < laps.size() && !expected; ++row) {
            if (laps[row]->positions[static_cast<std::size_t>(round)].time == time)
                expected = QPoint(pane->PrimaryTraces()[row].At(round).x, pane->PrimaryTraces()[row].At(round).y);
        }
    }
    ASSERT_TRUE(expected);
    pane->KeepCursorValue(time);
    pane->Rebuild(nullptr);
    EXPECT_TRUE(pane->CursorKnown());
    EXPECT_FALSE(pane->KeptCursorValue());
    EXPECT_EQ(pane->CursorPoint(), *expected);
    pane->ForgetCursor();
    pane->KeepCursorValue(999999);
    pane->Rebuild(nullptr);
    EXPECT_FALSE(pane->CursorKnown());
    EXPECT_EQ(pane->KeptCursorValue(), std::optional<std::uint32_t>(999999));
}

TEST_F(GraphPaneDataTest, LapsOfAFileThatIsGoneAreSkipped) {
    orvelo::EraseLogFileByPath(host.Core(), b);
    pane->Rebuild(nullptr);
    EXPECT_EQ(pane->LapsDrawn(), 2);
    EXPECT_EQ(pane->PrimaryTraces()[1].LapNumber(), 3u);
}

TEST_F(GraphPaneDataTest, GridFollowsTheChannelsLimitsAndIsTold) {
    host.Settings().Channels().ChannelValueTable()[0].currentMax = 12000;
    pane->SetChannelRange({0, 0, 0, 1, 0, 0, 0, 0.0f});
    pane->Rebuild(nullptr);
    EXPECT_EQ(pane->Grid().step, 1000.0);
    EXPECT_EQ(host.Core().GraphScaleDefaults.rpmSpan, 12000);
    EXPECT_DOUBLE_EQ(pane->SlotPixelsPerUnit(0), 0.01);
}

TEST_F(GraphPaneDataTest, NoPrimaryChannelNoTraces) {
    pane->SetChannelMask(0);
    pane->Rebuild(nullptr);
    EXPECT_EQ(pane->LapsDrawn(), 0);
    EXPECT_EQ(pane->Pick(50, 0), QPoint());
}

// Segments are drawn as the shared walk meets them: where a lap's late
// segment crosses another lap's early one, the late one lies on top, even
// though it belongs to the earlier row.
TEST(GraphPaneDrawTest, SegmentsAreDrawnRoundByRound) {
    graphtest::TestGraphHost host;
    orvelo::LapDataCore& core = host.Core();
    orvelo::LogFile file;
    file.fileId = core.TakeNextFileId();
    file.fullPath = u"/hand/built.log";
    auto sample = [](std::uint32_t distance, std::uint32_t rpm) {
        orvelo::PositionRec p;
        p.runningDistance = distance;
        p.rpm = rpm;
        return p;
    };
    Lap flat; // 50 samples standing at the start, then 10000 rpm (row 50) to 100 m
    Lap jump; // 2000 rpm (row 90) to 50 m, then 18000 rpm (row 10)
    for (int k = 0; k < 50; ++k)
        flat.positions.push_back(sample(0, 10000));
    for (std::uint32_t d = 0; d <= 100; ++d) {
        flat.positions.push_back(sample(d, 10000));
        jump.positions.push_back(sample(d, d <= 50 ? 2000 : 18000));
        if (d == 50)
            jump.positions.push_back(sample(50, 18000));
    }
    flat.distance = jump.distance = 100;
    file.laps = {flat, jump};
    core.LogFiles.push_back(file);
    for (int row = 0; row < 2; ++row) {
        core.SelectedLaps[static_cast<std::size_t>(row)].lap = {orvelo::FileSet::Log, file.fileId, row};
        core.SelectedLaps[static_cast<std::size_t>(row)].activeFlag = 1;
    }
    const auto pane = graphtest::LapOverlayPane(host, 1, 100, 100, kPane, kOwner);
    QImage layer(100, 100, QImage::Format_RGB32);
    layer.fill(Qt::black);
    QPainter painter(&layer);
    platform::PrepareGdiPainter(painter);
    pane->Rebuild(&painter);
    painter.end();
    const auto& colors = host.Settings().Colors().ChannelColorRecords()[0].lapColors;
    const QRgb first = platform::ToQColor(colors[0]).rgb();
    const QRgb second = platform::ToQColor(colors[1]).rgb();
    EXPECT_EQ(layer.pixel(50, 50), first);
    EXPECT_EQ(layer.pixel(30, 50), first);
    EXPECT_EQ(layer.pixel(50, 60), second);
    EXPECT_EQ(layer.pixel(50, 11), second);
    EXPECT_EQ(layer.pixel(49, 10), 0xFF000000u);
    EXPECT_EQ(layer.pixel(30, 90), second);
}

class FileOverviewPaneTest : public ::testing::Test {
protected:
    graphtest::TestGraphHost host;
    GraphPaneData pane{host, GraphPaneData::kFileOverview};
};

TEST_F(FileOverviewPaneTest, TakesTheFirstFileWithABaseLap) {
    EXPECT_FALSE(pane.OpenFirstBaseLapFile());
    EXPECT_FALSE(pane.HasData());
    const std::u16string a = host.Load(QStringLiteral("a.log"), 2, 1);
    const std::u16string b = host.Load(QStringLiteral("b.log"), 3, 2);
    EXPECT_FALSE(pane.OpenFirstBaseLapFile()); // no base lap yet
    host.SetBase(b, 2);
    ASSERT_TRUE(pane.OpenFirstBaseLapFile());
    EXPECT_TRUE(pane.HasData());
    EXPECT_EQ(pane.FilePath(), b);
    EXPECT_EQ(pane.FileTitle(), u"b");
    EXPECT_EQ(pane.FileBaseLapNumber(), 2u);
    EXPECT_EQ(host.Core().LogFiles[1].drawnMark, 1);
    EXPECT_EQ(host.Core().LogFiles[0].drawnMark, 0);
    pane.SetZoom(10, 40);
    ASSERT_TRUE(pane.SetFile(host.Core().LogFiles[0].fileId));
    EXPECT_EQ(pane.FilePath(), a);
    EXPECT_EQ(pane.FileBaseLapNumber(), 0u);
    EXPECT_FALSE(pane.Zoomed());
}

TEST_F(FileOverviewPaneTest, FindsItsFileAgainByPath) {
    host.Load(QStringLiteral("a.log"), 2, 1);
    const std::u16string b = host.Load(QStringLiteral("b.log"), 3, 2);
    host.SetBase(b, 2);
    pane.OpenFirstBaseLapFile();
    pane.SetZoom(10, 40);
    EXPECT_FALSE(pane.RefindFile()); // same base lap: the zoom stays
    EXPECT_TRUE(pane.Zoomed());
    host.SetBase(b, 3);
    EXPECT_TRUE(pane.RefindFile()); // a new base-lap number drops the zoom
    EXPECT_FALSE(pane.Zoomed());
    EXPECT_EQ(pane.FileBaseLapNumber(), 3u);
    orvelo::EraseLogFileByPath(host.Core(), b);
    EXPECT_FALSE(pane.RefindFile());
    EXPECT_FALSE(pane.HasData());
}

} // namespace
