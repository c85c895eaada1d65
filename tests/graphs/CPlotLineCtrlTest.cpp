// The plot renderer: trace segments, the cross-hair's states with what they
// repaint, and the cursor lookup against the walk it stands for.
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
    platform::GdiLineRun lines(painter);
    GraphTrace trace = TraceOf({});
    auto append = [&](int x, int y, bool first = false) {
        trace.Append(x, y, trace.Size());
        return plot.DrawSegment(trace, first, &lines);
    };
    EXPECT_FALSE(append(0, 10, true));
    EXPECT_EQ(trace.Previous(), QPoint(0, 10));
    EXPECT_FALSE(append(20, 10));
    EXPECT_EQ(std::make_tuple(image.pixel(0, 10), image.pixel(19, 10), image.pixel(20, 10)),
              std::make_tuple(kRed, kRed, kBlack));
    const QImage before = image.copy();
    EXPECT_FALSE(append(20, 10)); // the same point: nothing drawn
    EXPECT_EQ(image, before);
    EXPECT_FALSE(append(100, 30)); // at the width: not beyond
    EXPECT_TRUE(append(150, 40));  // beyond: drawn to the width only
    EXPECT_TRUE(append(150, 40));
}

class CursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        plot.Resize(100, 50);
        plot.SetCursorColors(0x00FFFF, 0xFF0000);
        plot.SetInvalidate([this](const QRect& rect) { repainted.push_back(rect); });
    }
    // Result, rectangles repainted, state.
    std::tuple<int, std::vector<QRect>, int> Move(QPoint point) {
        repainted.clear();
        const int result = plot.MoveCursor(point);
        return {result, repainted, plot.CursorState()};
    }
    static std::vector<QRect> Cross(int x, int y, int w = 100) { return {QRect(x, 0, 1, 50), QRect(0, y, w, 1)}; }

    CPlotLineCtrl plot;
    std::vector<QRect> repainted;
};

TEST_F(CursorTest, MoveCursorStates) {
    EXPECT_EQ(Move({0, 0}), std::make_tuple(1, std::vector<QRect>{}, 0)); // hidden, hide
    EXPECT_EQ(Move({0, 20}), std::make_tuple(1, std::vector<QRect>{}, 0)); // a show at x 0
    EXPECT_EQ(Move({10, 20}), std::make_tuple(0, Cross(10, 20), 4));
    EXPECT_EQ(Move({10, 20}), std::make_tuple(0, std::vector<QRect>{}, 4));
    const std::vector<QRect> restoreAndShow{QRect(10, 0, 1, 50), QRect(0, 20, 100, 1), QRect(30, 0, 1, 50),
                                            QRect(0, 40, 100, 1)};
    EXPECT_EQ(Move({30, 40}), std::make_tuple(0, restoreAndShow, 4));
    EXPECT_EQ(plot.PreviousCursorPoint(), QPoint(10, 20));
    EXPECT_EQ(Move({0, 0}), std::make_tuple(0, Cross(30, 40), 0));
    EXPECT_EQ(Move({12, 3}), std::make_tuple(0, Cross(12, 3), 4));
    plot.Resize(80, 50); // hidden without repainting; the next move shows only
    EXPECT_EQ(plot.CursorState(), 0);
    EXPECT_EQ(Move({5, 5}), std::make_tuple(0, Cross(5, 5, 80), 4));
}

// The lookup as the renderer's walk describes it: index and result.
std::pair<int, int> LiteralWalk(const std::vector<int>& xs, int x, int previousX) {
    const int n = static_cast<int>(xs.size());
    if (n == 0)
        return {-1, 1};
    if (x < 1)
        return {0, 0};
    int i = 0;
    int steps = 0;
    for (; i < n && !(xs[i] > 0 && xs[i] >= x); ++i)
        ++steps;
    if (i == n)
        return {n - 1, 1};
    if (xs[i] != x && !(x > previousX)) {
        int position = i;
        bool found = false;
        while (steps > 0 && !found) {
            --position;
            --steps;
            found = xs[position] >= 1 && xs[position] < x;
        }
        i = found ? position : 0;
    }
    return {i, 0};
}

TEST(FindSampleAtTest, ThePickedPointCarriesItsLap) {
    CPlotLineCtrl plot;
    GraphPoint point;
    EXPECT_EQ(plot.FindSampleAt(point, 40, 0, TraceOf({0, 3, 6, 9, 12})), 1); // right of every point: the last
    EXPECT_EQ(std::make_tuple(point.words[0], point.words[1], point.words[6], point.words[7], point.words[11]),
              std::make_tuple(12, 104, 2, 4, 7));
    plot.StepBack();
    EXPECT_EQ(plot.CachedPosition(), 3);
    EXPECT_EQ(plot.FindSampleAt(point, 5, 0, TraceOf({})), 1); // empty: a zero point
    EXPECT_EQ(point.words, GraphPoint{}.words);
}

// The bisection gives the walk's point on any trace: x not monotone, runs of
// 0, empty, cursors beyond either end, moving either way.
TEST(FindSampleAtTest, EqualsTheWalkOnRandomTraces) {
    std::mt19937 random(20240611);
    auto draw = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    CPlotLineCtrl plot;
    for (int round = 0; round < 3000; ++round) {
        std::vector<int> xs;
        for (int i = 0, x = 0, n = draw(0, 30); i < n; ++i) {
            const int kind = draw(0, 9);
            x = kind == 0 ? 0 : kind == 1 ? x - draw(1, 5) : x + draw(0, 3);
            xs.push_back(x);
        }
        const GraphTrace trace = TraceOf(xs);
        const int right = std::max(0, xs.empty() ? 0 : *std::max_element(xs.begin(), xs.end())) + 5;
        for (int k = 0; k < 8; ++k) {
            const int cursor = draw(-2, right);
            const int previous = draw(-2, right);
            GraphPoint point;
            const int result = plot.FindSampleAt(point, cursor, previous, trace);
            ASSERT_EQ(std::make_pair(plot.CachedPosition(), result), LiteralWalk(xs, cursor, previous))
                << "round " << round << " cursor " << cursor << " previous " << previous;
        }
    }
}

} // namespace
