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

using namespace testsupport;

namespace {

class CListViewExTest : public ::testing::Test {
protected:
    CListViewExTest() : view(fresh.core, mainFrame.Handle(), pane.Handle()) {
        view.SetSegmentList(&feed);
        view.OnInitialUpdate({});
        view.resize(1600, 700);
        view.show();
    }
    ~CListViewExTest() override { DeliverPosted(); }

    void Load(const QStringList& relatives, int laps = 3) {
        QStringList paths;
        for (const QString& r : relatives)
            paths << (files.Path(r).isEmpty() ? r : files.Write(r, laps, static_cast<std::uint64_t>(paths.size() + 1)));
        ASSERT_EQ(LoadLogs(fresh.core, paths), 0);
    }
    QStringList ColumnTexts(int column) const {
        QStringList texts;
        for (int r = 0; r < model().RowCount(); ++r)
            texts << model().Row(r).texts[static_cast<std::size_t>(column)];
        return texts;
    }
    // The row of lap `number` of the file whose path ends in `file`.
    int RowOf(const QString& file, int number) const {
        for (int r = 0; r < model().RowCount(); ++r) {
            const auto& row = model().Row(r);
            if (row.texts[laplist::kPathColumn].endsWith(file) && row.texts[0].trimmed().toInt() == number)
                return r;
        }
        return -1;
    }
    void ClickButton(int row, int column) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.CellCentre(row, column));
    }
    const orvelo::Lap& LapOf(const QString& file, int number) const {
        for (const orvelo::LogFile& f : fresh.core.LogFiles) {
            if (QString::fromStdU16String(f.fullPath).endsWith(file)) {
                for (const orvelo::Lap& lap : f.laps) {
                    if (static_cast<int>(lap.lapNumber) == number)
                        return lap;
                }
            }
        }
        static orvelo::Lap none;
        return none;
    }
    const LapListModel& model() const { return const_cast<CListViewEx&>(view).Model(); }

    FreshCore fresh;
    SessionDir files;
    RecordingWindow mainFrame;
    RecordingWindow pane;
    RecordingSegmentFeed feed;
    CListViewEx view;
};

// ----- filling -----

TEST_F(CListViewExTest, FillListsEveryLapInDescendingOrderOfItsNumberText) {
    Load({"a/one.dat"}, 3);
    Load({"b/two.dat"}, 2);
    view.Fill();
    // Each file ends with the records after its last lap line, kept as a lap numbered 0.
    EXPECT_EQ(ColumnTexts(0), (QStringList{"  3", "  2", "  2", "  1", "  1", "  0", "  0"}));
    EXPECT_EQ(view.RowCountMember(), 7);
    EXPECT_EQ(feed.Count("InsertLapRow"), 7);
    for (const orvelo::LogFile& file : fresh.core.LogFiles)
        EXPECT_EQ(file.loadState, 1);
}

TEST_F(CListViewExTest, CellTextsShowTheLapsFieldsInTheirColumns) {
    Load({"a/one.dat"}, 2);
    view.Fill();
    const orvelo::Lap& lap = LapOf("one.dat", 2);
    const auto& texts = model().Row(RowOf("one.dat", 2)).texts;
    const auto* e = lap.channelExtremes;
    EXPECT_EQ(texts[1], QString::fromLatin1(lap.lapTimeText));
    EXPECT_EQ(texts[2], "   ");
    EXPECT_EQ(texts[4], QString::asprintf("%6d", static_cast<int>(lap.distance)));
    EXPECT_EQ(texts[5], QString::asprintf("%5d", e[0]));
    EXPECT_EQ(texts[6], QString::asprintf("%4d", e[1]));
    EXPECT_EQ(texts[7], QString::asprintf("%4d", e[2]));
    EXPECT_EQ(texts[8], QString::asprintf("%4d", e[3]));
    EXPECT_EQ(texts[9], QString::asprintf("%.1f", lap.average));
    EXPECT_EQ(texts[10], QString::asprintf("%.2f", lap.signedValuePeaksScaled[1]));
    EXPECT_EQ(texts[11], QString::asprintf("%3d", e[5]));
    EXPECT_EQ(texts[12], QString::asprintf("%3d", e[4]));
    EXPECT_EQ(texts[13], QString::asprintf("%3d", e[7]));
    EXPECT_EQ(texts[14], QString::asprintf("%3d", e[6]));
    EXPECT_EQ(texts[15], "one");
    EXPECT_EQ(texts[16], files.Path("a/one.dat"));
}

