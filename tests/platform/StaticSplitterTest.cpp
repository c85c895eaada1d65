// The static splitter: how rows share the height, and dragging a bar between rows.
#include "platform/StaticSplitter.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using platform::StaticSplitter;

TEST(StaticSplitterTest, RowsTakeTheirIdealsFromTheTopTheLastTheRestAndARowBelowItsMinimumGivesWay) {
    struct Case {
        std::vector<StaticSplitter::Info> rows;
        int total;
        std::vector<int> sizes;
    };
    const std::vector<Case> cases = {
        {{{60, 20}, {160, 40}, {180, 40}}, 376, {60, 160, 146}},  // the last row gets what is left
        {{{10, 20}, {100, 40}, {50, 40}}, 300, {0, 100, 190}},    // an ideal below its minimum hides a row
        {{{200, 40}, {200, 40}, {50, 40}}, 300, {200, 95, 0}},    // what does not fit is cut from the bottom
        {{{100, 20}, {100, 40}, {50, 40}}, 230, {100, 125, 0}},   // 20 left for the map: the row above takes it
        {{{50, 20}}, 80, {80}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StaticSplitter::LayoutSizes(c.rows, c.total, 5), c.sizes) << c.total;
}

TEST(StaticSplitterTest, ALetGoDragResizesTheRowAboveAndReportsOnceACancelledOneNothing) {
    StaticSplitter splitter(3, 2);
    splitter.SetGaps(5, 2);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 2; ++c)
            splitter.SetPane(r, c, new QWidget);
    }
    splitter.SetRowInfo(0, 60, 20);
    splitter.SetRowInfo(1, 100, 20);
    splitter.SetColumnInfo(0, 50, 10);
    splitter.resize(200, 300);
    splitter.show();
    int reports = 0;
    splitter.SetStopTrackingHook([&reports] { ++reports; });
    EXPECT_EQ(splitter.Pane(1, 1)->geometry(), QRect(52, 65, 148, 100));

    QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(100, 62));
    QTest::mouseMove(&splitter, QPoint(100, 90));
    QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(100, 90));
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(splitter.RowInfo(0).current, 90);
    EXPECT_EQ(splitter.RowInfo(1).current, 100);  // the next row keeps its height, the last gives way
    EXPECT_EQ(splitter.RowInfo(2).current, 100);

    QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(100, 197));
    ASSERT_TRUE(splitter.Tracking());
    QTest::mouseMove(&splitter, QPoint(100, 150));
    QTest::keyClick(&splitter, Qt::Key_Escape);
    QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(100, 150));
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(splitter.RowInfo(1).current, 100);

    // The bar between the columns does not move.
    QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(51, 120));
    EXPECT_FALSE(splitter.Tracking());
}

}  // namespace
