// The segment strip: which segment a cursor value is in, the boundaries of a
// group on the base lap, the lap bands and segment bands in their colours,
// and the labels of the top pane.
#include "GraphTestHost.h"

#include "graphs/CSegInfoPlotView.h"
#include "graphs/CSegSplitterWnd.h"
#include "graphs/CSegView.h"
#include "graphs/SegmentBoundaries.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

QRgb Rgb(ColorRef color) { return ToQColor(color).rgb(); }

// Every pixel of the column range is the colour.
bool Filled(const QImage& picture, int left, int right, QRgb color) {
    for (int x = left; x < right; ++x) {
        for (int y = 0; y < picture.height(); ++y) {
            if (picture.pixel(x, y) != color)
                return false;
        }
    }
    return true;
}

class SegmentStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = host.Load(QStringLiteral("strip.log"), 4, 11);
        host.SetBase(path, 2);
        const orvelo::Lap& base = host.LapOf(path, 2);
        ASSERT_FALSE(base.analysisItems.empty());
        points = static_cast<int>(base.analysisItems[0].coursePoints.size());
        ASSERT_GT(points, 10);
        // Three segments ending at 100 m and 250 m, then the lap's end.
        group.segmentCount = 3;
        group.pairs = {{100, points / 4}, {250, points / 2}, {static_cast<int>(base.distance), points - 1}};
    }
    // The group as the main frame hands it over (2069: the record in wParam, 1).
    void HandOver(WindowHandle to, const orvelo::SegmentGroup& g) {
        SendMessage(to, UM_SEGMENT_EDIT_REPLACE, reinterpret_cast<WParam>(&g), 1);
    }

    graphtest::TestGraphHost host;
    std::u16string path;
    int points = 0;
    orvelo::SegmentGroup group;
};

TEST_F(SegmentStripTest, StripPanesDrawTheirGreysAndLapBands) {
    CSegSplitterWnd strip(host, nullptr);
    strip.resize(600, 40);
    strip.Relayout(QRect(0, 0, 600, 40), true);
    strip.show();
    CSegView* left = strip.LeftLapPane();
    auto* right = dynamic_cast<CSegView*>(strip.Right());
    ASSERT_TRUE(left && right);
    EXPECT_EQ(right->width(), 2);
    EXPECT_EQ(strip.Top().BandColor(), MakeColorRef(65, 65, 65));
    EXPECT_EQ(left->BandColor(), MakeColorRef(155, 155, 155));

    // Lap bands: the laps of the base lap's file at their cumulative distances.
    const orvelo::LogFile& file = host.Core().LogFiles.front();
    const int span = static_cast<int>(file.laps[0].distance + file.laps[1].distance + 40);
    SendMessage(left->Handle(), UM_ZOOM_CONTROL, static_cast<WParam>(span), 0);
    ASSERT_EQ(left->BandCount(), 3);
    const int w = left->width();
    const int first = static_cast<int>(file.laps[0].distance * static_cast<double>(w) / span);
    EXPECT_EQ(left->BandPositions()[0], first);
    const QImage& picture = left->Picture();
    EXPECT_TRUE(Filled(picture, 0, 5, Rgb(CSegView::LapBandColor(1, 0))));
    EXPECT_TRUE(Filled(picture, first, first + 5, Rgb(MakeColorRef(170, 170, 170))));
    EXPECT_EQ(left->Labels(), (QStringList{"S.1", "S.2", "S.3"}));
    // Past six bands the greys repeat; they never go below black.
    EXPECT_EQ(CSegView::LapBandColor(1, 6), CSegView::LapBandColor(1, 0));
    EXPECT_EQ(CSegView::LapBandColor(3, 5), MakeColorRef(0, 0, 0));

    // The right pane draws nothing of its own; the colours reach roles 1 to 3 only.
    EXPECT_TRUE(right->Labels().isEmpty());
    MapViewProperty colors;
    colors.words[0] = 0x112233;
    colors.words[6] = 0x00FFFF;
    for (CSegView* pane : {&strip.Top(), left})
        SendMessage(pane->Handle(), MessageWithBlock(UM_RESET_SEGMENT_COLOR, 0, colors));
    EXPECT_EQ(strip.Top().BandColor(), MakeColorRef(65, 65, 65));
    EXPECT_EQ(left->BandColor(), 0x112233u);
}

