// Segment group records and pair values, field by field in little-endian order.
#include "core/SegmentGroupCodec.h"

#include "core/LapNumberText.h"
#include "core/LogFileReader.h"

#include <algorithm>
#include <cstdint>

namespace orvelo {

namespace {

std::uint8_t* PutWord(std::uint8_t* p, std::int32_t value)
{
    const auto word = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        *p++ = static_cast<std::uint8_t>(word >> (8 * i));
    return p;
}

const std::uint8_t* GetWord(const std::uint8_t* p, std::int32_t& value)
{
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i)
        word |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    value = static_cast<std::int32_t>(word);
    return p + 4;
}

template <std::size_t N>
std::uint8_t* PutText(std::uint8_t* p, const std::array<char16_t, N>& text)
{
    for (char16_t c : text) {
        *p++ = static_cast<std::uint8_t>(c & 0xFF);
        *p++ = static_cast<std::uint8_t>(c >> 8);
    }
    return p;
}

template <std::size_t N>
const std::uint8_t* GetText(const std::uint8_t* p, std::array<char16_t, N>& text)
{
    for (char16_t& c : text) {
        c = static_cast<char16_t>(p[0] | (p[1] << 8));
        p += 2;
    }
    return p;
}

template <std::size_t N>
bool PutString(std::array<char16_t, N>& field, std::u16string_view text)
{
    if (text.size() >= N)
        return false;
    field.fill(u'\0');
    std::copy(text.begin(), text.end(), field.begin());
    return true;
}

// A text without its NUL is cut by one character, so the group can be written back.
template <std::size_t N>
std::u16string StringOf(const std::array<char16_t, N>& field)
{
    const auto end = std::find(field.begin(), field.end() - 1, u'\0');
    return std::u16string(field.begin(), end);
}

// id, raised while a group of groups has it.
std::int32_t FreeGroupId(const std::deque<SegmentGroup>& groups, std::int32_t id)
{
    const auto taken = [&groups](std::int32_t candidate) {
        return std::any_of(groups.begin(), groups.end(),
                           [candidate](const SegmentGroup& g) { return g.groupId == candidate; });
    };
    while (taken(id))
        id = static_cast<std::int32_t>(static_cast<std::uint32_t>(id) + 1u);
    return id;
}

bool IsUnsavedDefault(const SegmentGroup& group)
{
    return group.mapPath.empty() && group.pairsStoredFlag == 0;
}

} // namespace

std::array<std::uint8_t, kSegmentGroupRecordBytes> EncodeSegmentGroupRecord(const SegmentGroupRecord& record)
{
    std::array<std::uint8_t, kSegmentGroupRecordBytes> bytes{};
    std::uint8_t* p = PutWord(bytes.data(), record.segmentCount);
    p = PutWord(p, record.groupId);
    p = PutText(p, record.mapPath);
    p = PutText(p, record.groupName);
    p = PutWord(p, 0);
    p = PutWord(p, 0);
    PutWord(p, record.pairsStoredFlag);
    return bytes;
}

SegmentGroupRecord DecodeSegmentGroupRecord(const std::uint8_t* bytes)
{
    SegmentGroupRecord record;
    const std::uint8_t* p = GetWord(bytes, record.segmentCount);
    p = GetWord(p, record.groupId);
    p = GetText(p, record.mapPath);
    p = GetText(p, record.groupName);
    p = GetWord(p, record.reserved[0]);
    p = GetWord(p, record.reserved[1]);
    GetWord(p, record.pairsStoredFlag);
    return record;
}

bool MakeSegmentGroupRecord(const SegmentGroup& group, SegmentGroupRecord& record)
{
    SegmentGroupRecord made;
    made.segmentCount = group.segmentCount;
    made.groupId = group.groupId;
    made.pairsStoredFlag = group.pairsStoredFlag;
    if (!PutString(made.mapPath, group.mapPath) || !PutString(made.groupName, group.groupName))
        return false;
    record = made;
    return true;
}

SegmentGroup SegmentGroupFromRecord(const SegmentGroupRecord& record)
{
    SegmentGroup group;
    group.segmentCount = record.segmentCount;
    group.groupId = record.groupId;
    group.mapPath = StringOf(record.mapPath);
    group.groupName = StringOf(record.groupName);
    group.pairsStoredFlag = record.pairsStoredFlag;
    return group;
}

std::u16string SegmentPairValueName(std::int32_t groupId)
{
    return u"SegSzieInfo_" + FormatLapNumber(groupId);
}

