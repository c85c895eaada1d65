// The channel strip chart: newest value at the right edge, the grid columns,
// a single value, a zero range.
#include "graphs/CChannelGraph.h"

#include "GraphTestHost.h"

#include "platform/GdiDraw.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kBackground = 0xFFFFFFFF;
const QRgb kLine = platform::ToQColor(CChannelGraph::kDefaultLine).rgb();
const QRgb kGrid = platform::ToQColor(CChannelGraph::kDefaultGrid).rgb();

class CChannelGraphTest : public ::testing::Test {
protected:
    QImage Render(int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        platform::PrepareGdiPainter(painter);
        graph.Draw(painter, w, h);
        return image;
    }
    static int CountInColumn(const QImage& image, int x, QRgb colour) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            count += image.pixel(x, y) == colour;
        return count;
    }

    graphtest::TestGraphHost host;
    CChannelGraph graph{host.Settings(), host.Core()};
};

TEST_F(CChannelGraphTest, NewestValueIsAtTheRightEdge) {
    graph.SetRange(5, 1);
    EXPECT_EQ(std::make_pair(graph.RangeMin(), graph.RangeMax()), std::make_pair(1.0, 5.0));
    graph.SetPointCount(3);
    graph.AddValue(1);
    graph.AddValue(3);
    graph.AddValue(5);
    EXPECT_EQ(graph.Values(), (std::vector<double>{5, 3, 1}));
    // 5 at (50, 0), 3 at (25, 10), 1 at (0, 20): two slanted lines (their
    // pixels are checked loosely: GDI and Qt may step them differently).
    const QImage image = Render(50, 21);
    EXPECT_EQ(image.pixel(49, 0), kLine);
    EXPECT_EQ(image.pixel(25, 10), kLine);
    EXPECT_TRUE(image.pixel(0, 20) == kLine || image.pixel(1, 20) == kLine);
    EXPECT_EQ(image.pixel(0, 0), kBackground);
    EXPECT_EQ(image.pixel(49, 20), kBackground);
    graph.AddValue(1); // the oldest falls off
    EXPECT_EQ(graph.Values(), (std::vector<double>{1, 5, 3}));
}

TEST_F(CChannelGraphTest, GridColumnsSplitTheWidth) {
    graph.SetGridCount(3);
    const QImage image = Render(40, 30);
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(CountInColumn(image, x, kGrid) > 0, x == 10 || x == 20 || x == 30) << x;
}

TEST_F(CChannelGraphTest, OneValueIsOnePixelAtTheRightEdge) {
    graph.SetRange(1, 5);
    graph.SetPointCount(1);
    graph.AddValue(3);
    const QImage image = Render(50, 21);
    EXPECT_EQ(image.pixel(49, 10), kLine);
    EXPECT_EQ(CountInColumn(image, 49, kLine) + CountInColumn(image, 48, kLine), 1);
}

TEST_F(CChannelGraphTest, NoRangeDrawsOnTheBottomRow) {
    graph.SetRange(2, 2);
    graph.SetPointCount(4);
    graph.AddValue(7);
    const QImage image = Render(30, 10);
    for (int x = 1; x < 30; ++x)
        EXPECT_EQ(image.pixel(x, 9), kLine) << x;
    EXPECT_EQ(image.pixel(0, 9), kBackground); // the line's end point
}

// The control paints the same picture double-buffered.
TEST_F(CChannelGraphTest, TheControlShowsItsPicture) {
    graph.SetRange(0, 10);
    graph.SetPointCount(5);
    graph.AddValue(10);
    graph.resize(60, 20);
    graph.show();
    const QImage shown = graph.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, Render(60, 20));
    EXPECT_EQ(graph.Band(), QRect(0, 0, 60, 20));
}

} // namespace