TEST_F(SegmentStripTest, TheTopPaneNamesTheLapAndTheSegmentAtTheCursor) {
    CSegView top(host, CSegView::kTopRole, nullptr);
    top.SetSegmentMode(true);
    top.resize(500, 20);
    top.show();
    HandOver(top.Handle(), group);
    const int lap = static_cast<int>(host.LapOf(path, 2).lapNumber);
    EXPECT_EQ(top.Labels(), (QStringList{"S.1 : 0", QStringLiteral("L.%1").arg(lap)}));
    const int onBoundary = top.Boundaries().times[0];
    const struct { int mode; int distance; int time; QString segment; QString lapText; } cases[] = {
        {0, 40, 500, "S.1 : 40", "40"},
        {0, 100, 900, "S.2 : 0", "100"},
        {0, 300, 900, "S.3 : 50", "300"},
        {1, 100, onBoundary, "S.2 : 0:00.00", ""},
        {1, 100, onBoundary + 45, "S.2 : 0:00.45", ""},
    };
    for (const auto& c : cases) {
        SendMessage(top.Handle(), UM_RESET_X_SCALE_VARIABLE, static_cast<WParam>(c.mode), 0);
        SendMessage(top.Handle(), UM_MOVE_SEGMENT_INFO, static_cast<WParam>(c.distance), c.time);
        ASSERT_EQ(top.Labels().size(), 2) << c.segment.toStdString();
        EXPECT_EQ(top.Labels()[0], c.segment);
        if (!c.lapText.isEmpty()) {
            EXPECT_EQ(top.Labels()[1], QStringLiteral("L.%1 : %2").arg(lap).arg(c.lapText));
        }
    }
    HandOver(top.Handle(), orvelo::SegmentGroup{});  // an empty group clears the boundaries
    EXPECT_EQ(top.Labels()[0], "S.1 :");
    host.Core().BaseLapFiles.clear();  // no base lap: the strip is its grey alone
    SendMessage(top.Handle(), UM_REDRAW_LAP_GRAPH, 1, 0);
    EXPECT_TRUE(top.Labels().isEmpty());
    EXPECT_TRUE(Filled(top.Picture(), 0, 500, qRgb(65, 65, 65)));
}

TEST_F(SegmentStripTest, SegmentBandsAreGreyUntilAGroupArrivesThenInTheCourseColours) {
    CSegInfoPlotView bands(host, nullptr);
    bands.resize(400, 16);
    bands.show();
    const orvelo::Lap& base = host.LapOf(path, 2);
    bands.SetSpans(static_cast<int>(base.lapTime), 400);
    SendMessage(bands.Handle(), UM_RESET_X_SCALE_VARIABLE, 0, 400);
    EXPECT_TRUE(Filled(bands.Picture(), 0, 400, Rgb(CSegInfoPlotView::kNoDataColor)));
    HandOver(bands.Handle(), group);
    ASSERT_EQ(bands.SegmentCount(), 3);
    const QImage& picture = bands.Picture();
    EXPECT_TRUE(Filled(picture, 60, 99, Rgb(bands.SegmentColor(0))));
    EXPECT_TRUE(Filled(picture, 150, 240, Rgb(bands.SegmentColor(1))));
    EXPECT_TRUE(Filled(picture, 300, 400, Rgb(bands.SegmentColor(2))));
    EXPECT_NE(bands.SegmentColor(0), bands.SegmentColor(1));
    // Zoomed to 200 m from 50 m the first boundary moves to x = 100.
    SendMessage(bands.Handle(), UM_ZOOM_CONTROL, 200, 50);
    EXPECT_TRUE(Filled(picture, 60, 99, Rgb(bands.SegmentColor(0))));
    EXPECT_TRUE(Filled(picture, 150, 199, Rgb(bands.SegmentColor(1))));
    SendMessage(bands.Handle(), UM_RESET_X_SCALE_VARIABLE, 0, 0);  // a zero span draws grey
    EXPECT_TRUE(Filled(bands.Picture(), 0, 400, Rgb(CSegInfoPlotView::kNoDataColor)));
    // Boundaries: the ends but the last, with the base lap's time there; an end past the course gives none.
    EXPECT_EQ(bands.Boundaries().distances, (std::vector<int>{100, 250}));
    EXPECT_EQ(bands.Boundaries().times[0], graphs::LapTimeAtDistance(base, 100));
    group.pairs[0].endPointIndex = points + 5;
    HandOver(bands.Handle(), group);
    EXPECT_EQ(bands.Boundaries().distances, (std::vector<int>{250}));

    // Stored distances outside the course, zoomed: taken again from their course point or dropped.
    SendMessage(bands.Handle(), UM_RESET_X_SCALE_VARIABLE, 0, 400);
    SendMessage(bands.Handle(), UM_ZOOM_CONTROL, 200, 50);
    const auto& course = base.analysisItems[0].coursePoints;
    orvelo::SegmentGroup hostile;
    hostile.segmentCount = 4;
    hostile.pairs = {{INT32_MIN, 100}, {INT32_MAX, 200}, {-5, 300}, {1200, 400}};
    HandOver(bands.Handle(), hostile);
    const std::vector<int>& ends = bands.Boundaries().distances;
    ASSERT_GT(points, 100);
    ASSERT_FALSE(ends.empty());
    EXPECT_EQ(ends.front(), course[100].cumulativeDistance);
    EXPECT_TRUE(std::is_sorted(ends.begin(), ends.end(), std::less_equal<int>()));
    EXPECT_LE(ends.back(), course.back().cumulativeDistance);
}