TEST_F(CListViewExTest, LaterFillAddsOnlyTheNewFileAndKeepsEarlierRows) {
    Load({"a/one.dat"}, 2);
    view.Fill();
    const std::int32_t firstItem = model().Row(RowOf("one.dat", 1)).itemData;
    feed.calls.clear();
    Load({"a/two.dat"}, 3);
    view.Fill();
    EXPECT_EQ(model().RowCount(), 7);
    EXPECT_EQ(model().Row(RowOf("one.dat", 1)).itemData, firstItem);
    EXPECT_EQ(feed.Count("InsertLapRow"), 4);
    EXPECT_EQ(feed.Count("RemoveAllRows"), 0);
}

TEST_F(CListViewExTest, FillWithNoLogFileEmptiesTheListsAndEndsGrouping) {
    Load({"a/one.dat"}, 2);
    view.Fill();
    view.GroupBy(LapListGrouping::kByFile);
    ASSERT_EQ(view.GroupingMode(), 1);
    fresh.core.LogFiles.clear();
    view.Fill();
    EXPECT_EQ(model().RowCount(), 0);
    EXPECT_EQ(view.GroupingMode(), 0);
    EXPECT_FALSE(model().GroupView());
    EXPECT_GE(feed.Count("RemoveGroups"), 1);
    EXPECT_GE(feed.Count("RemoveAllRows"), 1);
}

TEST_F(CListViewExTest, FillFromNothingListsFilesThatWereListedBefore) {
    Load({"a/one.dat", "a/two.dat"}, 2);
    view.Fill();
    view.SetRowCount(0);
    view.Fill();
    EXPECT_EQ(model().RowCount(), 6);
}

// ----- base and overlay clicks -----

TEST_F(CListViewExTest, OverWithoutBaseLapWarnsAndPostsNothing) {
    platform::MessageBoxRecorder boxes;
    Load({"a/one.dat"});
    view.Fill();
    ClickButton(RowOf("one.dat", 2), laplist::kOverColumn);
    DeliverPosted();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Warn. at frist, you have to select base lap.");
    EXPECT_EQ(boxes.Shown()[0].caption, "OK");
    EXPECT_EQ(boxes.Shown()[0].flags, platform::kMbIconWarning);
    EXPECT_TRUE(mainFrame.Of(platform::UM_REDRAW_LAP_GRAPH).empty());
    EXPECT_EQ(LapOf("one.dat", 2).overlayMark, 0);
}

TEST_F(CListViewExTest, BaseThenOverMarkTheLapsAndPostRedrawEachTime) {
    Load({"a/one.dat"});
    view.Fill();
    ClickButton(RowOf("one.dat", 1), laplist::kBaseColumn);
    ClickButton(RowOf("one.dat", 3), laplist::kOverColumn);
    DeliverPosted();
    EXPECT_EQ(LapOf("one.dat", 1).baseLapMark, 1);
    EXPECT_EQ(LapOf("one.dat", 3).overlayMark, 1);
    const auto posts = mainFrame.Of(platform::UM_REDRAW_LAP_GRAPH);
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(posts[1].wParam, 0u);
    EXPECT_EQ(posts[1].lParam, static_cast<platform::LParam>(view.Handle()));
}

