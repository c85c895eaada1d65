// The vertical grid of a lap-overlay pane at the spans where its step changes.
#include "graphs/VerticalGrid.h"

#include <gtest/gtest.h>

using graphs::VerticalGrid;

struct GridCase {
    const char* what;
    int channel;
    std::int32_t max, min;
    std::uint8_t code;
    VerticalGrid grid;
};

class VerticalGridTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(VerticalGridTest, StepLinesOffsetAndStoredSpan) {
    const GridCase& c = GetParam();
    EXPECT_EQ(graphs::VerticalGridFor(c.channel, c.max, c.min, c.code), c.grid) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, VerticalGridTest,
    ::testing::Values(GridCase{"RPM 2000", 1, 2000, 0, 0, {200, 11, 0, 2000}},
                      GridCase{"RPM 2001", 1, 2001, 0, 0, {500, 5, 0, 2001}},
                      GridCase{"RPM 8000", 1, 8000, 0, 0, {500, 17, 0, 8000}},
                      GridCase{"RPM 8001", 1, 8001, 0, 0, {1000, 9, 0, 8001}},
                      GridCase{"RPM 12000", 1, 12000, 0, 0, {1000, 13, 0, 12000}},
                      GridCase{"RPM 12001", 1, 12001, 0, 0, {2000, 7, 0, 12001}},
                      GridCase{"RPM above a minimum", 1, 9000, 1300, 0, {500, 16, 200, 7700}},
                      GridCase{"Speed 160", 2, 160, 0, 0, {10, 18, 0, 160}},
                      GridCase{"Speed 161", 2, 161, 0, 0, {20, 9, 0, 161}},
                      GridCase{"Temp 1024", 7, 1024, 0, 0, {100, 11, 0, 1024}},
                      GridCase{"Temp 1025", 8, 1025, 0, 0, {200, 6, 0, 1025}},
                      GridCase{"G twice the span", 3, 5, 0, 0, {1, 11, 0, 10}},
                      GridCase{"Angl", 13, 90, 0, 0, {15, 13, 0, 180}},
                      GridCase{"Press.1 code 0", 5, 40, 0, 0, {1, 5, 0, 40}},
                      GridCase{"Press.2 code 2", 6, 100, 0, 2, {5, 3, 0, 100}},
                      GridCase{"Press.1 unknown code", 5, 100, 0, 9, {0, 1, 0, 100}},
                      GridCase{"no channel", 0, 100, 0, 0, {}},
                      GridCase{"maximum below minimum", 10, 10, 50, 0, {10, 1, 0, -40}}));
