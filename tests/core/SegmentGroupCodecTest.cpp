// Segment group records and pair values byte by byte, read back from hostile bytes, and the group
// chosen for a course map.
#include "core/SegmentGroupCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace orvelo;

SegmentGroup TrackGroup()
{
    SegmentGroup group;
    group.segmentCount = 3;
    group.groupId = 123456;
    group.mapPath = u"/maps/track.dat";
    group.groupName = u"Default Info.1";
    group.pairsStoredFlag = 1;
    group.pairs = {{400, 80}, {800, 160}, {1200, 240}};
    return group;
}

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text)
{
    std::vector<std::uint8_t> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

std::vector<std::uint8_t> Slice(const std::array<std::uint8_t, kSegmentGroupRecordBytes>& bytes, std::size_t from,
                                std::size_t count)
{
    return std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                     bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

bool AllZero(const std::vector<std::uint8_t>& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

TEST(SegmentGroupCodecTest, RecordAndPairValueKeepTheirStoredBytes)
{
    const SegmentGroup group = TrackGroup();
    SegmentGroupRecord record;
    record.reserved = {77, 88}; // whatever memory held there is not stored
    ASSERT_TRUE(MakeSegmentGroupRecord(group, record));
    const auto bytes = EncodeSegmentGroupRecord(record);

    EXPECT_EQ(Slice(bytes, 0, 8), (std::vector<std::uint8_t>{0x03, 0, 0, 0, 0x40, 0xE2, 0x01, 0x00}));
    const auto path = Utf16Bytes(u"/maps/track.dat");
    EXPECT_EQ(Slice(bytes, 8, path.size()), path);
    EXPECT_TRUE(AllZero(Slice(bytes, 8 + path.size(), 528 - 8 - path.size())));
    const auto name = Utf16Bytes(u"Default Info.1");
    EXPECT_EQ(Slice(bytes, 528, name.size()), name);
    EXPECT_TRUE(AllZero(Slice(bytes, 528 + name.size(), 792 - 528 - name.size()))); // reserved words too
    EXPECT_EQ(Slice(bytes, 792, 4), (std::vector<std::uint8_t>{1, 0, 0, 0}));

    const SegmentGroup back = SegmentGroupFromRecord(DecodeSegmentGroupRecord(bytes.data()));
    EXPECT_EQ(back.mapPath, group.mapPath);
    EXPECT_EQ(back.groupName, group.groupName);
    EXPECT_EQ(std::tie(back.segmentCount, back.groupId, back.pairsStoredFlag), std::make_tuple(3, 123456, 1));

    EXPECT_EQ(SegmentPairValueName(group.groupId), u"SegSzieInfo_123456");
    EXPECT_EQ(EncodeSegmentPairs(group.segmentCount, group.pairs),
              (std::vector<std::uint8_t>{0x90, 0x01, 0, 0, 0x50, 0, 0, 0, 0x20, 0x03, 0, 0, 0xA0, 0, 0, 0,
                                         0xB0, 0x04, 0, 0, 0xF0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    record.groupId = -5;
    EXPECT_EQ(Slice(EncodeSegmentGroupRecord(record), 4, 4), (std::vector<std::uint8_t>{0xFB, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(SegmentPairValueName(-5), u"SegSzieInfo_-5");
    // A group with fewer pairs than segments stores zeros for the missing ones.
    EXPECT_EQ(EncodeSegmentPairs(2, {{5, 1}}).size(), 24u);
    // A path that does not fit its array with a NUL is refused, never cut.
    SegmentGroup tooLong = group;
    tooLong.mapPath = std::u16string(260, u'p');
    EXPECT_FALSE(MakeSegmentGroupRecord(tooLong, record));
}

TEST(SegmentGroupCodecTest, ReadersTakeNoCountBeyondTheBytesAndTextsEndAtTheirArray)
{
    SegmentGroupRecord full;
    full.mapPath.fill(u'A'); // no NUL anywhere
    full.groupName.fill(u'B');
    full.segmentCount = 5;
    std::vector<std::uint8_t> records;
    for (int i = 0; i < 2; ++i) {
        const auto bytes = EncodeSegmentGroupRecord(full);
        records.insert(records.end(), bytes.begin(), bytes.end());
    }
    records.resize(records.size() + 100, 0); // part of a third record
    const struct {
        std::int64_t count;
        std::size_t expected;
    } recordCases[] = {{2, 2}, {1, 1}, {3, 2}, {1000000000, 2}, {0, 0}, {-1, 0}};
    for (const auto& c : recordCases)
        EXPECT_EQ(DecodeSegmentGroupRecords(records.data(), records.size(), c.count).size(), c.expected) << c.count;
    const SegmentGroup group = SegmentGroupFromRecord(DecodeSegmentGroupRecords(records.data(), records.size(), 1)[0]);
    // Cut by one character, so that the group can be written back.
    EXPECT_EQ(group.mapPath, std::u16string(259, u'A'));
    EXPECT_EQ(group.groupName, std::u16string(127, u'B'));

    const std::vector<std::uint8_t> pairs = EncodeSegmentPairs(3, TrackGroup().pairs); // 32 bytes
    const struct {
        std::int32_t count;
        std::size_t size;
        std::size_t expected;
    } pairCases[] = {{3, 32, 3}, {2, 32, 2}, {4, 32, 4}, {9, 32, 4}, {3, 20, 2}, {0, 32, 0}, {-3, 32, 0},
                     {0x7FFFFFFF, 32, 4}};
    for (const auto& c : pairCases)
        EXPECT_EQ(DecodeSegmentPairs(pairs.data(), c.size, c.count).size(), c.expected) << c.count << " " << c.size;
    const auto read = DecodeSegmentPairs(pairs.data(), pairs.size(), 3);
    EXPECT_EQ(std::make_pair(read[2].cumulativeDistance, read[2].endPointIndex), std::make_pair(1200, 240));
}

TEST(SegmentGroupCodecTest, TheMapsGroupIsTheFirstWithItsExactPathElseOneReusedDefault)
{
    SegmentGroup unsaved;
    unsaved.groupId = 7;
    SegmentGroup first = TrackGroup();
    first.groupName = u"First";
    SegmentGroup second = TrackGroup();
    second.groupId = 8;
    second.groupName = u"Second";
    std::deque<SegmentGroup> groups = {unsaved, first, second};

    EXPECT_EQ(ChooseMapGroup(groups, u"/maps/track.dat", 100), 1u);
    EXPECT_EQ(ChooseMapGroup(groups, u"/maps/Track.dat", 100), 0u); // letter case counts; the unsaved default serves
    EXPECT_EQ(ChooseMapGroup(groups, u"", 100), 0u);                 // an empty path matches no saved group
    EXPECT_EQ(groups.size(), 3u);

    groups.pop_front();
    const std::size_t made = ChooseMapGroup(groups, u"/maps/other.dat", 123456); // 123456 is taken by both
    ASSERT_EQ(made, 2u);
    EXPECT_EQ(groups[made].groupName, u"Default Info.1");
    EXPECT_EQ(groups[made].groupId, 123457);
    EXPECT_TRUE(groups[made].mapPath.empty());
    EXPECT_EQ(groups[made].pairsStoredFlag, 0);
    EXPECT_EQ(ChooseMapGroup(groups, u"/maps/third.dat", 123457), made); // reused, not piled up
    EXPECT_EQ(groups.size(), 3u);
}

} // namespace