TEST_F(CListViewExTest, SecondOverClickClearsTheOverlayAndStillPosts) {
    Load({"a/one.dat"});
    view.Fill();
    ClickButton(RowOf("one.dat", 1), laplist::kBaseColumn);
    ClickButton(RowOf("one.dat", 2), laplist::kOverColumn);
    ClickButton(RowOf("one.dat", 2), laplist::kOverColumn);
    DeliverPosted();
    EXPECT_EQ(LapOf("one.dat", 2).overlayMark, 0);
    EXPECT_EQ(mainFrame.Of(platform::UM_REDRAW_LAP_GRAPH).size(), 3u);
}

TEST_F(CListViewExTest, OverOnTheBaseLapChangesNothingButPosts) {
    Load({"a/one.dat"});
    view.Fill();
    ClickButton(RowOf("one.dat", 1), laplist::kBaseColumn);
    ClickButton(RowOf("one.dat", 1), laplist::kOverColumn);
    DeliverPosted();
    EXPECT_EQ(LapOf("one.dat", 1).overlayMark, 0);
    EXPECT_EQ(LapOf("one.dat", 1).baseLapMark, 1);
    EXPECT_EQ(mainFrame.Of(platform::UM_REDRAW_LAP_GRAPH).size(), 2u);
}

TEST_F(CListViewExTest, ClickOutsideTheButtonSquareOrOtherColumnsDoesNothing) {
    Load({"a/one.dat"});
    view.Fill();
    const int row = RowOf("one.dat", 1);
    const QRect cell = view.visualRect(model().IndexOfRow(row, laplist::kOverColumn));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(cell.right() - 1, cell.center().y()));
    ClickButton(row, laplist::kDistanceColumn);
    DeliverPosted();
    EXPECT_EQ(LapOf("one.dat", 1).baseLapMark, 0);
    EXPECT_TRUE(mainFrame.Of(platform::UM_REDRAW_LAP_GRAPH).empty());
}

TEST_F(CListViewExTest, SameLapNumberInTwoFilesMarksTheClickedFilesLap) {
    Load({"a/one.dat", "b/two.dat"});
    view.Fill();
    ClickButton(RowOf("two.dat", 2), laplist::kBaseColumn);
    ClickButton(RowOf("one.dat", 2), laplist::kOverColumn);
    EXPECT_EQ(LapOf("two.dat", 2).baseLapMark, 1);
    EXPECT_EQ(LapOf("one.dat", 2).baseLapMark, 0);
    EXPECT_EQ(LapOf("one.dat", 2).overlayMark, 1);
    EXPECT_EQ(LapOf("two.dat", 2).overlayMark, 0);
}

TEST_F(CListViewExTest, ResetOverLapClearsOverlaysKeepsBaseAndPosts) {
    Load({"a/one.dat"});
    view.Fill();
    ClickButton(RowOf("one.dat", 1), laplist::kBaseColumn);
    ClickButton(RowOf("one.dat", 2), laplist::kOverColumn);
    DeliverPosted();
    mainFrame.Clear();
    platform::PostMessage(view.Handle(), CListViewEx::kCmdResetOverLap, 0, 0);
    DeliverPosted();
    EXPECT_EQ(LapOf("one.dat", 2).overlayMark, 0);
    EXPECT_EQ(LapOf("one.dat", 1).baseLapMark, 1);
    EXPECT_EQ(mainFrame.Of(platform::UM_REDRAW_LAP_GRAPH).size(), 1u);
}

TEST_F(CListViewExTest, BaseCellIsDrawnInTheLapsColour) {
    Load({"a/one.dat"});
    view.Fill();
    const int row = RowOf("one.dat", 1);
    ClickButton(row, laplist::kBaseColumn);
    const QImage image = view.viewport()->grab().toImage();
    const QRect cell = view.visualRect(model().IndexOfRow(row, laplist::kBaseColumn));
    const QPoint corner = LapListDelegate::ButtonSquare(cell, laplist::kBaseColumn).topLeft() + QPoint(3, 3);
    EXPECT_EQ(image.pixelColor(corner), platform::ToQColor(LapOf("one.dat", 1).displayColour));
}

