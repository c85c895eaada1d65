// The colour generator: the offset table, wrap-around, no black channel, the draw order and the
// seeding by whole seconds.
#include "core/LapColour.h"
#include "core/LapDataCore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace orvelo {
namespace {

class LapColourTest : public ::testing::Test {
protected:
    // The random source returns these values in turn.
    void Script(std::vector<int> values)
    {
        m_values = std::move(values);
        m_next = 0;
        core.randomNumber = [this] { return m_values[m_next++ % m_values.size()]; };
    }

    LapDataCore core;
    std::vector<int> m_values;
    std::size_t m_next = 0;
};

TEST_F(LapColourTest, EachChoiceAddsItsOffsets)
{
    // o1 = 10, o2 = 20 on (100, 100, 100).
    EXPECT_EQ(MixColourOffsets(100, 100, 100, 10, 20, 0), Rgb(120, 110, 110));
    EXPECT_EQ(MixColourOffsets(100, 100, 100, 10, 20, 1), Rgb(110, 110, 110));
    EXPECT_EQ(MixColourOffsets(100, 100, 100, 10, 20, 2), Rgb(110, 110, 120));
    EXPECT_EQ(MixColourOffsets(100, 100, 100, 10, 20, 3), Rgb(120, 120, 110));
    EXPECT_EQ(MixColourOffsets(100, 100, 100, 10, 20, 4), Rgb(120, 120, 120));
    EXPECT_EQ(MixColourOffsets(100, 100, 100, 10, 20, 5), Rgb(120, 120, 110));
}

TEST_F(LapColourTest, SumsWrapAndAZeroChannelBecomesFull)
{
    EXPECT_EQ(MixColourOffsets(246, 0, 250, 10, 0, 1), Rgb(255, 10, 4));
    EXPECT_EQ(MixColourOffsets(0, 0, 0, 0, 0, 4), Rgb(255, 255, 255));
    EXPECT_EQ(MixColourOffsets(1, 2, 3, 254, 253, 4), Rgb(254, 255, 255));
}

TEST_F(LapColourTest, DrawsTwoOffsetsThenTheChoice)
{
    Script({255 + 10, 2 * 255 + 20, 6 + 3});
    EXPECT_EQ(MakeRandomColour(core, 100, 100, 100), Rgb(120, 120, 110));
    EXPECT_EQ(m_next, 3u);
    Script({7, 1, 2});
    EXPECT_EQ(MakeRandomColour(core, Rgb(100, 50, 25)), Rgb(107, 57, 26));
}

TEST_F(LapColourTest, ANegativeDrawStillGivesAColourOfTheTable)
{
    Script({-1, -256, -7});
    // o1 = 254, o2 = 254, k = 5.
    EXPECT_EQ(MakeRandomColour(core, 10, 10, 10), Rgb(8, 8, 8));
}

TEST_F(LapColourTest, NoChannelIsEverBlackWithASeededSource)
{
    std::minstd_rand engine(42);
    core.randomNumber = [&engine] { return static_cast<int>(engine() & 0x7FFFFFFF); };
    COLORREF colour = Rgb(0, 0, 0);
    for (int i = 0; i < 2000; ++i) {
        colour = MakeRandomColour(core, colour);
        ASSERT_NE(RedOf(colour), 0);
        ASSERT_NE(GreenOf(colour), 0);
        ASSERT_NE(BlueOf(colour), 0);
    }
}

TEST_F(LapColourTest, SeedsTheRuntimeGeneratorWithTheClockAtEveryCall)
{
    std::int64_t now = 1'700'000'000;
    core.nowSeconds = [&now] { return now; };
    const COLORREF first = MakeRandomColour(core, 10, 20, 30);
    EXPECT_EQ(MakeRandomColour(core, 10, 20, 30), first); // same second, same draws

    std::srand(static_cast<unsigned>(now));
    const int o1 = std::rand() % 255;
    const int o2 = std::rand() % 255;
    const int k = std::rand() % 6;
    EXPECT_EQ(first, MixColourOffsets(10, 20, 30, o1, o2, k));

    bool changed = false;
    for (int step = 1; step <= 5 && !changed; ++step) {
        now += 1;
        changed = MakeRandomColour(core, 10, 20, 30) != first;
    }
    EXPECT_TRUE(changed);
}

} // namespace
} // namespace orvelo
