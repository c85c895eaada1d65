// Segment groups in "Map_Seg_Info": what a Save writes and in which order, and both readers on
// stored values as written and as a damaged file may hold them.
#include "settings/SegmentGroupStore.h"
#include "settings/SettingsTestStore.h"

#include "core/SegmentGroupCodec.h"

#include <gtest/gtest.h>

namespace {

using orvelo::SegmentGroup;

const QString kCount = QStringLiteral("Seg_GrpInfo_Count");
const QString kRecords = QStringLiteral("Seg_info_Prop");

QString PairName(std::int32_t id) { return QString::fromStdU16String(orvelo::SegmentPairValueName(id)); }

SegmentGroup Group(std::int32_t id, const char16_t* path, std::vector<orvelo::SegmentPair> pairs) {
    SegmentGroup group;
    group.groupId = id;
    group.mapPath = path;
    group.groupName = u"Default Info.1";
    group.segmentCount = static_cast<std::int32_t>(pairs.size());
    group.pairs = std::move(pairs);
    return group;
}

QByteArray Words(std::initializer_list<std::int32_t> words) {
    QByteArray bytes;
    for (std::int32_t word : words) {
        for (int i = 0; i < 4; ++i)
            bytes.append(static_cast<char>((static_cast<std::uint32_t>(word) >> (8 * i)) & 0xFF));
    }
    return bytes;
}

QByteArray RecordBytes(const SegmentGroup& group) {
    orvelo::SegmentGroupRecord record;
    orvelo::MakeSegmentGroupRecord(group, record);
    const auto bytes = orvelo::EncodeSegmentGroupRecord(record);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

class SegmentGroupStoreTest : public ::testing::Test {
protected:
    SegmentGroupStore Groups() { return SegmentGroupStore(m_test.Store()); }
    QByteArray Get(const QString& name) { return m_test.Get(settings::kMapSegInfo, name); }
    void Put(const QString& name, const QByteArray& bytes, std::uint32_t type = platform::kRegBinary) {
        m_test.Put(settings::kMapSegInfo, name, bytes, type);
    }
    std::deque<SegmentGroup> Loaded() {
        std::deque<SegmentGroup> groups{SegmentGroup{}};  // a leftover the reading replaces
        LoadSegmentGroups(m_test.Store(), groups);
        return groups;
    }
    SettingsTestStore m_test;
};

TEST_F(SegmentGroupStoreTest, SaveWritesEveryRecordOnlyTheCurrentPairsAndTheCountAndBothReadersTakeThemBack) {
    Put(PairName(10), Words({1, 2}));  // an older pair value of the other group stays as it is
    std::deque<SegmentGroup> groups = {Group(10, u"/maps/a.dat", {}), Group(20, u"", {})};
    SegmentGroup current = Group(20, u"/maps/b.dat", {{400, 80}, {800, 160}, {1200, 240}});
    current.groupName = u"Sectors";
    ASSERT_EQ(Groups().Save(groups, current), 0);

    EXPECT_EQ(Get(kRecords).size(), 1592);
    EXPECT_EQ(Get(kCount), Words({2}));
    EXPECT_EQ(m_test.TypeOf(settings::kMapSegInfo, kCount), platform::kRegDword);
    EXPECT_EQ(Get(PairName(20)), Words({400, 80, 800, 160, 1200, 240, 0, 0}));
    EXPECT_EQ(Get(PairName(10)), Words({1, 2}));
    // The list keeps the current group as saved.
    EXPECT_EQ(std::make_tuple(groups[1].mapPath, groups[1].groupName, groups[1].pairsStoredFlag, groups[1].pairs.size()),
              std::make_tuple(std::u16string(u"/maps/b.dat"), std::u16string(u"Sectors"), 1, std::size_t{3}));

    const std::deque<SegmentGroup> loaded = Loaded();
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].mapPath, u"/maps/a.dat");
    EXPECT_TRUE(loaded[0].pairs.empty());  // no segments: its pair value is not read
    EXPECT_EQ(loaded[1].pairs.size(), 3u);
    EXPECT_EQ(loaded[1].pairs[2].endPointIndex, 240);

