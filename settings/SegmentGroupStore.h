// The segment groups in the store's "Map_Seg_Info": the count, the records and one pair value per
// group, as the course map viewer writes and reads them, and the application's own reading of them
// into its list. Stored values are read whole; a value longer than what its count needs is used only
// as far as the count reaches, and no count is taken beyond the bytes stored.
#pragma once

#include "core/LapData.h"

#include <cstdint>
#include <deque>
#include <vector>

class SettingsStore;

class SegmentGroupStore {
public:
    static constexpr int kWrite = 1;

    explicit SegmentGroupStore(SettingsStore& store) : m_store(store) {}

    // Each: op kWrite writes, any other op reads; 0 ok, 1 failure (key or value missing, write failed).
    // "Seg_GrpInfo_Count".
    int ReadWriteGroupCount(int op, std::int32_t* count);
    // "Seg_info_Prop": writes records whole; reads the stored value into records, keeping only as many
    // bytes as records already holds (zeros where the value is shorter).
    int ReadWriteGroupRecords(int op, std::vector<std::uint8_t>& records);
    // "SegSzieInfo_<id>": writes (segmentCount + 1) x 8 bytes of pairs; reads like the records.
    int ReadWriteSegmentPairs(int op, std::int32_t groupId, std::int32_t segmentCount,
                              std::vector<std::uint8_t>& pairs);

    // The viewer's Save. The group of groups with current's id first takes its name, path, segment
    // count and pairs with the pairs-stored flag 1; then the records of every group, current's pair
    // value, the pair value of every other group whose stored one does not give it the pairs it
    // holds (a group renumbered when read), and the count are written in that order, stopping at the
    // first failure, and saved as one batch. 0 when all were saved; 1 on a failure (a save that fails
    // keeps none of them), when groups is empty (nothing written) or a text does not fit.
    int Save(std::deque<orvelo::SegmentGroup>& groups, const orvelo::SegmentGroup& current);

    // The viewer's reading: every stored group in order; one whose pair value was read gets its pairs
    // and the pairs-stored flag 1, one whose value could not be read has no pairs.
    std::deque<orvelo::SegmentGroup> ReadViewerGroups();

private:
    int WriteMovedPairs(const std::deque<orvelo::SegmentGroup>& groups, std::int32_t currentId);

    SettingsStore& m_store;
};

// The application's reading into its list: emptied, then every stored group in order, with the pairs
// of those whose segment count is above 0 and whose pair value can be read.
void LoadSegmentGroups(SettingsStore& store, std::deque<orvelo::SegmentGroup>& groups);
