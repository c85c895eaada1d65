// The map segment edit view driven by the viewer's messages and the mouse on a generated lap of
// 2500 m: adding, clearing and typed lengths with their reports, selection, drags, the tip, the
// labels and the menu, and random runs in which the view and its renderer never disagree.
#include "EditViewHarness.h"

#include "platform/CColorToolTipWnd.h"

#include <QElapsedTimer>
#include <QToolTip>

#include <random>

#include <gtest/gtest.h>

namespace {

using namespace testmap;
using platform::MakeLong;
using Ends = std::vector<int>;

TEST(CMapSegEditViewTest, AddClearAndTypedLengthsChangeTheEndsAndReportTheCount) {
    EditViewHarness h;
    ASSERT_TRUE(h.edit->CourseDrawn());
    constexpr std::uint32_t kAdd = platform::UM_ADD_SEGMENT;
    constexpr std::uint32_t kClear = platform::UM_CLEAR_SEGMENT;
    constexpr std::uint32_t kLength = platform::UM_SEGMENT_LENGTH_CHANGED;
    struct Case {
        Ends before;
        std::uint32_t message;
        int segment;  // selected, or the one whose length is typed
        int length;
        platform::LResult result;
        Ends after;
    };
    const Case cases[] = {
        {{}, kAdd, 0, 0, 0, {1250, 2500}},
        {{1250, 2500}, kAdd, 0, 0, 0, {1250, 1875, 2500}},
        {{1000, 1501, 2500}, kAdd, 2, 0, 0, {1000, 1251, 1501, 2500}},  // start + len - len / 2
        {{1001, 2500}, kAdd, 0, 0, 0, {1001, 1750, 2500}},               // a + len / 2
        {{2499, 2500}, kAdd, 0, 0, 0, {2499, 2500}},                     // 1 m: two ends would meet
        {{1000, 1800, 2000, 2500}, kClear, 2, 0, 0, {1000, 2000, 2500}},  // 800 m into the next 200 m
        {{1000, 1200, 2000, 2500}, kClear, 2, 0, 0, {1200, 2000, 2500}},  // 200 m into the one before
        {{1000, 2500}, kClear, 0, 0, 0, {}},
        {{2500}, kClear, 1, 0, 0, {}},  // the only segment: all go
        {{1000, 2500}, platform::UM_RESET_SEGMENT, 1, 0, 0, {}},
        {{1000, 2500}, kLength, 2, 1200, 1, {1300, 2500}},  // the last segment's start moves
        {{1000, 2500}, kLength, 2, 1500, 0, {1000, 2500}},
        {{1000, 2500}, kLength, 2, 1600, -1, {1000, 2500}},
        {{1000, 2500}, kLength, 3, 500, -1, {1000, 2500}},
    };
    for (const Case& c : cases) {
        h.Show(c.before);
        if (c.message != kLength && c.segment > 0)
            h.Select(c.segment);
        const std::size_t reports = h.Reported().size();
        const platform::LParam l = c.message == kLength ? MakeLong(c.length, c.segment)
                                                        : static_cast<platform::LParam>(h.frame.Handle());
        EXPECT_EQ(h.Send(c.message, 0, l), c.result);
        EXPECT_EQ(h.edit->SegmentEnds(), c.after) << c.message << " " << c.segment;
        EXPECT_EQ(h.RendererEnds(), c.after);
        const bool changed = c.after != c.before;
        ASSERT_EQ(h.Reported().size(), reports + (changed ? 1 : 0));
        EXPECT_EQ(h.Reported().back(), static_cast<int>(changed ? c.after.size() : c.before.size()));
        EXPECT_EQ(h.edit->SelectedSegment(), 0);
    }
}

TEST(CMapSegEditViewTest, AClickSelectsADragMovesTheEndWithLiveLabelsAndHoveringTipsTheLength) {
    EditViewHarness h;
    h.Show({1000, 1501, 2500});
    const int firstEnd = h.Segment(1).endIndex;
    h.Select(1);
    ASSERT_EQ(h.edit->SelectedSegment(), 1);
    const platform::Message colour = h.frame.Of(platform::UM_SET_SELECTED_SEGMENT_COLOR).back();
    EXPECT_EQ(std::make_pair(colour.wParam, colour.lParam), std::make_pair(platform::WParam{1}, platform::LParam{MapSegmentModel::kOddColor}));
    ASSERT_EQ(h.edit->NumberLabels().size(), 3u);
    EXPECT_EQ(h.edit->NumberLabels()[2]->Text(), QStringLiteral("3"));

    // Drag the end 20 points on: the labels show both lengths while the button is down.
    h.DragSelectedTo(firstEnd + 20, false);
    const int moved = h.edit->SegmentEnds()[0];
    EXPECT_GT(moved, 1000);
    EXPECT_EQ(h.edit->LengthLabel(0).Text(), QStringLiteral("S1 : %1").arg(moved));
    EXPECT_EQ(h.edit->LengthLabel(1).Text(), QStringLiteral("S2 : %1").arg(1501 - moved));
    EXPECT_TRUE(h.edit->LengthLabel(1).isVisible());
    h.Mouse(QEvent::MouseButtonRelease, h.Drawn(firstEnd + 20));
    EXPECT_FALSE(h.edit->LengthLabel(0).isVisible());
    EXPECT_EQ(h.RendererEnds(), (Ends{moved, 1501, 2500}));
    EXPECT_EQ(h.Reported().back(), 3);

    const MapLayerItem& second = h.Segment(2);
    h.Mouse(QEvent::MouseMove, h.Drawn((second.startIndex + second.endIndex) / 2));
    EXPECT_EQ(h.edit->HoveredSegment(), 2);
    EXPECT_EQ(h.edit->TipText(), QStringLiteral("S2 : %1").arg(1501 - moved));
    // The menu opened before the tip wakes up keeps it away; hovering anew brings it.
    const auto tipAfterWakeUp = [] {
        QElapsedTimer waited;
        waited.start();
        while (!QToolTip::isVisible() && waited.elapsed() < 2 * CMapSegEditView::kTipWakeUpMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    h.RightClick(QString());
    EXPECT_EQ(tipAfterWakeUp(), QString());
    h.Mouse(QEvent::MouseMove, QPoint(1, 1));
    h.Mouse(QEvent::MouseMove, h.Drawn((second.startIndex + second.endIndex) / 2));
    EXPECT_EQ(tipAfterWakeUp(), h.edit->TipText());
    h.Mouse(QEvent::MouseMove, QPoint(1, 1));  // off the course
    EXPECT_EQ(h.edit->TipText(), QString());
}

// A hand along the drawn course: the pointer goes on in steps of a few pixels (a slow hand, mostly
// between course points) or of many (a quick one), and the end keeps up with it, its markers and
// both lengths shown all the way.
TEST(CMapSegEditViewTest, AnEndDraggedSlowlyOrQuicklyAlongTheCourseStaysUnderThePointerWithItsMarkersAndLabels) {
    EditViewHarness h(1200);
    h.edit->resize(900, 560);
    h.Show({});
    for (int i = 0; i < 2; ++i)
        h.Send(platform::UM_ADD_SEGMENT, 0, static_cast<platform::LParam>(h.frame.Handle()));
    ASSERT_EQ(h.edit->SegmentEnds(), (Ends{600, 900, 1200}));
    const orvelo::LapAnalysisItem& item = h.core.LogFiles[0].laps[0].analysisItems.front();
    const auto pointAt = [&item](int metres) {
        int i = 0;
        while (item.coursePoints[static_cast<std::size_t>(i)].cumulativeDistance < metres)
            ++i;
        return i;
    };
    const QRgb marker = platform::ToQColor(CDrawMapSegCtrl::kMarkerColor).rgb();
    CDrawMapSegCtrl& renderer = h.edit->Renderer();
    for (const double step : {2.0, 25.0}) {
        h.Select(2);
        ASSERT_EQ(h.edit->SelectedSegment(), 2);
        // Forward to near the last boundary, then back to near the first.
        const int start = h.Segment(2).endIndex;
        std::vector<QPoint> path;
        double next = 0;  // how far along the drawn line from point i the next step falls
        const auto walk = [&](int from, int to) {
            for (int i = from; i != to; i += to > from ? 1 : -1) {
                const QPointF a = h.Drawn(i), b = h.Drawn(i + (to > from ? 1 : -1));
                const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
                for (; next < length; next += step)
                    path.push_back((a + (b - a) * (next / length)).toPoint());
                next -= length;
            }
        };
        walk(start, pointAt(1170));
        walk(pointAt(1170), pointAt(640));
        h.Mouse(QEvent::MouseButtonPress, h.Drawn(start), Qt::LeftButton);
        for (std::size_t k = 0; k < path.size(); ++k) {
            h.Mouse(QEvent::MouseMove, path[k], Qt::LeftButton);
            h.Drain();
            const MapLayerItem& end = h.Segment(2);
            ASSERT_LE(std::abs(end.endIndex - renderer.NearestCoursePoint(path[k])), 2) << step << " px, move " << k;
            // The markers: the middles of both triangles in the marker colour.
            for (const QPolygon& triangle : end.triangles)
                ASSERT_EQ(renderer.Presented().pixel((triangle[0] + triangle[1] + triangle[2]) / 3), marker) << step << " px, move " << k;
            ASSERT_TRUE(h.edit->LengthLabel(0).isVisible() && h.edit->LengthLabel(1).isVisible()) << step << " px, move " << k;
            ASSERT_EQ(h.edit->LengthLabel(1).Text(), QStringLiteral("S3 : %1").arg(1200 - h.edit->SegmentEnds()[1]));
        }
        EXPECT_NEAR(h.edit->SegmentEnds()[1], 640, 10);
        h.Mouse(QEvent::MouseButtonRelease, path.back());
        h.Drain();
        EXPECT_EQ(h.RendererEnds(), h.edit->SegmentEnds());
        h.Send(platform::UM_SEGMENT_LENGTH_CHANGED, 0, MakeLong(300, 2));
        ASSERT_EQ(h.edit->SegmentEnds(), (Ends{600, 900, 1200}));
    }
}

TEST(CMapSegEditViewTest, TheMenuAsksForALengthWhichCutsTheCourseAndNeverOffersAutomaticStarts) {
    EditViewHarness h(900);
    const platform::PopupMenuScript& menu = h.menu;
    for (const char* choice : {"Auto St./Cr.", "Input Segment length"})
        h.RightClick(QString::fromLatin1(choice));
    ASSERT_EQ(menu.Shown().size(), 2u);
    EXPECT_EQ(menu.Shown()[0], (QStringList{QStringLiteral("Drawing Map Mode "), QStringLiteral("Add Multiple Segment")}));
    const auto asked = h.frame.Of(platform::UM_INPUT_SEGMENT_LENGTH_DIALOG);
    EXPECT_TRUE(asked.size() == 1 && asked[0].wParam == 8 && asked[0].lParam == static_cast<platform::LParam>(h.edit->Handle()));

    // The length comes back: ends at the first points past 400 and 800 m, then the course end.
    h.Send(platform::UM_INPUT_SEGMENT_LENGTH_DIALOG, 400, 0);
    const Ends& ends = h.edit->SegmentEnds();
    ASSERT_EQ(ends.size(), 3u);
    EXPECT_TRUE(ends[0] >= 400 && ends[0] < 420 && ends[1] >= 800 && ends[1] < 820) << ends[0] << " " << ends[1];
    EXPECT_EQ(h.RendererEnds(), ends);
    EXPECT_EQ(h.Reported().back(), 3);

    // Drawn with offset instead of GPS: the course is built anew, the segments keep their ends.
    h.RightClick(QStringLiteral("offset ON "));
    const auto redrawn = h.frame.Of(platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE);
    EXPECT_TRUE(redrawn.size() == 1 && static_cast<platform::WindowHandle>(redrawn[0].lParam) == h.edit->Handle());
    EXPECT_EQ(h.frame.Of(platform::UM_SET_STATUS_BAR_MAP_DRAWING_MODE).back().wParam, 0u);  // offset ON
    EXPECT_EQ(h.RendererEnds(), ends);
    EXPECT_TRUE(h.boxes.Shown().empty());
}

TEST(CMapSegEditViewTest, RandomEditsKeepTheViewAndItsRendererInStepAndTheEndsAscending) {
    EditViewHarness h;
    std::mt19937 random(7);
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 120; ++step) {
        const int n = h.edit->SegmentCount();
        // Half the edits work on a selected segment.
        if (n > 0 && pick(2) == 0)
            h.Select(1 + pick(n));
        switch (pick(5)) {
        case 0:
            h.Send(platform::UM_ADD_SEGMENT, 0, static_cast<platform::LParam>(h.frame.Handle()));
            break;
        case 1:
            if (pick(3) == 0)
                h.Send(platform::UM_CLEAR_SEGMENT, 0, static_cast<platform::LParam>(h.frame.Handle()));
            break;
        case 2:
            h.Send(platform::UM_SEGMENT_LENGTH_CHANGED, 0, MakeLong(1 + pick(1500), pick(n + 2)));
            break;
        case 3:
            if (n >= 2) {
                h.Select(1 + pick(n - 1));
                h.DragSelectedTo(h.Segment(h.edit->SelectedSegment()).endIndex + pick(81) - 40);
            }
            break;
        default:
            if (pick(4) == 0)
                h.Send(platform::UM_INPUT_SEGMENT_LENGTH_DIALOG, static_cast<platform::WParam>(100 + pick(700)), 0);
            break;
        }
        const Ends& ends = h.edit->SegmentEnds();
        ASSERT_EQ(h.RendererEnds(), ends) << "step " << step;
        ASSERT_TRUE(std::adjacent_find(ends.begin(), ends.end(), std::greater_equal<int>()) == ends.end()) << step;
    }
}

}  // namespace
