// The lap list: filling from the loaded files, the base and overlay buttons,
// the current lap, and sorting by each column.
#include "shell/CListViewEx.h"
#include "shell/LapListDelegate.h"
#include "shell/LapListModel.h"
#include "platform/ColorRef.h"

#include "LapListTestSupport.h"

#include "core/LapSelection.h"
#include "core/LapTimeText.h"
#include "platform/MessageBox.h"
#include "platform/UserMessages.h"

#include <QHeaderView>
#include <QTest>
#include <gtest/gtest.h>

#include <array>

using namespace testsupport;

namespace {

class CListViewExTest : public ::testing::Test {
protected:
    CListViewExTest() : view(fresh.core, mainFrame.Handle(), pane.Handle()) {
        view.OnInitialUpdate({});
        view.resize(1600, 700);
        view.show();
    }
    ~CListViewExTest() override { DeliverPosted(); }

    void Load(const QStringList& relatives, int laps = 3) {
        QStringList paths;
        for (const QString& r : relatives)
            paths << files.Write(r, laps, static_cast<std::uint64_t>(paths.size() + 1));
        ASSERT_EQ(LoadLogs(fresh.core, paths), 0);
        view.Fill();
    }
    QStringList ColumnTexts(int column) const {
        QStringList texts;
        for (int r = 0; r < model().RowCount(); ++r)
            texts << model().Text(r, column);
        return texts;
    }
    // The row of lap `number` of the file whose path ends in `file`.
    int RowOf(const QString& file, int number) const {
        for (int r = 0; r < model().RowCount(); ++r) {
            if (model().Path(r).endsWith(file) && model().Text(r, 0).trimmed().toInt() == number)
                return r;
        }
        return -1;
    }
    void Click(const QString& file, int number, int column) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.CellCentre(RowOf(file, number), column));
    }
    const orvelo::Lap& LapOf(const QString& file, int number) const {
        static const orvelo::Lap none;
        const orvelo::Lap* lap =
            fresh.core.ResolveLap(orvelo::FindLogLap(fresh.core, files.Path(file).toStdU16String(), number));
        return lap ? *lap : none;
    }
    std::size_t Redraws() const { return mainFrame.Of(platform::UM_REDRAW_LAP_GRAPH).size(); }
    const LapListModel& model() const { return const_cast<CListViewEx&>(view).Model(); }

    FreshCore fresh;
    SessionDir files;
    RecordingWindow mainFrame;
    RecordingWindow pane;
    CListViewEx view;
};

// ----- filling -----

TEST_F(CListViewExTest, FillListsEveryLapOnceAndLaterFillsAddOnlyNewFiles) {
    Load({"a/one.dat"}, 3);
    const std::int32_t firstItem = model().Row(RowOf("a/one.dat", 1)).itemData;
    Load({"b/two.dat"}, 2);
    // Each file ends with the records after its last lap line, kept as a lap numbered 0.
    EXPECT_EQ(ColumnTexts(0), (QStringList{"  3", "  2", "  2", "  1", "  1", "  0", "  0"}));
    EXPECT_EQ(model().Row(RowOf("a/one.dat", 1)).itemData, firstItem);
    const int second = RowOf("a/one.dat", 2);
    EXPECT_EQ(model().Text(second, 1), QString::fromLatin1(LapOf("a/one.dat", 2).lapTimeText));
    EXPECT_EQ(model().Text(second, laplist::kTitleColumn), "one");
    EXPECT_EQ(model().Text(second, laplist::kPathColumn), files.Path("a/one.dat"));

    view.SetRowCount(0);  // from nothing: every loaded file again
    view.Fill();
    EXPECT_EQ(model().RowCount(), 7);
    view.GroupBy(LapListGrouping::kByFile);
    fresh.core.LogFiles.clear();
    view.Fill();
    EXPECT_EQ(model().RowCount(), 0);
    EXPECT_EQ(view.GroupingMode(), 0);
    EXPECT_FALSE(model().GroupView());
}