std::vector<std::uint8_t> EncodeSegmentPairs(std::int32_t segmentCount, const std::vector<SegmentPair>& pairs)
{
    const std::size_t n = segmentCount > 0 ? static_cast<std::size_t>(segmentCount) : 0;
    std::vector<std::uint8_t> bytes((n + 1) * kSegmentPairBytes, 0);
    std::uint8_t* p = bytes.data();
    for (std::size_t k = 0; k < n && k < pairs.size(); ++k) {
        p = PutWord(p, pairs[k].cumulativeDistance);
        p = PutWord(p, pairs[k].endPointIndex);
    }
    return bytes;
}

std::vector<SegmentGroupRecord> DecodeSegmentGroupRecords(const std::uint8_t* bytes, std::size_t size,
                                                          std::int64_t storedCount)
{
    std::vector<SegmentGroupRecord> records;
    if (!bytes || storedCount < 1)
        return records;
    const auto count = std::min<std::uint64_t>(static_cast<std::uint64_t>(storedCount),
                                               size / kSegmentGroupRecordBytes);
    records.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i)
        records.push_back(DecodeSegmentGroupRecord(bytes + i * kSegmentGroupRecordBytes));
    return records;
}

std::vector<SegmentPair> DecodeSegmentPairs(const std::uint8_t* bytes, std::size_t size, std::int32_t segmentCount)
{
    std::vector<SegmentPair> pairs;
    if (!bytes || segmentCount < 1)
        return pairs;
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(segmentCount), size / kSegmentPairBytes);
    pairs.resize(count);
    const std::uint8_t* p = bytes;
    for (SegmentPair& pair : pairs) {
        p = GetWord(p, pair.cumulativeDistance);
        p = GetWord(p, pair.endPointIndex);
    }
    return pairs;
}

std::size_t UsablePairCount(const SegmentGroup& group)
{
    const std::size_t counted = group.segmentCount > 0 ? static_cast<std::size_t>(group.segmentCount) : 0;
    return std::min(counted, group.pairs.size());
}

void CheckSegmentEnds(SegmentGroup& group, const ChunkedList<CoursePoint>* course, std::int64_t courseLength)
{
    const std::size_t points = course ? course->size() : 0;
    // The last point is often a few metres short of the lap's distance, which closes the last segment.
    const std::int64_t last =
        points > 0 ? std::max<std::int64_t>(course->back().cumulativeDistance, courseLength) : INT32_MAX;
    std::int64_t previous = 0;
    std::vector<SegmentPair> kept;
    const std::size_t usable = UsablePairCount(group);
    kept.reserve(usable);
    const auto fits = [&](std::int64_t distance) {
        return distance > previous && distance <= last;
    };
    for (std::size_t k = 0; k < usable; ++k) {
        SegmentPair pair = group.pairs[k];
        if (!fits(pair.cumulativeDistance)) {
            const std::int32_t index = pair.endPointIndex;
            if (index < 0 || static_cast<std::size_t>(index) >= points ||
                !fits((*course)[static_cast<std::size_t>(index)].cumulativeDistance))
                continue;
            pair.cumulativeDistance = (*course)[static_cast<std::size_t>(index)].cumulativeDistance;
        }
        previous = pair.cumulativeDistance;
        kept.push_back(pair);
    }
    const auto dropped = static_cast<std::int64_t>(usable - kept.size());
    group.segmentCount = static_cast<std::int32_t>(std::max<std::int64_t>(std::int64_t{group.segmentCount} - dropped, 0));
    group.pairs = std::move(kept);
}

std::int32_t NewSegmentGroupId(const LapDataCore& core)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(GetSecondsSince2008(core)));
}

void MakeGroupIdsUnique(std::deque<SegmentGroup>& groups)
{
    for (std::size_t i = 1; i < groups.size(); ++i) {
        const std::int32_t id = groups[i].groupId;
        if (std::any_of(groups.begin(), groups.begin() + static_cast<std::ptrdiff_t>(i),
                        [id](const SegmentGroup& g) { return g.groupId == id; }))
            groups[i].groupId = FreeGroupId(groups, id);
    }
}

std::size_t ChooseMapGroup(std::deque<SegmentGroup>& groups, std::u16string_view mapPath, std::int32_t newId)
{
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (!groups[i].mapPath.empty() && groups[i].mapPath == mapPath)
            return i;
    }
    // One unsaved default group serves every map without a group of its own, so none piles up.
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (IsUnsavedDefault(groups[i]))
            return i;
    }
    // Ids are seconds: a group made in the same second must not share a pair value with another.
    SegmentGroup group;
    group.groupId = FreeGroupId(groups, newId);
    group.groupName = kDefaultSegmentGroupName;
    groups.push_back(std::move(group));
    return groups.size() - 1;
}

} // namespace orvelo