// The group's last pair holds the map lap's length: a base lap shorter or longer than that keeps
// every boundary inside its course, and an end beyond the course drops only itself.
TEST_F(SegmentStripTest, EveryEndInsideTheBaseLapsCourseIsABoundaryWhateverTheLapsLength) {
    orvelo::Lap& base = host.LapOf(path, 2);
    auto& course = base.analysisItems[0].coursePoints;
    std::vector<std::int64_t> measured;
    for (const orvelo::CoursePoint& point : course)
        measured.push_back(point.cumulativeDistance);
    // The course stretched to the length; the map lap had more points than any of these.
    const auto stretch = [&](int length) {
        for (std::size_t i = 0; i < course.size(); ++i)
            course[i].cumulativeDistance = static_cast<std::int32_t>(measured[i] * length / measured.back());
    };
    orvelo::SegmentGroup map;
    map.segmentCount = 3;
    map.pairs = {{400, points / 3}, {800, 2 * points / 3}, {1200, points + 10}};

    CSegInfoPlotView bands(host, nullptr);
    bands.resize(400, 16);
    bands.show();
    CSegView top(host, CSegView::kTopRole, nullptr);
    top.SetSegmentMode(true);
    top.resize(500, 20);
    top.show();
    for (int length : {1194, 1200, 1238}) {
        stretch(length);
        SendMessage(bands.Handle(), UM_RESET_X_SCALE_VARIABLE, 0, 1200);
        HandOver(bands.Handle(), map);
        HandOver(top.Handle(), map);
        EXPECT_EQ(bands.Boundaries().distances, (std::vector<int>{400, 800})) << length;
        // Three bands: the third from x = 800 * 400 / 1200 to the end (its label at the left).
        EXPECT_TRUE(Filled(bands.Picture(), 300, 400, Rgb(bands.SegmentColor(2)))) << length;
        SendMessage(top.Handle(), UM_MOVE_SEGMENT_INFO, 1000, 0);
        EXPECT_EQ(top.Labels().value(0).toStdString(), "S.3 : 200") << length;
    }

    // Ends beyond the course, by their point past it or not: each gives no boundary and removes no other.
    stretch(1194);
    orvelo::SegmentGroup beyond;
    beyond.segmentCount = 4;
    for (int index : {points + 5, points - 2}) {
        beyond.pairs = {{400, points / 3}, {800, 2 * points / 3}, {1210, index}, {1300, points + 10}};
        HandOver(bands.Handle(), beyond);
        HandOver(top.Handle(), beyond);
        EXPECT_EQ(bands.Boundaries().distances, (std::vector<int>{400, 800})) << index;
        EXPECT_EQ(top.Boundaries().distances, (std::vector<int>{400, 800})) << index;
        EXPECT_EQ(bands.Boundaries().times.size(), 2u) << index;
    }
}

// The bands start in the map's stored colours; a redraw request asks for the current group and
// draws only when lParam is 0; a colour change takes the current group's segments again.
TEST_F(SegmentStripTest, SegmentBandsStartInTheStoredMapColoursAndTakeTheCurrentGroupAgain) {
    MapViewProperty stored;
    host.Settings().Colors().SetDefaultMapViewProp(&stored);
    stored.words[0] = 0x102030;
    SettingsStore& store = host.Settings().Store();
    store.RegCreateKey(settings::SubKeyPath(settings::kItemColorInfo));
    ASSERT_EQ(store.WriteRecord(settings::SubKeyPath(settings::kItemColorInfo), settings::kMapViewProp, stored), 0);
    orvelo::SegmentGroup current = group;
    host.mainFrame.On(UM_EDITING_SEGMENT_INFO_VIEW_INIT, [&](const Message& m) {
        HandOver(static_cast<WindowHandle>(m.lParam), current);
        return LResult{1};
    });
    CSegInfoPlotView bands(host, nullptr);
    bands.resize(400, 16);
    bands.show();
    SendMessage(bands.Handle(), UM_RESET_X_SCALE_VARIABLE, 0, 400);
    SendMessage(bands.Handle(), UM_REDRAW_LAP_GRAPH, 1, 1);
    EXPECT_EQ(bands.SegmentColor(0), 0x102030u);
    EXPECT_EQ(bands.SegmentCount(), 3);
    EXPECT_TRUE(bands.BaseLapChanged());
    EXPECT_TRUE(Filled(bands.Picture(), 0, 400, Rgb(CSegInfoPlotView::kNoDataColor)));
    bands.grab();  // the paint that follows draws them
    EXPECT_TRUE(Filled(bands.Picture(), 60, 99, Rgb(0x102030)));
    SendMessage(bands.Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    EXPECT_FALSE(bands.BaseLapChanged());

    current.segmentCount = 2;
    current.pairs.erase(current.pairs.begin());
    stored.words[0] = 0x405060;
    SendMessage(bands.Handle(), MessageWithBlock(UM_RESET_SEGMENT_COLOR, 0, stored));
    EXPECT_EQ(bands.SegmentCount(), 2);
    EXPECT_TRUE(Filled(bands.Picture(), 60, 240, Rgb(0x405060)));
}

}  // namespace
