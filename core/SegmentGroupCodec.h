// The stored form of segment groups: one 796-byte record per group, back to back, and per group a
// value "SegSzieInfo_<id>" holding its segment ends, 8 bytes each, followed by 8 zero bytes. All
// little-endian, texts UTF-16 inside fixed arrays. Readers take no stored count beyond the bytes
// that are there, and a text that no NUL ends is cut to leave room for one.
#pragma once

#include "core/LapData.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace orvelo {

class LapDataCore;

inline constexpr std::size_t kSegmentGroupRecordBytes = 796;
inline constexpr std::size_t kSegmentPairBytes = 8;
inline constexpr char16_t kDefaultSegmentGroupName[] = u"Default Info.1";

// One group record as stored.
struct SegmentGroupRecord {
    static constexpr std::size_t kPathChars = 260;
    static constexpr std::size_t kNameChars = 128;

    std::int32_t segmentCount = 0;
    std::int32_t groupId = 0;
    std::array<char16_t, kPathChars> mapPath{};
    std::array<char16_t, kNameChars> groupName{};
    std::array<std::int32_t, 2> reserved{}; // ignored when read, written as 0
    std::int32_t pairsStoredFlag = 0;
};
static_assert(sizeof(SegmentGroupRecord) == kSegmentGroupRecordBytes, "segment group record is 796 bytes");
static_assert(sizeof(SegmentPair) == kSegmentPairBytes, "segment pair is 8 bytes");

std::array<std::uint8_t, kSegmentGroupRecordBytes> EncodeSegmentGroupRecord(const SegmentGroupRecord& record);
// bytes holds kSegmentGroupRecordBytes bytes.
SegmentGroupRecord DecodeSegmentGroupRecord(const std::uint8_t* bytes);

// The record of a group (reserved words 0); false when its path or name does not fit its array with a NUL.
bool MakeSegmentGroupRecord(const SegmentGroup& group, SegmentGroupRecord& record);
// The group of a record, without pairs.
SegmentGroup SegmentGroupFromRecord(const SegmentGroupRecord& record);

// "SegSzieInfo_" and the id as a signed decimal number.
std::u16string SegmentPairValueName(std::int32_t groupId);

// (n + 1) x 8 bytes for n = segmentCount (none below 0): the first n pairs (zeros where there are
// fewer), then 8 zero bytes.
std::vector<std::uint8_t> EncodeSegmentPairs(std::int32_t segmentCount, const std::vector<SegmentPair>& pairs);

// The records of a stored record value: storedCount of them, no more than the bytes hold, none for a
// count below 1.
std::vector<SegmentGroupRecord> DecodeSegmentGroupRecords(const std::uint8_t* bytes, std::size_t size,
                                                          std::int64_t storedCount);
// The first segmentCount pairs of a pair value, no more than the bytes hold, none for a count below 1.
std::vector<SegmentPair> DecodeSegmentPairs(const std::uint8_t* bytes, std::size_t size, std::int32_t segmentCount);

// The pairs of a group that a user may read: those it has, and no more than its segment count.
std::size_t UsablePairCount(const SegmentGroup& group);

// The ends of a group on a course of these points (nullptr or none: a course not known), in place:
// only its usable pairs are kept, each with a distance above the previous one, not below 0 and not
// beyond the course's end: its length (the lap's distance, where the last end is laid) or its last
// point, whichever lies farther. A distance outside that is taken again from the pair's point
// index; a pair whose index gives none either is dropped, and the segment count loses one with it.
void CheckSegmentEnds(SegmentGroup& group, const ChunkedList<CoursePoint>* course, std::int64_t courseLength);

// The group id for a group made now: the low 32 bits of the seconds since 2008-01-01 local time.
std::int32_t NewSegmentGroupId(const LapDataCore& core);

// A group whose id an earlier group has gets an id no group has (raised from it), so that a Save
// changes one group and its pair value belongs to it alone.
void MakeGroupIdsUnique(std::deque<SegmentGroup>& groups);

// The group of the course map on display: the index of the first group whose path is not empty and
// equals mapPath exactly. Without one, the default group: an unsaved one (empty path, flag 0) is
// reused, else "Default Info.1" is appended with newId, raised while another group has it.
std::size_t ChooseMapGroup(std::deque<SegmentGroup>& groups, std::u16string_view mapPath, std::int32_t newId);

} // namespace orvelo
