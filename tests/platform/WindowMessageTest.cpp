// Packing of 16-bit halves into 64-bit message parameters.
#include "platform/WindowMessage.h"
#include "platform/UserMessages.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(WindowMessageTest, HighWordAboveSignBitStaysPositive) {
    // lap 65535 in row 6; y of 40000 pixels
    const LParam packed = MakeLong(65535, 6);
    EXPECT_EQ(LoWord(packed), 65535);
    EXPECT_EQ(HiWord(packed), 6);
    const LParam point = MakeLong(12, 40000);
    EXPECT_GT(point, 0);
    EXPECT_EQ(HiWord(point), 40000);
    EXPECT_EQ(LoWord(point), 12);
}

TEST(WindowMessageTest, PackingIgnoresBitsAbove32AndExcessInHalves) {
    EXPECT_EQ(MakeLong(0x1'0005, 0x2'0007), MakeLong(5, 7));
    const std::uint64_t wide = 0xDEAD'BEEF'0003'0004ull;
    EXPECT_EQ(LoWord(wide), 4);
    EXPECT_EQ(HiWord(wide), 3);
}

TEST(WindowMessageTest, SignedHalvesCarryNegativeScaleLimits) {
    // maximum in the low word, minimum in the high word
    const LParam limits = MakeLong(static_cast<std::uint16_t>(std::int16_t{250}),
                                   static_cast<std::uint16_t>(std::int16_t{-40}));
    EXPECT_EQ(LoWordSigned(limits), 250);
    EXPECT_EQ(HiWordSigned(limits), -40);
    EXPECT_EQ(HiWord(limits), 0xFFD8);
}

TEST(WindowMessageTest, BlockPointerRoundTripsThroughBothParameters) {
    const Message inL = MessageWithBlock(UM_ANALYSIS_LINE, 0, 1234);
    EXPECT_EQ(*BlockAt<int>(inL.lParam), 1234);
    const Message inW = MessageWithBlockInWParam(UM_COLOR_SELECTED, 99, 0);
    EXPECT_EQ(*BlockAt<int>(inW.wParam), 99);
    EXPECT_EQ(BlockAt<int>(LParam{0}), nullptr);
    const Message relayed = WithParams(inL, 0, inL.lParam);
    EXPECT_EQ(relayed.payload, inL.payload);
    EXPECT_EQ(relayed.id, UM_ANALYSIS_LINE);
}

TEST(WindowMessageTest, NumbersFollowTheUserRange) {
    EXPECT_EQ(UM_LAP_LIST_ALL_VIEW, kWmUser + 976);
    EXPECT_EQ(UM_CHANGED_GLOBAL_MAP_DRAW_MODE, kWmUser + 1077);
    EXPECT_EQ(UM_ANALYSIS_LINE, 2043u);
    EXPECT_EQ(UM_SET_ANALOG1_VALUE, 2078u);
}

}  // namespace
