#include "settings/SegmentGroupStore.h"

#include "settings/SettingsBatch.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsStore.h"

#include "core/SegmentGroupCodec.h"
#include "platform/Registry.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;

const QString kGroupCount = QStringLiteral("Seg_GrpInfo_Count");
const QString kGroupRecords = QStringLiteral("Seg_info_Prop");

QString KeyPath() { return settings::SubKeyPath(settings::kMapSegInfo); }

QString PairValueName(std::int32_t groupId) {
    return QString::fromStdU16String(orvelo::SegmentPairValueName(groupId));
}

std::optional<QByteArray> StoredBytes(SettingsStore& store, const QString& name) {
    const std::optional<platform::RegistryValue> value = store.Registry().QueryValue(KeyPath(), name);
    if (!value)
        return std::nullopt;
    return value->data;
}

// Reads the whole value and keeps as much of it as buffer holds.
int ReadInto(SettingsStore& store, const QString& name, std::vector<std::uint8_t>& buffer) {
    const std::optional<QByteArray> bytes = StoredBytes(store, name);
    if (!bytes)
        return kFailed;
    const std::size_t kept = std::min(buffer.size(), static_cast<std::size_t>(bytes->size()));
    if (kept > 0)
        std::memcpy(buffer.data(), bytes->constData(), kept);
    return kOk;
}

// Entries of a value that its bytes can hold: never more than stored, whatever a count says.
std::size_t StoredEntries(SettingsStore& store, const QString& name, std::size_t entryBytes) {
    const std::optional<QByteArray> bytes = StoredBytes(store, name);
    return bytes ? static_cast<std::size_t>(bytes->size()) / entryBytes : 0;
}

std::size_t Bounded(std::int64_t count, std::size_t stored) {
    return count < 1 ? 0 : std::min(static_cast<std::size_t>(count), stored);
}

// The stored records, as many as the count says and the value holds; nothing when either is unreadable.
std::vector<orvelo::SegmentGroupRecord> ReadRecords(SegmentGroupStore& groups, SettingsStore& store) {
    std::int32_t count = 0;
    if (groups.ReadWriteGroupCount(0, &count) != kOk || count < 1)
        return {};
    const std::size_t n = Bounded(count, StoredEntries(store, kGroupRecords, orvelo::kSegmentGroupRecordBytes));
    std::vector<std::uint8_t> buffer((n + 1) * orvelo::kSegmentGroupRecordBytes, 0);
    if (groups.ReadWriteGroupRecords(0, buffer) != kOk)
        return {};
    return orvelo::DecodeSegmentGroupRecords(buffer.data(), buffer.size(), static_cast<std::int64_t>(n));
}

// The pairs of a group's value, as many as its count says and the value holds; nothing when unreadable.
std::optional<std::vector<orvelo::SegmentPair>> ReadPairs(SegmentGroupStore& groups, SettingsStore& store,
                                                         std::int32_t groupId, std::int32_t segmentCount) {
    const std::size_t n = Bounded(segmentCount, StoredEntries(store, PairValueName(groupId), orvelo::kSegmentPairBytes));
    std::vector<std::uint8_t> buffer((n + 2) * orvelo::kSegmentPairBytes, 0);
    if (groups.ReadWriteSegmentPairs(0, groupId, segmentCount, buffer) != kOk)
        return std::nullopt;
    return orvelo::DecodeSegmentPairs(buffer.data(), buffer.size(), static_cast<std::int32_t>(n));
}

// The pair value a group's held pairs are written as. A stored value too short for its count gave
// it fewer pairs, and is written as short again, so no reader finds a pair the group never had.
std::vector<std::uint8_t> HeldPairsValue(const orvelo::SegmentGroup& group) {
    std::vector<std::uint8_t> bytes = orvelo::EncodeSegmentPairs(group.segmentCount, group.pairs);
    if (group.pairs.size() < static_cast<std::size_t>(std::max(group.segmentCount, 0)))
        bytes.resize(group.pairs.size() * orvelo::kSegmentPairBytes);
    return bytes;
}

}  // namespace

int SegmentGroupStore::ReadWriteGroupCount(int op, std::int32_t* count) {
    if (!count)
        return kFailed;
    if (op == kWrite)
        return m_store.RegWriteDword(KeyPath(), kGroupCount, count);
    const std::optional<QByteArray> bytes = StoredBytes(m_store, kGroupCount);
    if (!bytes || bytes->size() != 4)
        return kFailed;
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i)
        word |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes->at(i))) << (8 * i);
    *count = static_cast<std::int32_t>(word);
    return kOk;
}

int SegmentGroupStore::ReadWriteGroupRecords(int op, std::vector<std::uint8_t>& records) {
    if (op == kWrite)
        return m_store.RegWriteBinary(KeyPath(), kGroupRecords, records.data(),
                                      static_cast<std::uint32_t>(records.size()));
    return ReadInto(m_store, kGroupRecords, records);
}