// ----- the current lap -----

TEST_F(CListViewExTest, DoubleClickMakesTheLapCurrentAndPostsItsBlock) {
    Load({"a/one.dat"});
    view.Fill();
    const int row = RowOf("one.dat", 2);
    const QPoint at = view.CellCentre(row, laplist::kDistanceColumn);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
    DeliverPosted();
    EXPECT_EQ(LapOf("one.dat", 2).currentLapMark, 1);
    const auto posts = mainFrame.Of(platform::UM_DRAW_MAP_ON_VIEW);
    ASSERT_EQ(posts.size(), 1u);
    const auto* block = platform::BlockAt<platform::MapInfoBlock>(posts[0].lParam);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->Path(), files.Path("a/one.dat").toStdU16String());
    EXPECT_EQ(block->ShortText(), u"  2");
    EXPECT_EQ(block->CourseName(), u"one");
    EXPECT_EQ(posts[0].wParam, LapOf("one.dat", 2).analysisItems.empty() ? 1u : 0u);
    EXPECT_EQ(view.CurrentLapText(), "  2");
}

TEST_F(CListViewExTest, EnterOnTheSelectedLapMakesItCurrent) {
    Load({"a/one.dat"});
    view.Fill();
    view.setFocus();
    view.setCurrentIndex(model().IndexOfRow(RowOf("one.dat", 3), 0));
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(LapOf("one.dat", 3).currentLapMark, 1);
}

TEST_F(CListViewExTest, LapNumbersOfAThousandAndMoreAreMadeCurrentInFull) {
    const QString path = files.Write("a/long.dat", 2, 1, 1000);
    ASSERT_EQ(LoadLogs(fresh.core, {path}), 0);
    view.Fill();
    const int row = RowOf("long.dat", 1000);
    ASSERT_GE(row, 0);
    view.setCurrentIndex(model().IndexOfRow(row, 0));
    view.OnDblClk();
    EXPECT_EQ(LapOf("long.dat", 1000).currentLapMark, 1);
    EXPECT_EQ(view.CurrentLapText(), "1000");
    EXPECT_TRUE(view.CurrentLapBlock().ShortText().empty());
}

TEST_F(CListViewExTest, CourseBlockFromTheMainFrameReplacesTheCurrentLap) {
    Load({"a/one.dat"});
    view.Fill();
    view.setCurrentIndex(model().IndexOfRow(0, 0));
    view.OnDblClk();
    platform::MapInfoBlock course;
    platform::MapInfoBlock::Put(course.path.data(), course.path.size(), u"/maps/track.map");
    view.UpdateCurrentLapBlock(0, reinterpret_cast<platform::LParam>(&course));
    EXPECT_EQ(view.CurrentLapBlock().Path(), u"/maps/track.map");
    EXPECT_TRUE(view.CurrentLapText().isEmpty());
    view.UpdateCurrentLapBlock(1, 0);
    EXPECT_TRUE(view.CurrentLapBlock().Path().empty());
}

// ----- sorting -----

class CListViewExSortTest : public CListViewExTest {
protected:
    void SetUp() override {
        Load({"a/one.dat"}, 4);
        // Lap 3 takes ten minutes and more: its time is written in hex.
        for (orvelo::Lap& lap : fresh.core.LogFiles.front().laps) {
            if (lap.lapNumber == 3) {
                lap.lapTime = 61234;
                orvelo::FormatLapTimeA(lap.lapTime, lap.lapTimeText);
            }
        }
        view.Fill();
    }
    QList<int> LapNumbers() const {
        QList<int> numbers;
        for (const QString& t : ColumnTexts(0))
            numbers << t.trimmed().toInt();
        return numbers;
    }
    QList<std::uint32_t> Times() const {
        QList<std::uint32_t> times;
        for (int r = 0; r < model().RowCount(); ++r)
            times << model().Row(r).lapTime;
        return times;
    }
};