    const std::deque<SegmentGroup> viewer = Groups().ReadViewerGroups();
    ASSERT_EQ(viewer.size(), 2u);
    EXPECT_EQ(viewer[0].pairsStoredFlag, 1);  // its (empty) pair list was read
    EXPECT_EQ(viewer[1].groupName, u"Sectors");
    EXPECT_EQ(viewer[1].pairs.size(), 3u);
}

TEST_F(SegmentGroupStoreTest, ASaveIsOneSaveOfTheSettingsFileAllOfItOrNothing) {
    SegmentGroup current = Group(30, u"/maps/c.dat", {{500, 9}});
    std::deque<SegmentGroup> groups = {current};
    m_test.Backend().FailSavesAfter(1);  // the first Save is saved, the next one is not
    ASSERT_EQ(Groups().Save(groups, current), 0);
    const QByteArray records = Get(kRecords);
    current.pairs.push_back({900, 12});
    current.segmentCount = 2;
    groups.push_back(Group(40, u"/maps/d.dat", {}));
    EXPECT_EQ(Groups().Save(groups, current), 1);
    EXPECT_EQ(Get(kRecords), records);
    EXPECT_EQ(Get(kCount), Words({1}));
    EXPECT_EQ(Get(PairName(30)), Words({500, 9, 0, 0}));
    // The list is as before the failed Save.
    EXPECT_EQ(std::make_tuple(groups[0].segmentCount, groups[0].pairs.size()), std::make_tuple(1, std::size_t{1}));
    std::deque<SegmentGroup> none;
    EXPECT_EQ(Groups().Save(none, current), 1);
}

// Two records of id 7 share one pair value; the second is read as id 8. A Save of the first must
// leave both readers giving the second its pairs, and a Save that fails must leave everything as it
// was. A third group, read under its own id with a longer value than its count needs, is not touched.
TEST_F(SegmentGroupStoreTest, AGroupRenumberedWhenReadTakesItsPairsToItsNewIdAtTheNextSaveOfAnother) {
    SegmentGroup own = Group(5, u"/maps/o.dat", {{50, 2}});
    Put(kRecords, RecordBytes(Group(7, u"/maps/a.dat", {{100, 5}, {200, 9}})) +
                      RecordBytes(Group(7, u"/maps/b.dat", {{100, 5}, {200, 9}})) + RecordBytes(own));
    Put(kCount, Words({3}), platform::kRegDword);
    Put(PairName(7), Words({100, 5, 200, 9, 0, 0}));
    const QByteArray ownValue = Words({50, 2, 60, 3, 0, 0});
    Put(PairName(5), ownValue);
    std::deque<SegmentGroup> groups = Groups().ReadViewerGroups();
    ASSERT_EQ(groups.size(), 3u);
    ASSERT_EQ(std::make_pair(groups[0].groupId, groups[1].groupId), std::make_pair(7, 8));
    const SegmentGroup current = Group(7, u"/maps/a.dat", {{300, 12}});

    m_test.Backend().SetFailSaves(true);
    EXPECT_EQ(Groups().Save(groups, current), 1);
    EXPECT_TRUE(Get(PairName(8)).isEmpty());
    EXPECT_EQ(Get(PairName(7)), Words({100, 5, 200, 9, 0, 0}));
    EXPECT_EQ(Get(kRecords).mid(796 + 4, 4), Words({7}));
    EXPECT_EQ(std::make_tuple(groups[0].pairs.size(), groups[1].groupId, groups[1].pairs.size()),
              std::make_tuple(std::size_t{2}, 8, std::size_t{2}));

    m_test.Backend().SetFailSaves(false);
    ASSERT_EQ(Groups().Save(groups, current), 0);
    EXPECT_EQ(Get(PairName(7)), Words({300, 12, 0, 0}));
    EXPECT_EQ(Get(PairName(8)), Words({100, 5, 200, 9, 0, 0}));
    EXPECT_EQ(Get(PairName(5)), ownValue);
    const auto second = [](const std::deque<SegmentGroup>& read) {
        std::vector<std::int32_t> words;
        if (read.size() == 3) {
            words.push_back(read[1].groupId);
            for (const orvelo::SegmentPair& pair : read[1].pairs)
                words.insert(words.end(), {pair.cumulativeDistance, pair.endPointIndex});
        }
        return words;
    };
    const std::vector<std::int32_t> expected{8, 100, 5, 200, 9};
    EXPECT_EQ(second(Loaded()), expected);
    EXPECT_EQ(second(Groups().ReadViewerGroups()), expected);
    EXPECT_EQ(Loaded()[0].pairs.size(), 1u);
}

