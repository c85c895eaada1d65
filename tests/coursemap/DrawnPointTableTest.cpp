// The point at a distance on a drawn course: the walk's record, stepped back to one with a drawn
// position, found by bisection exactly as by the walk.
#include "coursemap/DrawnPointTable.h"

#include <gtest/gtest.h>

namespace {

// Records as (x, y, distance); x = 0 and y = 0 is a record without a position.
DrawnPointTable TableOf(const std::vector<std::array<int, 3>>& records, std::size_t spare = 2) {
    DrawnPointTable table;
    table.Reset(records.size() + spare);
    for (std::size_t i = 0; i < records.size(); ++i) {
        DrawnPointTable::Record& record = *table.At(i);
        record.x = records[i][0];
        record.y = records[i][1];
        record.noPosition = record.x == 0 && record.y == 0;
        record.distance = records[i][2];
    }
    table.Finish(records.size());
    return table;
}

TEST(DrawnPointTableTest, TheWalksRecordSteppedBackToADrawnOne) {
    // 0: drawn at 10; 1: a boundary; 2: drawn at 30; 3: drawn at 40; 4: a boundary; 5: drawn at 60.
    const DrawnPointTable table = TableOf({{1, 1, 10}, {0, 0, 0}, {3, 3, 30}, {4, 4, 40}, {0, 0, 0}, {6, 6, 60}});
    const struct {
        int distance;
        int record;
    } cases[] = {
        {5, 0},    // before the first: the first
        {10, 0},   // exactly
        {20, 0},   // the record before 30 is a boundary: the one before it
        {30, 2},   //
        {35, 2},   //
        {50, 3},   // before 60 lies a boundary
        {60, 5},   //
        {99, 5},   // past the last: the last
    };
    for (const auto& c : cases) {
        EXPECT_EQ(table.RecordAtDistanceByScan(c.distance), c.record) << c.distance;
        EXPECT_EQ(table.RecordAtDistance(c.distance), c.record) << c.distance;
    }
    EXPECT_EQ(table.PointAtDistance(50), QPoint(4, 4));

    // A course whose first records lack a position still gives a drawn one.
    const DrawnPointTable late = TableOf({{0, 0, 0}, {0, 0, 5}, {7, 7, 9}});
    EXPECT_EQ(late.RecordAtDistance(1), 2);
    EXPECT_FALSE(TableOf({{0, 0, 0}}).PointAtDistance(3).has_value());
    EXPECT_FALSE(DrawnPointTable().PointAtDistance(3).has_value());
}

TEST(DrawnPointTableTest, BisectionPicksTheWalksRecordAlsoWhereDistancesRepeatOrFall) {
    const std::vector<std::vector<std::array<int, 3>>> tables = {
        {{1, 1, 10}, {2, 2, 10}, {3, 3, 10}, {0, 0, 0}, {5, 5, 20}, {6, 6, 20}, {7, 7, 35}},
        {{1, 1, 10}, {2, 2, 30}, {3, 3, 20}, {4, 4, 40}},  // a distance that falls: walked
        {{0, 0, 0}, {0, 0, 0}, {3, 3, 0}, {4, 4, 8}},
    };
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const DrawnPointTable table = TableOf(tables[t]);
        for (int distance = -2; distance <= 45; ++distance)
            EXPECT_EQ(table.RecordAtDistance(distance), table.RecordAtDistanceByScan(distance)) << t << " " << distance;
    }
}

}  // namespace
