// The lap list and the segment list of the program after File > Open against a reference kept
// here: rows inserted one at a time, each before the first row whose lap-number text compares
// below its own, with the cell texts the lists have always shown; then sorted by each column,
// grouped by file and by folder, and the segment list in both of its modes.
#include "ProgramHarness.h"

#include "../shell/LapListTestSupport.h"

#include "coursemap/CSegListPane.h"
#include "coursemap/SegmentListModel.h"
#include "coursemap/SegmentTimes.h"
#include "settings/ParseLapTimeText.h"
#include "shell/CClassView.h"
#include "shell/LapListModel.h"

#include "core/LapNumberText.h"
#include "core/LapTimeText.h"
#include "core/PathSplit.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using platform::SendMessage;

// A row as the lists showed it: the lap list's seventeen texts, the segment list's cells.
struct RefRow {
    QStringList lap;
    QStringList segment;  // "L ", the segment cells, "File name", "Path"
    std::uint32_t lapTime = 0;
};

QString TimeText(std::int64_t time) {
    std::u16string text;
    if (time >= 0 && time <= orvelo::kLongestLapTime)
        orvelo::FormatLapTimeW(static_cast<std::uint32_t>(time), text);
    return QString::fromStdU16String(text);
}

QStringList LapTexts(const orvelo::LogFile& file, const orvelo::Lap& lap) {
    const auto f = [](const char* format, long long v) { return QString::asprintf(format, v); };
    const auto* e = lap.channelExtremes;
    return {f("%3lld", lap.lapNumber),
            QString::fromLatin1(lap.lapTimeText, static_cast<qsizetype>(strnlen(lap.lapTimeText, 16))),
            "   ", "   ", f("%6lld", lap.distance), f("%5lld", e[0]), f("%4lld", e[1]), f("%4lld", e[2]),
            f("%4lld", e[3]), QString::asprintf("%.1f", lap.average),
            QString::asprintf("%.2f", lap.signedValuePeaksScaled[1]), f("%3lld", e[5]), f("%3lld", e[4]),
            f("%3lld", e[7]), f("%3lld", e[6]), QString::fromStdU16String(file.title),
            QString::fromStdU16String(file.fullPath)};
}

void InsertOneAtATime(std::vector<RefRow>& rows, RefRow row, bool segmentList) {
    const auto key = [segmentList](const RefRow& r) { return segmentList ? r.segment[0] : r.lap[0]; };
    const auto at = std::find_if(rows.begin(), rows.end(), [&](const RefRow& r) {
        return QString::compare(key(r), key(row), Qt::CaseInsensitive) < 0;
    });
    rows.insert(at, std::move(row));
}

// Segment cells resized to `count`, new cells empty; the file's names stay last.
void SetSegmentCount(RefRow& row, int count) {
    QStringList cells = row.segment.mid(1, row.segment.size() - 3);
    while (cells.size() < count)
        cells << QString();
    row.segment = QStringList{row.segment[0]} + cells.mid(0, count) + row.segment.mid(row.segment.size() - 2);
}

class ListFillTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.Start());
        lapList = &dynamic_cast<CClassView*>(h.Frame().LapList())->View();
        segments = &dynamic_cast<CSegListPane*>(h.Frame().SegmentList())->View();
    }
    // Reads the files and fills the lists as the file dialog's OK does; the reference takes the
    // new files' laps one at a time.
    void Open(const QStringList& paths) {
        const std::size_t before = h.Core().LogFiles.size();
        ASSERT_EQ(testsupport::LoadLogs(h.Core(), paths), 0);
        SendMessage(h.Frame().Handle(), platform::UM_LAP_LIST_ALL_VIEW, 0, 0);
        ShellHarness::Drain();
        for (std::size_t f = before; f < h.Core().LogFiles.size(); ++f) {
            const orvelo::LogFile& file = h.Core().LogFiles[f];
            for (const orvelo::Lap& lap : file.laps) {
                RefRow row{LapTexts(file, lap), {}, lap.lapTime};
                // The segment list's row shows its own lap's times, also beside another lap of its number.
                row.segment << row.lap[0];
                for (std::int64_t time : segtimes::LoggerTimes(lap))
                    row.segment << TimeText(time);
                row.segment << row.lap[15] << row.lap[16];
                loggerSegments = std::max(loggerSegments, static_cast<int>(row.segment.size()) - 3);
                InsertOneAtATime(lapRows, row, false);
                InsertOneAtATime(segmentRows, row, true);
            }
        }
        for (RefRow& row : segmentRows)
            SetSegmentCount(row, loggerSegments);
    }
    // The segment list's refill: each lap of each file fills the first row of its number and path.
    template <class Fill>
    void RefillSegments(int columns, Fill fill) {
        for (RefRow& row : segmentRows)
            SetSegmentCount(row, columns);
        for (const orvelo::LogFile& file : h.Core().LogFiles) {
            for (const orvelo::Lap& lap : file.laps) {
                auto row = std::find_if(segmentRows.begin(), segmentRows.end(), [&](const RefRow& r) {
                    return r.segment[0].trimmed() == QString::number(lap.lapNumber) &&
                           r.segment.last() == QString::fromStdU16String(file.fullPath);
                });
                if (row != segmentRows.end())
                    fill(lap, row->segment);
            }
        }
    }
    void ExpectListsAsReference(const char* step) {
        const LapListModel& laps = lapList->Model();
        ASSERT_EQ(laps.RowCount(), static_cast<int>(lapRows.size())) << step;
        for (int r = 0; r < laps.RowCount(); ++r) {
            QStringList texts;
            for (int c = 0; c < laplist::kColumnCount; ++c)
                texts << laps.Text(r, c);
            ASSERT_EQ(texts, lapRows[static_cast<std::size_t>(r)].lap) << step << ", lap list row " << r;
        }
        const SegmentListModel& list = segments->Model();
        ASSERT_EQ(list.RowCount(), static_cast<int>(segmentRows.size())) << step;
        for (int r = 0; r < list.RowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < list.ColumnCount(); ++c)
                cells << list.Cell(r, c);
            ASSERT_EQ(cells, segmentRows[static_cast<std::size_t>(r)].segment) << step << ", segment list row " << r;
        }
    }

    // Both lists: every row in the group of its file (1) or folder (2), in list order.
    void ExpectGroups(int mode) {
        const auto key = [mode](const RefRow& row) {
            return mode == 1 ? row.lap[16] : QString::fromStdU16String(orvelo::GetFolderPart(row.lap[16].toStdU16String()));
        };
        for (const platform::GroupedListModel* model :
             {static_cast<const platform::GroupedListModel*>(&lapList->Model()),
              static_cast<const platform::GroupedListModel*>(&segments->Model())}) {
            const auto& ref = model == &segments->Model() ? segmentRows : lapRows;
            std::size_t listed = 0;
            for (int t = 0; t < model->rowCount(); ++t) {
                const QModelIndex top = model->index(t, 0);
                ASSERT_NE(model->GroupOf(top), nullptr) << "mode " << mode << ": every row is in a group";
                std::vector<int> rows;
                for (int c = 0; c < model->rowCount(top); ++c)
                    rows.push_back(model->RowOf(model->index(c, 0, top)));
                ASSERT_FALSE(rows.empty());
                EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
                const QString groupKey = key(ref[static_cast<std::size_t>(rows[0])]);
                EXPECT_EQ(std::count_if(ref.begin(), ref.end(), [&](const RefRow& r) { return key(r) == groupKey; }),
                          static_cast<long>(rows.size()));
                for (int r : rows)
                    EXPECT_EQ(key(ref[static_cast<std::size_t>(r)]), groupKey);
                listed += rows.size();
            }
            EXPECT_EQ(listed, ref.size()) << "mode " << mode;
        }
    }

    ProgramHarness h;
    testsupport::SessionDir files;
    CListViewEx* lapList = nullptr;
    CSeglistview* segments = nullptr;
    std::vector<RefRow> lapRows;
    std::vector<RefRow> segmentRows;
    int loggerSegments = CSeglistview::kFirstSegmentColumns;
};

// The lap list's old comparison of two rows' texts in a column, ascending.
int CompareTexts(const RefRow& a, const RefRow& b, int column) {
    const auto compare = [](auto x, auto y) { return x < y ? -1 : (x > y ? 1 : 0); };
    const QString& ta = a.lap[column];
    const QString& tb = b.lap[column];
    if (column == laplist::kTimeColumn)
        return IsClockLapTimeText(ta) && IsClockLapTimeText(tb) ? compare(ParseLapTimeText(ta), ParseLapTimeText(tb))
                                                                : compare(a.lapTime, b.lapTime);
    if (column == laplist::kGColumn)
        return compare(ta.trimmed().toDouble(), tb.trimmed().toDouble());
    if (column == laplist::kBaseColumn || column == laplist::kOverColumn)
        return QString::compare(ta, tb);
    return compare(orvelo::ParseLapNumber(ta.toStdU16String()), orvelo::ParseLapNumber(tb.toStdU16String()));
}