TEST_F(CListViewExSortTest, FirstClickSortsDescendingSecondAscending) {
    view.OnColumnClick(0);
    EXPECT_EQ(LapNumbers(), (QList<int>{4, 3, 2, 1, 0}));
    view.OnColumnClick(0);
    EXPECT_EQ(LapNumbers(), (QList<int>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(view.SortFlag(0));
}

TEST_F(CListViewExSortTest, LapTimesOfTenMinutesAndMoreSortByTheirValue) {
    view.OnColumnClick(laplist::kTimeColumn);
    const QList<std::uint32_t> descending = Times();
    EXPECT_EQ(descending.front(), 61234u);
    EXPECT_TRUE(std::is_sorted(descending.rbegin(), descending.rend()));
    view.OnColumnClick(laplist::kTimeColumn);
    const QList<std::uint32_t> ascending = Times();
    EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
    EXPECT_EQ(ascending.back(), 61234u);
}

TEST_F(CListViewExSortTest, NumericColumnsSortByValueNotText) {
    for (int column : {4, 5, 6, 7, 8, 9, 11, 12, 13, 14}) {
        view.OnColumnClick(column);
        QList<double> values;
        for (const QString& t : ColumnTexts(column))
            values << t.trimmed().toDouble();
        EXPECT_TRUE(std::is_sorted(values.rbegin(), values.rend())) << "column " << column;
    }
}

TEST_F(CListViewExSortTest, GColumnSortsAsFloatingPointAndEmptyCellsAsZero) {
    view.Model().MutableRow(0).texts[laplist::kGColumn] = QString();
    view.Model().MutableRow(1).texts[laplist::kGColumn] = "-0.50";
    view.Model().MutableRow(2).texts[laplist::kGColumn] = "1.25";
    view.Model().MutableRow(3).texts[laplist::kGColumn] = "0.75";
    view.Model().MutableRow(4).texts[laplist::kGColumn] = "12.00";
    view.OnColumnClick(laplist::kGColumn);
    view.OnColumnClick(laplist::kGColumn);
    EXPECT_EQ(ColumnTexts(laplist::kGColumn), (QStringList{"-0.50", "", "0.75", "1.25", "12.00"}));
}

TEST_F(CListViewExSortTest, FileNameAndPathDoNotSort) {
    view.OnColumnClick(0);
    view.OnColumnClick(0);
    const QList<int> before = LapNumbers();
    view.OnColumnClick(laplist::kTitleColumn);
    view.OnColumnClick(laplist::kPathColumn);
    EXPECT_EQ(LapNumbers(), before);
    EXPECT_FALSE(view.SortFlag(laplist::kTitleColumn));
}

TEST_F(CListViewExSortTest, HeaderClickSortsThroughTheHeader) {
    const QHeaderView* header = view.header();
    const QPoint at(header->sectionViewportPosition(0) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(LapNumbers(), (QList<int>{0, 1, 2, 3, 4}));
    const QPoint path(header->sectionViewportPosition(laplist::kPathColumn) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, path);
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

// ----- the header's right click -----

TEST_F(CListViewExTest, HeaderRightClickSendsTheColumnToThePane) {
    Load({"a/one.dat"});
    view.Fill();
    const QHeaderView* header = view.header();
    view.OnHeaderRightClick(QPoint(header->sectionViewportPosition(laplist::kOverColumn) + 3, 4));
    const auto sent = pane.Of(platform::UM_LIST_HEADER_RIGHT_CLICK);
    ASSERT_EQ(sent.size(), 1u);
    const auto* hit = platform::BlockAt<HeaderHitRecord>(sent[0].lParam);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->column, laplist::kOverColumn);
    EXPECT_EQ(sent[0].wParam, static_cast<platform::WParam>(view.Handle()));
}

}  // namespace
