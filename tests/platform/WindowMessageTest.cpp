// Packing of 16-bit halves into 64-bit message parameters, and the message numbers.
#include "platform/WindowMessage.h"
#include "platform/UserMessages.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(WindowMessageTest, HalvesReadBackUnsignedUnlessAskedSigned) {
    const LParam point = MakeLong(12, 40000);  // y of 40000 pixels
    EXPECT_GT(point, 0) << "a high word above the sign bit stays positive";
    EXPECT_EQ(LoWord(point), 12);
    EXPECT_EQ(HiWord(point), 40000);
    EXPECT_EQ(MakeLong(0x1'0005, 0x2'0007), MakeLong(5, 7)) << "excess bits of a half are ignored";
    EXPECT_EQ(LoWord(0xDEAD'BEEF'0003'0004ull), 4) << "bits above 32 are ignored";
    EXPECT_EQ(HiWord(0xDEAD'BEEF'0003'0004ull), 3);
    // Scale limits: maximum in the low word, minimum in the high word.
    const LParam limits = MakeLong(250, static_cast<std::uint16_t>(std::int16_t{-40}));
    EXPECT_EQ(LoWordSigned(limits), 250);
    EXPECT_EQ(HiWordSigned(limits), -40);
    EXPECT_EQ(HiWord(limits), 0xFFD8);
}

TEST(WindowMessageTest, BlockPointerRoundTripsThroughBothParameters) {
    const Message inL = MessageWithBlock(UM_ANALYSIS_LINE, 0, 1234);
    EXPECT_EQ(*BlockAt<int>(inL.lParam), 1234);
    EXPECT_EQ(*BlockAt<int>(MessageWithBlockInWParam(UM_COLOR_SELECTED, 99, 0).wParam), 99);
    EXPECT_EQ(BlockAt<int>(LParam{0}), nullptr);
    EXPECT_EQ(WithId(inL, UM_COLOR_SELECTED).payload, inL.payload);
}

TEST(WindowMessageTest, APostedBlockIsReadOnlyFromItsOwnPayloadOfThatType) {
    const Message original = MessageWithBlock(UM_ANALYSIS_LINE, 0, 1234);
    const Message posted = WithParams(original, 7, original.lParam);
    ASSERT_NE(BlockIn<int>(posted, posted.lParam), nullptr) << "a relay hop keeps the block";
    EXPECT_EQ(*BlockIn<int>(posted, posted.lParam), 1234);
    EXPECT_EQ(BlockIn<int>(posted, posted.wParam), nullptr) << "the other parameter is no block";
    EXPECT_EQ(BlockIn<double>(posted, posted.lParam), nullptr) << "another type";
    Message handle;
    handle.id = UM_SEGMENT_EDIT_DIALOG_POPUP;
    handle.lParam = 0x1005;
    EXPECT_EQ(BlockIn<int>(handle, handle.lParam), nullptr) << "a window handle where a block was expected";
    int local = 5;
    Message sent = WithParams(handle, 0, reinterpret_cast<LParam>(&local));
    EXPECT_EQ(BlockIn<int>(sent, sent.lParam), nullptr);
    sent.sent = true;
    EXPECT_EQ(BlockIn<int>(sent, sent.lParam), &local) << "a send may point to the sender's storage";
    EXPECT_EQ(BlockIn<int>(sent, LParam{0}), nullptr);
}

// A block that begins with another, as a course travels with the lap it names.
struct Leading {
    int value = 0;
};
struct Extended {
    using LeadingBlock = Leading;
    Leading leading;
    int extra = 0;
};

TEST(WindowMessageTest, ABlockThatExtendsAnotherIsReadAsEitherAndOnlyItsOwnPayloadAsTheLongerOne) {
    const Message posted = WithParams(MessageWithBlock(UM_DRAW_MAP_ON_VIEW, 0, Extended{{3}, 4}), 0, 0);
    const Message moved = WithParams(posted, 1, reinterpret_cast<LParam>(posted.payload.get()));
    ASSERT_NE(BlockIn<Leading>(moved, moved.lParam), nullptr);
    EXPECT_EQ(BlockIn<Leading>(moved, moved.lParam)->value, 3);
    ASSERT_NE(TypedBlockIn<Extended>(moved, moved.lParam), nullptr);
    EXPECT_EQ(TypedBlockIn<Extended>(moved, moved.lParam)->extra, 4);
    EXPECT_EQ(BlockIn<double>(moved, moved.lParam), nullptr);

    // A sender that passed the shorter block alone is never read as the longer one.
    Leading alone{8};
    Message sent{UM_REGIST_COURSE_MAP, 0, reinterpret_cast<LParam>(&alone), {}, nullptr};
    sent.sent = true;
    EXPECT_EQ(BlockIn<Leading>(sent, sent.lParam), &alone);
    EXPECT_EQ(TypedBlockIn<Extended>(sent, sent.lParam), nullptr);
    const Message plain = MessageWithBlock(UM_REGIST_COURSE_MAP, 0, Leading{9});
    EXPECT_EQ(TypedBlockIn<Extended>(plain, plain.lParam), nullptr);
}

TEST(WindowMessageTest, NumbersFollowTheUserRange) {
    EXPECT_EQ(UM_LAP_LIST_ALL_VIEW, kWmUser + 976);
    EXPECT_EQ(UM_CHANGED_GLOBAL_MAP_DRAW_MODE, kWmUser + 1077);
    EXPECT_EQ(UM_ANALYSIS_LINE, 2043u);
    EXPECT_EQ(UM_SET_ANALOG1_VALUE, 2078u);
}

}  // namespace
