// The list of a lap's records: what it holds against a deque through every kind of change, and what it
// costs on the heap.
#include "core/ChunkedList.h"

#include "core/LapData.h"
#include "fuzz/HeapMeter.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>

namespace orvelo {
namespace {

using fuzzing::CurrentHeapUse;

// Large enough for chunks of four, and with a member that owns heap memory.
struct Bulky {
    std::string text;
    char padding[3000]{};
    bool operator==(const Bulky& other) const { return text == other.text; }
};
static_assert(ChunkedList<Bulky>::kChunkSize == 4);

void ExpectSame(const ChunkedList<Bulky>& list, const std::deque<Bulky>& model, int step)
{
    ASSERT_EQ(list.size(), model.size()) << step;
    std::size_t i = 0;
    for (const Bulky& value : list) // iterators walk the chunks; [] finds each element on its own
        ASSERT_EQ(value.text, model[i++].text) << step;
    for (std::size_t k = 0; k < model.size(); ++k)
        ASSERT_EQ(list[k].text, model[k].text) << step << " at " << k;
    if (!model.empty()) {
        EXPECT_EQ((list.end() - 1)->text, model.back().text) << step;
        EXPECT_EQ(list.begin()[static_cast<std::ptrdiff_t>(model.size() / 2)].text, model[model.size() / 2].text);
    }
}

TEST(ChunkedListTest, HoldsWhatADequeHoldsThroughGrowthCopiesCutsAndRemovals)
{
    std::mt19937 random(7);
    ChunkedList<Bulky> list;
    std::deque<Bulky> model;
    for (int step = 0; step < 3000; ++step) {
        const int op = static_cast<int>(random() % 20);
        if (op < 11 || model.empty()) {
            const std::string text = "value " + std::to_string(step) + std::string(step % 40, '*');
            list.push_back(Bulky{text});
            model.push_back(Bulky{text});
        } else if (op < 14) { // a copy of an element of the list itself, also while it moves
            const std::size_t k = random() % model.size();
            list.push_back(list[k]);
            model.push_back(model[k]);
        } else if (op < 17) {
            list.pop_back();
            model.pop_back();
        } else if (op == 17) {
            list.shrink_to_fit();
        } else if (op == 18) {
            ChunkedList<Bulky> copy(list);
            list = std::move(copy);
        } else if (random() % 8 == 0) {
            list.clear();
            model.clear();
            list.reserve(random() % 9);
        }
        ExpectSame(list, model, step);
        if (HasFailure())
            return;
    }
}

TEST(ChunkedListTest, EmptyListsAndLapsHoldNothingAndOneRecordCostsOneRecord)
{
    const std::size_t before = CurrentHeapUse().current;
    {
        Lap lap;
        LapAnalysisItem item;
        RecordList moved(std::move(lap.records));
        EXPECT_EQ(CurrentHeapUse().current, before);

        lap.records.Edit().push_back(LogRecord{});
        lap.positions.emplace_back();
        const std::size_t held = CurrentHeapUse().current - before;
        EXPECT_GE(held, sizeof(LogRecord) + sizeof(PositionRec));
        EXPECT_LE(held, sizeof(LogRecord) + sizeof(PositionRec) + 32); // what malloc rounds up
        lap.records.clear();
        lap.positions.clear();
        EXPECT_EQ(CurrentHeapUse().current, before);
    }
    // A list that grew in chunks gives back the unused end of its last one; a copy is one exact block.
    ChunkedList<LogRecord> records;
    const std::size_t count = ChunkedList<LogRecord>::kChunkSize + 3;
    for (std::size_t i = 0; i < count; ++i)
        records.emplace_back().bytes[0] = static_cast<std::uint8_t>(i);
    records.shrink_to_fit();
    const std::size_t cut = CurrentHeapUse().current - before;
    EXPECT_LE(cut, count * sizeof(LogRecord) + 256);
    const ChunkedList<LogRecord> copy = records;
    EXPECT_LE(CurrentHeapUse().current - before - cut, count * sizeof(LogRecord) + 16);
    EXPECT_EQ(copy.size(), count);
    EXPECT_EQ(copy[count - 1].bytes[0], records[count - 1].bytes[0]);
}

} // namespace
} // namespace orvelo