TEST_F(CListViewExTest, ColumnWidthsStayAcrossFillsAndAFillShowsNoSortItDidNotMake) {
    const auto widths = [this] {
        QList<int> all;
        for (int c = 0; c < laplist::kColumnCount; ++c)
            all << view.columnWidth(c);
        return all;
    };
    Load({"a/one.dat"});
    const QList<int> first = widths();
    EXPECT_EQ((QList<int>{first[0], first[1], first[4], first[16]}), (QList<int>{60, 70, 62, 50}));
    view.OnColumnClick(laplist::kTimeColumn);
    EXPECT_TRUE(view.header()->isSortIndicatorShown());
    Load({"b/a much longer name of a log file.dat"});
    EXPECT_EQ(widths(), first);
    EXPECT_FALSE(view.header()->isSortIndicatorShown());  // new rows stand by lap number
}

TEST_F(CListViewExTest, LapsOfA400HzSessionShowTheirMaximaAndMinima) {
    const samplegen::Session session =
        samplegen::GenerateSession({.seed = 7, .laps = 6, .rateMode = 3, .samplesPerSecond = 400});
    ASSERT_EQ(LoadLogs(fresh.core, {files.WriteBytes("dense.dat", session.bytes)}), 0);
    view.Fill();
    int voidLaps = 0;
    for (const samplegen::ExpectedLap& lap : session.laps) {
        const int row = RowOf("dense.dat", lap.number);
        ASSERT_GE(row, 0) << lap.number;
        const auto& w = lap.channels;
        // M RPM, m RPM, M Speed, m Speed, then M and m of Temp.1 and of Temp.2.
        const std::array<int, 8> columns = {5, 6, 7, 8, 11, 12, 13, 14};
        const std::array<int, 8> truth = {w.wordMax[1], w.wordMin[0], w.wordMax[3], w.wordMin[2],
                                          w.wordMax[5], w.wordMin[4], w.wordMax[7], w.wordMin[6]};
        for (std::size_t c = 0; c < columns.size(); ++c)
            EXPECT_EQ(model().Text(row, columns[c]).trimmed().toInt(), truth[c]) << lap.number << " " << columns[c];
        EXPECT_GT(truth[0], 0);
        voidLaps += LapOf("dense.dat", lap.number).sampleTimeSum == 0 ? 1 : 0;
    }
    EXPECT_GT(voidLaps, 0);  // laps whose first time step is 0 are among them
}

// ----- base and overlay clicks -----

TEST_F(CListViewExTest, BaseAndOverClicksMarkTheLapsAndPostARedrawEachTime) {
    platform::MessageBoxRecorder boxes;
    Load({"a/one.dat"});
    // outside the button square, in another column, or over before a base lap: nothing
    const QRect base = view.visualRect(model().IndexOfRow(RowOf("a/one.dat", 1), laplist::kBaseColumn));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(base.right() - 1, base.center().y()));
    Click("a/one.dat", 1, laplist::kDistanceColumn);
    Click("a/one.dat", 2, laplist::kOverColumn);
    DeliverPosted();
    EXPECT_EQ(Boxes(boxes),
              QStringList{Box("OK", "Warn. at frist, you have to select base lap.", platform::kMbIconWarning)});
    EXPECT_EQ(LapOf("a/one.dat", 1).baseLapMark, 0);
    EXPECT_EQ(LapOf("a/one.dat", 2).overlayMark, 0);
    EXPECT_EQ(Redraws(), 0u);

    Click("a/one.dat", 1, laplist::kBaseColumn);
    Click("a/one.dat", 3, laplist::kOverColumn);
    DeliverPosted();
    EXPECT_EQ(LapOf("a/one.dat", 1).baseLapMark, 1);
    EXPECT_EQ(LapOf("a/one.dat", 3).overlayMark, 1);
    const auto posts = mainFrame.Of(platform::UM_REDRAW_LAP_GRAPH);
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(posts[1].wParam, 0u);
    EXPECT_EQ(posts[1].lParam, static_cast<platform::LParam>(view.Handle()));

    Click("a/one.dat", 3, laplist::kOverColumn);  // a second click takes the overlay off
    Click("a/one.dat", 1, laplist::kOverColumn);  // over on the base lap changes nothing
    DeliverPosted();
    EXPECT_EQ(LapOf("a/one.dat", 3).overlayMark, 0);
    EXPECT_EQ(LapOf("a/one.dat", 1).overlayMark, 0);
    EXPECT_EQ(LapOf("a/one.dat", 1).baseLapMark, 1);
    EXPECT_EQ(Redraws(), 4u);

    // The base cell is drawn in the lap's colour.
    const QImage image = view.viewport()->grab().toImage();
    const QPoint corner = LapListDelegate::ButtonSquare(base, laplist::kBaseColumn).topLeft() + QPoint(3, 3);
    EXPECT_EQ(image.pixelColor(corner), platform::ToQColor(LapOf("a/one.dat", 1).displayColour));
}