TEST_F(ListFillTest, BulkFillsGiveTheRowsCellsAndOrderOfOneAtATimeInsertionSortedGroupedAndInBothSegmentModes) {
    // Every variant, lap numbers that cross three and four digits.
    QStringList first;
    int seed = 1;
    for (const samplegen::Variant variant : samplegen::AllVariants()) {
        first << files.Write(QStringLiteral("a/%1.dat").arg(seed), 2, static_cast<std::uint64_t>(seed), 8 * seed, variant);
        ++seed;
    }
    first << files.Write(QStringLiteral("b/high.dat"), 4, 90, 998);
    Open(first);
    ExpectListsAsReference("first open");

    // Sorted by each column the lap list sorts by, twice (descending, then ascending).
    for (int column = 0; column < laplist::kTitleColumn; ++column) {
        for (int click = 0; click < 2; ++click) {
            const bool ascending = lapList->SortFlag(column);
            lapList->OnColumnClick(column);
            std::stable_sort(lapRows.begin(), lapRows.end(), [&](const RefRow& a, const RefRow& b) {
                const int order = CompareTexts(a, b, column);
                return ascending ? order < 0 : order > 0;
            });
            ExpectListsAsReference(("sorted by column " + std::to_string(column)).c_str());
        }
    }
    // The segment list sorted by its second segment column, descending: the next files' rows go
    // in among rows out of key order.
    segments->OnColumnClick(2);
    std::stable_sort(segmentRows.begin(), segmentRows.end(), [](const RefRow& a, const RefRow& b) {
        return ParseLapTimeText(b.segment[2].trimmed()) < ParseLapTimeText(a.segment[2].trimmed());
    });
    lapList->OnColumnClick(laplist::kTimeColumn);
    std::stable_sort(lapRows.begin(), lapRows.end(),
                     [](const RefRow& a, const RefRow& b) { return CompareTexts(a, b, laplist::kTimeColumn) > 0; });
    ExpectListsAsReference("sorted before the second open");

    // Grouped by folder, then more files open into the groups, one of one-record laps that all
    // carry lap number 1.
    lapList->GroupBy(2);
    // A file that holds a session twice: its lap numbers come twice, with other times.
    samplegen::SessionOptions options;
    options.laps = 3;
    options.circuitLength = 400.0;
    std::vector<std::uint8_t> twice = samplegen::GenerateSession(options).bytes;
    options.seed = 92;
    const std::vector<std::uint8_t> second = samplegen::GenerateSession(options).bytes;
    twice.insert(twice.end(), second.begin(), second.end());
    Open({files.Write(QStringLiteral("b/more.dat"), 3, 91, 1), files.WriteBytes(QStringLiteral("c/twice.dat"), twice),
          files.WriteBytes(QStringLiteral("c/lines.dat"),
                           samplegen::GenerateHostileRecords(samplegen::HostileShape::LapEndsAndLines, 40))});
    ExpectListsAsReference("second open");
    ExpectGroups(2);
    lapList->GroupBy(1);
    ShellHarness::Drain();
    ExpectGroups(1);

    // The map's segment times, then the logger's again.
    orvelo::SegmentGroup group;
    group.segmentCount = 3;
    group.pairs = {{150, 1}, {300, 2}, {400, 3}};
    SendMessage(segments->Handle(), platform::MessageWithBlockInWParam(platform::UM_SEGMENT_EDIT_REPLACE, group, 1));
    RefillSegments(3, [&group](const orvelo::Lap& lap, QStringList& cells) {
        const auto times = segtimes::MapTimes(lap, group);
        for (std::size_t k = 0; k < times.size(); ++k)
            cells[static_cast<qsizetype>(k + 1)] = times[k] ? TimeText(*times[k]) : QString();
    });
    ExpectListsAsReference("map segment times");
    SendMessage(segments->Handle(), platform::UM_SEGMENT_EDIT_REPLACE, 0, 0);
    int most = 0;
    for (const orvelo::LogFile& file : h.Core().LogFiles) {
        for (const orvelo::Lap& lap : file.laps)
            most = std::max(most, static_cast<int>(lap.samples.size()));
    }
    RefillSegments(most, [most](const orvelo::Lap& lap, QStringList& cells) {
        const auto times = segtimes::LoggerTimes(lap);
        for (int k = 1; k <= most; ++k)
            cells[k] = k <= static_cast<int>(times.size()) ? TimeText(times[static_cast<std::size_t>(k - 1)]) : QString();
    });
    ExpectListsAsReference("logger times again");
}

}  // namespace
