// The plot renderer: trace segments, the cross-hair's states and what it
// repaints, and the cursor lookup against the walk it stands for.
#include "graphs/CPlotLineCtrl.h"

#include "platform/GdiDraw.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using platform::GraphPoint;

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;

GraphTrace TraceOf(const std::vector<int>& xs) {
    GraphTrace trace;
    trace.Start(nullptr, {}, 2, 7, {}, 0.0, platform::GdiPen(0x0000FF));
    for (std::size_t i = 0; i < xs.size(); ++i)
        trace.Append(xs[i], static_cast<int>(100 + i), static_cast<int>(i));
    return trace;
}

TEST(CPlotLineCtrlTest, DrawSegmentPrimesClipsAndSaysWhenTheLapStops) {
    CPlotLineCtrl plot;
    plot.Resize(100, 50);
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    platform::PrepareGdiPainter(painter);
    GraphTrace trace = TraceOf({});
    auto append = [&](int x, int y, bool first = false) {
        trace.Append(x, y, trace.Size());
        return plot.DrawSegment(trace, first, &painter);
    };
    EXPECT_FALSE(append(0, 10, true));
    EXPECT_EQ(trace.Previous(), QPoint(0, 10));
    EXPECT_FALSE(append(20, 10));
    const QImage afterLine = image.copy();
    EXPECT_EQ(afterLine.pixel(0, 10), kRed);
    EXPECT_EQ(afterLine.pixel(19, 10), kRed);
    EXPECT_EQ(afterLine.pixel(20, 10), kBlack);
    EXPECT_FALSE(append(20, 10)); // the same point: nothing drawn
    EXPECT_EQ(image, afterLine);
    EXPECT_FALSE(append(20, 30)); // y alone changed
    EXPECT_EQ(image.pixel(20, 29), kRed);
    EXPECT_FALSE(append(100, 30)); // at the width: not beyond
    EXPECT_EQ(image.pixel(99, 30), kRed);
    EXPECT_TRUE(append(150, 40)); // beyond: drawn to the width only
    EXPECT_TRUE(append(150, 40));
    painter.end();
    EXPECT_EQ(trace.Size(), 7);
}

TEST(CPlotLineCtrlTest, DrawSegmentWithoutAPainterOnlyTells) {
    CPlotLineCtrl plot;
    plot.Resize(10, 10);
    GraphTrace trace = TraceOf({0, 5, 11});
    EXPECT_TRUE(plot.DrawSegment(trace, false, nullptr));
}

class CursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        plot.Resize(100, 50);
        plot.SetCursorColors(0x00FFFF, 0xFF0000);
        plot.SetInvalidate([this](const QRect& rect) { repainted.push_back(rect); });
    }
    static QRect Column(int x) { return QRect(x, 0, 1, 50); }
    static QRect Row(int y) { return QRect(0, y, 100, 1); }
    // Result, repainted rectangles since the last call, state.
    std::tuple<int, std::vector<QRect>, int> Move(QPoint point) {
        repainted.clear();
        const int result = plot.MoveCursor(point);
        return {result, repainted, plot.CursorState()};
    }

    CPlotLineCtrl plot;
    std::vector<QRect> repainted;
};

using Rects = std::vector<QRect>;

TEST_F(CursorTest, MoveCursorStates) {
    EXPECT_EQ(Move({0, 0}), std::make_tuple(1, Rects{}, 0));               // hidden, hide
    EXPECT_EQ(Move({0, 20}), std::make_tuple(1, Rects{}, 0));              // a show at x 0
    EXPECT_EQ(Move({10, 20}), std::make_tuple(0, Rects{Column(10), Row(20)}, 4));
    EXPECT_EQ(Move({10, 20}), std::make_tuple(0, Rects{}, 4));             // where it is
    EXPECT_EQ(Move({30, 40}), std::make_tuple(0, Rects{Column(10), Row(20), Column(30), Row(40)}, 4));
    EXPECT_EQ(plot.PreviousCursorPoint(), QPoint(10, 20));
    EXPECT_EQ(Move({0, 40}), std::make_tuple(0, Rects{Column(30), Row(40), Column(0), Row(40)}, 4));
    EXPECT_EQ(Move({0, 0}), std::make_tuple(0, Rects{Column(0), Row(40)}, 0)); // hide
    EXPECT_EQ(plot.PreviousCursorPoint(), QPoint(0, 40));
    EXPECT_EQ(Move({0, 0}), std::make_tuple(1, Rects{}, 0));
}

TEST_F(CursorTest, AfterResizeTheNextMoveShowsWithoutRestoring) {
    Move({10, 20});
    plot.Resize(80, 50);
    EXPECT_EQ(plot.CursorState(), CPlotLineCtrl::kCursorHidden);
    EXPECT_EQ(Move({5, 5}), std::make_tuple(0, Rects{QRect(5, 0, 1, 50), QRect(0, 5, 80, 1)}, 4));
}