TEST_F(SegmentGroupStoreTest, AStoredPathThatFillsItsArrayIsCutSoEveryLaterSaveCanWriteIt) {
    QByteArray full = RecordBytes(Group(5, u"", {}));
    for (int i = 0; i < 260; ++i) {  // the path's 260 characters, no NUL
        full[8 + 2 * i] = 'p';
        full[9 + 2 * i] = 0;
    }
    Put(kRecords, full);
    Put(kCount, Words({1}), platform::kRegDword);
    std::deque<SegmentGroup> groups = Groups().ReadViewerGroups();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].mapPath, std::u16string(259, u'p'));
    groups.push_back(Group(6, u"/maps/e.dat", {}));
    EXPECT_EQ(Groups().Save(groups, Group(6, u"/maps/e.dat", {{100, 4}})), 0);
    EXPECT_EQ(Get(kCount), Words({2}));
}

TEST_F(SegmentGroupStoreTest, ReadersTakeNoCountBeyondTheStoredBytes) {
    SegmentGroup hostile = Group(1, u"/maps/h.dat", {});
    hostile.segmentCount = 0x7FFFFFFF;
    const QByteArray records = RecordBytes(hostile) + RecordBytes(Group(2, u"/maps/m.dat", {{10, 1}})) +
                               RecordBytes(Group(3, u"/maps/l.dat", {{10, 1}}));
    const struct {
        const char* what;
        QByteArray count;
        QByteArray records;
        std::size_t groups;
    } cases[] = {
        {"as written", Words({3}), records, 3},
        {"count above the records", Words({1000000}), records, 3},
        {"records cut short", Words({3}), records.left(900), 1},
        {"negative count", Words({-4}), records, 0},
        {"count of the wrong size", Words({3, 0}), records, 0},
        {"no records", Words({3}), QByteArray(), 0},
    };
    for (const auto& c : cases) {
        Put(kCount, c.count, platform::kRegDword);
        Put(kRecords, c.records);
        EXPECT_EQ(Loaded().size(), c.groups) << c.what;
        EXPECT_EQ(Groups().ReadViewerGroups().size(), c.groups) << c.what;
    }
    // Pairs: two for a huge count, none stored, three stored for one segment.
    Put(kRecords, records);
    Put(kCount, Words({3}), platform::kRegDword);
    Put(PairName(1), Words({10, 1, 20, 2}));
    Put(PairName(3), Words({10, 1, 20, 2, 30, 3, 0, 0}));
    const std::deque<SegmentGroup> loaded = Loaded();
    EXPECT_EQ(loaded[0].pairs.size(), 2u);
    EXPECT_EQ(orvelo::UsablePairCount(loaded[0]), 2u);
    EXPECT_TRUE(loaded[1].pairs.empty());  // kept, without segments
    EXPECT_EQ(loaded[2].pairs.size(), 1u);
    const std::deque<SegmentGroup> viewer = Groups().ReadViewerGroups();
    EXPECT_EQ(std::make_pair(viewer[1].pairsStoredFlag, viewer[2].pairsStoredFlag), std::make_pair(0, 1));
}

}  // namespace
