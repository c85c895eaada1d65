// Inputs the segment-group and window-record fuzz targets must go through without a fault, replayed
// through the same harnesses: the stored segment ends that overflowed, placements far off any screen
// and at the integer limits, and whatever the fuzzers find later.
#include "fuzz/SegmentGroupHarness.h"
#include "fuzz/WindowRecordHarness.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

void Put(std::vector<std::uint8_t>& bytes, std::int64_t word, int size = 4) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(word) >> (8 * i)));
}

// The segment target's layout: one group of id 7 with these pairs.
std::vector<std::uint8_t> OneGroup(const std::vector<std::pair<std::int32_t, std::int32_t>>& pairs) {
    std::vector<std::uint8_t> bytes;
    Put(bytes, 1);
    Put(bytes, 796, 2);
    Put(bytes, static_cast<std::int32_t>(pairs.size()));
    Put(bytes, 7);
    bytes.resize(bytes.size() + 2 * (260 + 128) + 8, 0);
    Put(bytes, 1);
    Put(bytes, 8 * static_cast<std::int64_t>(pairs.size() + 1), 2);
    for (const auto& [distance, index] : pairs) {
        Put(bytes, distance);
        Put(bytes, index);
    }
    Put(bytes, 0);
    Put(bytes, 0);
    return bytes;
}

TEST(RecordFuzzRegressionTest, StoredSegmentEndsOfEveryValueAreUsedWithoutFault) {
    orvelo::fuzzing::SegmentGroupCycle cycle;
    for (const auto& pairs : std::vector<std::vector<std::pair<std::int32_t, std::int32_t>>>{
             {{INT_MIN, -1}, {INT_MAX, INT_MAX}, {100, 5}},
             {{INT_MIN, 100}, {INT_MAX, 200}, {-5, 300}, {1200, 400}},
             {{300, 30}, {200, 20}, {200, 20}, {0, 0}}}) {
        const std::vector<std::uint8_t> bytes = OneGroup(pairs);
        cycle.Run(bytes.data(), bytes.size());
    }
}

TEST(RecordFuzzRegressionTest, WindowRecordsOfEveryPlaceStartInsideTheScreen) {
    orvelo::fuzzing::WindowRecordCycle cycle;
    for (const std::vector<std::int64_t>& edges : std::vector<std::vector<std::int64_t>>{
             {5000, 3000, 5400, 3300}, {-6000, -6000, -5600, -5700}, {1000000, 1000000, 1000400, 1000300},
             {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 16777215, 60}}) {
        std::vector<std::uint8_t> bytes;  // every record the target can choose at once
        for (int choice = 0; choice < 64; ++choice) {
            bytes.push_back(static_cast<std::uint8_t>(choice));
            for (const std::int64_t word : {44, 0, 1, 0, 0, 0, 0})
                Put(bytes, word);
            for (const std::int64_t edge : edges)
                Put(bytes, edge);
        }
        cycle.Run(bytes.data(), bytes.size());
    }
}

// Lap overviews stored at 1x1, 266x1, 266x2, 191x1 and 256x1 pixels, whose rows could not fit them.
TEST(RecordFuzzRegressionTest, WindowRecordsTooSmallForTheirRowsStartAtAUsableSize) {
    orvelo::fuzzing::WindowRecordCycle cycle;
    for (const char* finding : {"JQQgAAAYFQBHEOQMAAD///////////8=", "JQQgAAAAAAAAAAAA////////////",
                                "JQQILAAEAAEAKwAAAAAgAAAAAAAAAAAQAAIAAAAAAA==",
                                "BywAAQAAAAAAAUAAAEAAAAD//////wAAAAAAAAAAAPsACgCI",
                                "BywAAQAAAAAAAAD//////////////wAAAAAAAAAAAAAACgCI"}) {
        SCOPED_TRACE(finding);
        const QByteArray bytes = QByteArray::fromBase64(finding);
        cycle.Run(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
    }
}

}  // namespace