TEST_F(CListViewExTest, TheFocusedRowHasAFocusRectangleWhileTheListHasTheFocus) {
    Load({"a/one.dat"});
    const QModelIndex focused = model().IndexOfRow(RowOf("a/one.dat", 2), 0);
    view.selectionModel()->setCurrentIndex(focused, QItemSelectionModel::NoUpdate);
    const QImage plain = view.viewport()->grab().toImage();
    ASSERT_TRUE(Focus(view));
    const QImage shown = view.viewport()->grab().toImage();
    const QRect row = view.visualRect(focused);
    EXPECT_TRUE(DottedEdge(shown, plain, row.top(), view.header()->length()));
    EXPECT_TRUE(DottedEdge(shown, plain, row.bottom(), view.header()->length()));
    EXPECT_EQ(shown.copy(0, row.bottom() + 1, 400, 40), plain.copy(0, row.bottom() + 1, 400, 40));
}

TEST_F(CListViewExTest, SameLapNumberInTwoFilesMarksTheClickedFilesLap) {
    Load({"a/one.dat", "b/two.dat"});
    Click("b/two.dat", 2, laplist::kBaseColumn);
    Click("a/one.dat", 2, laplist::kOverColumn);
    EXPECT_EQ(LapOf("b/two.dat", 2).baseLapMark, 1);
    EXPECT_EQ(LapOf("a/one.dat", 2).baseLapMark, 0);
    EXPECT_EQ(LapOf("a/one.dat", 2).overlayMark, 1);
    EXPECT_EQ(LapOf("b/two.dat", 2).overlayMark, 0);
}

// ----- the current lap -----

TEST_F(CListViewExTest, DoubleClickMakesTheLapCurrentAndPostsItsBlock) {
    Load({"a/one.dat"});
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.CellCentre(RowOf("a/one.dat", 2), 4));
    DeliverPosted();
    EXPECT_EQ(LapOf("a/one.dat", 2).currentLapMark, 1);
    const auto posts = mainFrame.Of(platform::UM_DRAW_MAP_ON_VIEW);
    ASSERT_EQ(posts.size(), 1u);
    const auto* block = platform::BlockAt<platform::MapInfoBlock>(posts[0].lParam);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ((std::vector<std::u16string>{block->Path(), block->ShortText(), block->CourseName()}),
              (std::vector<std::u16string>{files.Path("a/one.dat").toStdU16String(), u"  2", u"one"}));
    EXPECT_EQ(posts[0].wParam, LapOf("a/one.dat", 2).analysisItems.empty() ? 1u : 0u);
    EXPECT_EQ(view.CurrentLapText(), "  2");

    // A course block from the main frame takes the current lap's place.
    platform::MapInfoBlock course;
    platform::MapInfoBlock::Put(course.path.data(), course.path.size(), u"/maps/track.map");
    view.UpdateCurrentLapBlock(0, &course);
    EXPECT_EQ(view.CurrentLapBlock().Path(), u"/maps/track.map");
    EXPECT_TRUE(view.CurrentLapText().isEmpty());
    view.UpdateCurrentLapBlock(1, nullptr);
    EXPECT_TRUE(view.CurrentLapBlock().Path().empty());
}