int SegmentGroupStore::ReadWriteSegmentPairs(int op, std::int32_t groupId, std::int32_t segmentCount,
                                             std::vector<std::uint8_t>& pairs) {
    if (op != kWrite)
        return ReadInto(m_store, PairValueName(groupId), pairs);
    const std::size_t n = segmentCount > 0 ? static_cast<std::size_t>(segmentCount) : 0;
    const std::size_t bytes = (n + 1) * orvelo::kSegmentPairBytes;
    if (pairs.size() < bytes)
        return kFailed;
    return m_store.RegWriteBinary(KeyPath(), PairValueName(groupId), pairs.data(), static_cast<std::uint32_t>(bytes));
}

int SegmentGroupStore::Save(std::deque<orvelo::SegmentGroup>& groups, const orvelo::SegmentGroup& current) {
    if (groups.empty())
        return kFailed;
    // The records, the pairs and the count are saved together or not at all.
    SettingsBatch batch(m_store);
    // One group takes current's place; the list gets it back when nothing is saved.
    const auto chosen = std::find_if(groups.begin(), groups.end(),
                                     [&current](const orvelo::SegmentGroup& g) { return g.groupId == current.groupId; });
    std::optional<orvelo::SegmentGroup> before;
    if (chosen != groups.end()) {
        before = *chosen;
        chosen->groupName = current.groupName;
        chosen->mapPath = current.mapPath;
        chosen->segmentCount = current.segmentCount;
        chosen->pairs = current.pairs;
        chosen->pairsStoredFlag = 1;
    }
    const auto failed = [&] {
        if (before)
            *chosen = std::move(*before);
        return kFailed;
    };
    std::vector<std::uint8_t> records((groups.size() + 1) * orvelo::kSegmentGroupRecordBytes, 0);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const orvelo::SegmentGroup& group = groups[i];
        orvelo::SegmentGroupRecord record;
        if (!orvelo::MakeSegmentGroupRecord(group, record))
            return failed();
        const auto bytes = orvelo::EncodeSegmentGroupRecord(record);
        std::copy(bytes.begin(), bytes.end(), records.begin() + static_cast<std::ptrdiff_t>(i * bytes.size()));
    }
    records.resize(groups.size() * orvelo::kSegmentGroupRecordBytes);
    std::vector<std::uint8_t> pairs = orvelo::EncodeSegmentPairs(current.segmentCount, current.pairs);
    pairs.resize(pairs.size() + orvelo::kSegmentPairBytes, 0);
    auto count = static_cast<std::int32_t>(groups.size());
    if (ReadWriteGroupRecords(kWrite, records) != kOk ||
        ReadWriteSegmentPairs(kWrite, current.groupId, current.segmentCount, pairs) != kOk ||
        WriteMovedPairs(groups, current.groupId) != kOk || ReadWriteGroupCount(kWrite, &count) != kOk ||
        batch.End() != kOk)
        return failed();
    return kOk;
}

int SegmentGroupStore::WriteMovedPairs(const std::deque<orvelo::SegmentGroup>& groups, std::int32_t currentId) {
    // A group given a new id when the list was read holds the pairs stored under its old one: they
    // go under the id its record now has, or that group would come back without them.
    for (const orvelo::SegmentGroup& group : groups) {
        if (group.groupId == currentId || group.pairs.empty())
            continue;
        const std::optional<std::vector<orvelo::SegmentPair>> stored = ReadPairs(*this, m_store, group.groupId, group.segmentCount);
        if (stored && std::equal(stored->begin(), stored->end(), group.pairs.begin(), group.pairs.end(),
                                 [](const orvelo::SegmentPair& a, const orvelo::SegmentPair& b) {
                                     return a.cumulativeDistance == b.cumulativeDistance &&
                                            a.endPointIndex == b.endPointIndex;
                                 }))
            continue;
        const std::vector<std::uint8_t> bytes = HeldPairsValue(group);
        if (m_store.RegWriteBinary(KeyPath(), PairValueName(group.groupId), bytes.data(),
                                   static_cast<std::uint32_t>(bytes.size())) != kOk)
            return kFailed;
    }
    return kOk;
}

std::deque<orvelo::SegmentGroup> SegmentGroupStore::ReadViewerGroups() {
    std::deque<orvelo::SegmentGroup> groups;
    for (const orvelo::SegmentGroupRecord& record : ReadRecords(*this, m_store)) {
        orvelo::SegmentGroup group = orvelo::SegmentGroupFromRecord(record);
        if (auto pairs = ReadPairs(*this, m_store, record.groupId, record.segmentCount)) {
            group.pairs = std::move(*pairs);
            group.pairsStoredFlag = 1;
        }
        groups.push_back(std::move(group));
    }
    orvelo::MakeGroupIdsUnique(groups);
    return groups;
}

void LoadSegmentGroups(SettingsStore& store, std::deque<orvelo::SegmentGroup>& groups) {
    groups.clear();
    SegmentGroupStore stored(store);
    for (const orvelo::SegmentGroupRecord& record : ReadRecords(stored, store)) {
        orvelo::SegmentGroup group = orvelo::SegmentGroupFromRecord(record);
        if (record.segmentCount > 0) {
            if (auto pairs = ReadPairs(stored, store, record.groupId, record.segmentCount))
                group.pairs = std::move(*pairs);
        }
        groups.push_back(std::move(group));
    }
    orvelo::MakeGroupIdsUnique(groups);
}