TEST_F(CursorTest, TheCursorIsPaintedOverThePlot) {
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QImage plotOnly = image.copy();
    Move({10, 20});
    QPainter painter(&image);
    plot.PaintCursor(painter);
    painter.end();
    for (int y = 0; y < 50; ++y)
        EXPECT_EQ(image.pixel(10, y), y == 20 ? 0xFF0000FFu : 0xFFFFFF00u) << y;
    for (int x = 0; x < 100; ++x)
        EXPECT_EQ(image.pixel(x, 20), 0xFF0000FFu) << x;
    EXPECT_EQ(image.pixel(11, 21), kBlack);
    Move({0, 0});
    QImage again = plotOnly.copy();
    QPainter hidden(&again);
    plot.PaintCursor(hidden);
    hidden.end();
    EXPECT_EQ(again, plotOnly);
}

// The lookup as the renderer describes it, walking the list.
std::pair<int, int> LiteralWalk(const std::vector<int>& xs, int x, int previousX) {
    const int n = static_cast<int>(xs.size());
    if (n == 0)
        return {-1, 1};
    if (x < 1)
        return {0, 0};
    int i = 0;
    int steps = 0;
    while (i < n && !(xs[i] > 0 && xs[i] >= x)) {
        ++i;
        ++steps;
    }
    if (i == n)
        return {n - 1, 1};
    if (xs[i] != x && !(x > previousX)) {
        int position = i;
        bool found = false;
        while (steps > 0) {
            --position;
            --steps;
            if (xs[position] >= 1 && xs[position] < x) {
                found = true;
                break;
            }
        }
        i = found ? position : 0;
    }
    return {i, 0};
}

TEST(FindSampleAtTest, EdgesOfTheLookup) {
    CPlotLineCtrl plot;
    GraphPoint point;
    const GraphTrace trace = TraceOf({0, 3, 6, 9, 12});
    EXPECT_EQ(plot.FindSampleAt(point, 6, 2, trace), 0); // right onto a point exactly
    EXPECT_EQ(point.words[0], 6);
    EXPECT_EQ(plot.FindSampleAt(point, 7, 2, trace), 0); // moving right: the next point
    EXPECT_EQ(point.words[0], 9);
    EXPECT_EQ(plot.FindSampleAt(point, 7, 8, trace), 0); // moving left: the last point left of x
    EXPECT_EQ(point.words[0], 6);
    EXPECT_EQ(plot.FindSampleAt(point, 2, 5, trace), 0); // left of every valid point: the first
    EXPECT_EQ(point.words[7], 0);
    EXPECT_EQ(plot.FindSampleAt(point, 0, 5, trace), 0); // below 1: the first
    EXPECT_EQ(plot.FindSampleAt(point, 40, 0, trace), 1); // right of every point: the last
    EXPECT_EQ(std::make_tuple(point.words[0], point.words[1], point.words[6], point.words[7], point.words[11]),
              std::make_tuple(12, 104, 2, 4, 7));
    plot.StepBack();
    EXPECT_EQ(plot.CachedPosition(), 3);
    EXPECT_EQ(plot.FindSampleAt(point, 5, 0, TraceOf({})), 1); // empty: a zero point
    EXPECT_EQ(point.words, GraphPoint{}.words);
    EXPECT_EQ(plot.CachedPosition(), -1);
}

// The bisection gives the walk's point on any trace: x not monotone, runs of 0,
// empty, and cursors beyond either end.
TEST(FindSampleAtTest, EqualsTheWalkOnRandomTraces) {
    std::mt19937 random(20240611);
    CPlotLineCtrl plot;
    for (int round = 0; round < 3000; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 30)(random);
        std::vector<int> xs;
        int x = 0;
        for (int i = 0; i < n; ++i) {
            const int kind = std::uniform_int_distribution<int>(0, 9)(random);
            x = kind == 0 ? 0 : kind == 1 ? x - std::uniform_int_distribution<int>(1, 5)(random)
                                          : x + std::uniform_int_distribution<int>(0, 3)(random);
            xs.push_back(x);
        }
        const GraphTrace trace = TraceOf(xs);
        const int right = std::max(0, xs.empty() ? 0 : *std::max_element(xs.begin(), xs.end())) + 5;
        for (int k = 0; k < 8; ++k) {
            const int cursor = std::uniform_int_distribution<int>(-2, right)(random);
            const int previous = std::uniform_int_distribution<int>(-2, right)(random);
            GraphPoint point;
            const int result = plot.FindSampleAt(point, cursor, previous, trace);
            const auto [index, expected] = LiteralWalk(xs, cursor, previous);
            ASSERT_EQ(std::make_pair(plot.CachedPosition(), result), std::make_pair(index, expected))
                << "round " << round << " cursor " << cursor << " previous " << previous;
            if (index >= 0) {
                ASSERT_EQ(point.words[0], xs[static_cast<std::size_t>(index)]);
            }
        }
    }
}

} // namespace