TEST_F(CListViewExTest, LapNumbersOfAThousandAndMoreAreMadeCurrentInFull) {
    ASSERT_EQ(LoadLogs(fresh.core, {files.Write("a/long.dat", 2, 1, 1000)}), 0);
    view.Fill();
    view.setCurrentIndex(model().IndexOfRow(RowOf("a/long.dat", 1000), 0));
    view.OnDblClk();
    EXPECT_EQ(LapOf("a/long.dat", 1000).currentLapMark, 1);
    EXPECT_EQ(view.CurrentLapText(), "1000");
    EXPECT_TRUE(view.CurrentLapBlock().ShortText().empty());
}

// ----- sorting -----

class CListViewExSortTest : public CListViewExTest {
protected:
    void SetUp() override {
        ASSERT_EQ(LoadLogs(fresh.core, {files.Write("a/one.dat", 4)}), 0);
        // Laps 2 and 3 take ten minutes and more: their times are written in hex ("10000", "ef32").
        for (auto [index, time] : {std::pair{1, 65536u}, std::pair{2, 61234u}}) {
            orvelo::Lap& lap = fresh.core.LogFiles.front().laps[static_cast<std::size_t>(index)];
            lap.lapTime = time;
            orvelo::FormatLapTimeA(lap.lapTime, lap.lapTimeText);
        }
        view.Fill();
    }
    QList<int> LapNumbers() const {
        QList<int> numbers;
        for (const QString& t : ColumnTexts(0))
            numbers << t.trimmed().toInt();
        return numbers;
    }
};

TEST_F(CListViewExSortTest, FirstClickSortsDescendingSecondAscendingTitleAndPathNever) {
    view.OnColumnClick(0);
    EXPECT_EQ(LapNumbers(), (QList<int>{4, 3, 2, 1, 0}));
    // through the header, as the user clicks it
    const QHeaderView* header = view.header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    EXPECT_EQ(LapNumbers(), (QList<int>{0, 1, 2, 3, 4}));
    view.OnColumnClick(laplist::kTitleColumn);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(laplist::kPathColumn) + 5, 5));
    EXPECT_EQ(LapNumbers(), (QList<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(CListViewExSortTest, EveryValueColumnSortsByValueIncludingLongLapTimes) {
    view.OnColumnClick(laplist::kTimeColumn);
    QList<std::uint32_t> times;
    for (int r = 0; r < model().RowCount(); ++r)
        times << model().Row(r).lapTime;
    EXPECT_EQ(times.mid(0, 2), (QList<std::uint32_t>{65536, 61234}));
    EXPECT_TRUE(std::is_sorted(times.rbegin(), times.rend()));
    for (int column : {4, 5, 6, 7, 8, 9, 11, 12, 13, 14}) {
        view.OnColumnClick(column);
        QList<double> values;
        for (const QString& t : ColumnTexts(column))
            values << t.trimmed().toDouble();
        EXPECT_TRUE(std::is_sorted(values.rbegin(), values.rend())) << "column " << column;
    }
}

TEST_F(CListViewExSortTest, GColumnSortsAsFloatingPoint) {
    const float values[] = {0.0f, -0.5f, 1.25f, 0.75f, 12.0f};
    for (int r = 0; r < 5; ++r)
        view.Model().MutableRow(r).g = values[r];
    view.OnColumnClick(laplist::kGColumn);
    view.OnColumnClick(laplist::kGColumn);
    EXPECT_EQ(ColumnTexts(laplist::kGColumn), (QStringList{"-0.50", "0.00", "0.75", "1.25", "12.00"}));
}

}  // namespace
