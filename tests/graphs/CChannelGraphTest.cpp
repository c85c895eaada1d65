// The channel strip chart: newest value at the right edge, grid columns, a
// single value, a zero range, and the control showing its picture.
#include "graphs/CChannelGraph.h"

#include "GraphTestHost.h"

#include "platform/GdiDraw.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QRgb kLine = platform::ToQColor(CChannelGraph::kDefaultLine).rgb();
const QRgb kGrid = platform::ToQColor(CChannelGraph::kDefaultGrid).rgb();
constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Render(CChannelGraph& graph, int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    QPainter painter(&image);
    platform::PrepareGdiPainter(painter);
    graph.Draw(painter, w, h);
    return image;
}

TEST(CChannelGraphTest, NewestValueAtTheRightEdgeOverTheGridColumns) {
    graphtest::TestGraphHost host;
    CChannelGraph graph(host.Settings(), host.Core());
    graph.SetRange(5, 1);
    EXPECT_EQ(std::make_pair(graph.RangeMin(), graph.RangeMax()), std::make_pair(1.0, 5.0));
    graph.SetPointCount(3);
    for (double v : {7.0, 1.0, 3.0, 5.0}) // 7 falls off
        graph.AddValue(v);
    graph.SetGridCount(4);
    // 5 at (50, 0), 3 at (25, 10), 1 at (0, 20); slanted lines are checked loosely.
    const QImage image = Render(graph, 50, 21);
    EXPECT_EQ(image.pixel(49, 0), kLine);
    EXPECT_EQ(image.pixel(25, 10), kLine);
    EXPECT_TRUE(image.pixel(0, 20) == kLine || image.pixel(1, 20) == kLine);
    EXPECT_EQ(image.pixel(0, 0), kWhite);
    for (int x = 0; x < 50; ++x) {
        bool grid = false;
        for (int y = 0; y < 21; ++y)
            grid |= image.pixel(x, y) == kGrid;
        EXPECT_EQ(grid, x == 10 || x == 20 || x == 30 || x == 40) << x;
    }
}

TEST(CChannelGraphTest, OneValueIsOnePixelAndNoRangeIsTheBottomRow) {
    graphtest::TestGraphHost host;
    CChannelGraph graph(host.Settings(), host.Core());
    graph.SetRange(1, 5);
    graph.SetPointCount(1);
    graph.AddValue(3);
    QImage image = Render(graph, 50, 21);
    EXPECT_EQ(image.pixel(49, 10), kLine);
    EXPECT_EQ(image.pixel(48, 10), kWhite);
    graph.SetRange(2, 2);
    graph.SetPointCount(4);
    image = Render(graph, 30, 10);
    for (int x = 1; x < 30; ++x)
        EXPECT_EQ(image.pixel(x, 9), kLine) << x;
    EXPECT_EQ(image.pixel(0, 9), kWhite); // the line's end point
    graph.resize(30, 10);
    graph.show();
    EXPECT_EQ(graph.grab().toImage().convertToFormat(QImage::Format_RGB32), image);
}

} // namespace
