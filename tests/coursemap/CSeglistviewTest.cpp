// The segment list fed as the lap list feeds it: its columns and the logger's or the map's segment
// times, sorting, the context menu, the compared laps' bar, grouping, and the pane's first showing.
#include "coursemap/CSegListPane.h"
#include "coursemap/SegmentListModel.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/ColorRef.h"
#include "platform/MessageBus.h"
#include "platform/PopupMenu.h"
#include "platform/RecordingWindow.h"
#include "platform/UserMessages.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::UM_SEGMENT_EDIT_REPLACE;

class CSeglistviewTest : public ::testing::Test {
protected:
    CSeglistviewTest() { orvelo::InitDataCore(core); }
    ~CSeglistviewTest() override {
        pane.reset();
        platform::TheMessageBus().ProcessPosted();
    }

    // A log file of laps numbered from 1, each with sample records of the given time steps and
    // positions every 5 m, 0.36 s apart, to 1500 m; lap time 20000.
    void AddFile(const std::u16string& path, const std::vector<std::vector<std::uint32_t>>& steps) {
        orvelo::LogFile& file = core.LogFiles.emplace_back();
        file.fullPath = path;
        file.title = path.substr(path.rfind(u'/') + 1);
        file.fileId = core.TakeNextFileId();
        for (std::size_t i = 0; i < steps.size(); ++i) {
            orvelo::Lap& lap = file.laps.emplace_back();
            lap.lapNumber = static_cast<std::uint32_t>(i + 1);
            lap.lapTime = 20000;
            for (std::uint32_t step : steps[i])
                lap.samples.push_back({.timeStep = step});
            for (std::uint32_t d = 0; d <= 1500; d += 5)
                lap.positions.push_back({.time = 36 * d / 5, .runningDistance = d});
        }
    }
    CSeglistview& Make() {
        pane = std::make_unique<CSegListPane>(nullptr, core, frame.Handle());
        pane->resize(500, 300);
        return pane->View();
    }
    // The rows of every file, as the lap list gives them after files were read.
    void Fill() {
        SegmentListFeed& feed = *pane;
        feed.ResetList();
        feed.SetRedraw(false);
        std::vector<const orvelo::LogFile*> files;
        for (const orvelo::LogFile& file : core.LogFiles)
            files.push_back(&file);
        feed.InsertLapRows(files);
        feed.DeleteExtraColumns();
        feed.GrowSortFlags();
        feed.SetRedraw(true);
    }
    QStringList Column(int column) {
        QStringList texts;
        for (int r = 0; r < pane->View().Model().RowCount(); ++r)
            texts << pane->View().Model().Cell(r, column);
        return texts;
    }
    QStringList Titles() {
        QStringList titles;
        for (int c = 0; c < pane->View().Model().ColumnCount(); ++c)
            titles << pane->View().Model().Column(c).title;
        return titles;
    }
    platform::LResult Replace(const orvelo::SegmentGroup* group) {
        if (!group)
            return platform::SendMessage(pane->ViewHandle(), UM_SEGMENT_EDIT_REPLACE, 0, 0);
        return platform::SendMessage(pane->ViewHandle(), platform::MessageWithBlockInWParam(UM_SEGMENT_EDIT_REPLACE, *group, 1));
    }

    orvelo::LapDataCore core;
    testsupport::RecordingWindow frame;
    std::unique_ptr<CSegListPane> pane;
};

TEST_F(CSeglistviewTest, ColumnsFollowTheLongestLapAndTheMapGroupsSegmentsWhoseTimesFillTheCells) {
    AddFile(u"/logs/a.dat", {{100, 200, 300, 400, 500, 600, 700, 800}, {150, 250, 6520}});
    CSeglistview& view = Make();
    EXPECT_EQ(Titles().size(), 9);  // "L ", six segments, "File name", "Path"
    const auto widths = [&view] {
        QList<int> all;
        for (int c = 0; c < view.Model().ColumnCount(); ++c)
            all << view.columnWidth(c);
        return all;
    };
    // Made (title length + 2) x 9 wide, the file's names 120; fitted to the texts by a fill.
    EXPECT_EQ(widths(), (QList<int>{60, 117, 117, 117, 117, 117, 117, 120, 120}));
    Fill();
    EXPECT_EQ(widths().last(), 50);
    EXPECT_EQ(Titles().mid(6, 5), (QStringList{QStringLiteral("Seg. 6 time"), QStringLiteral("Seg. 7 time"),
                                               QStringLiteral("Seg. 8 time"), QStringLiteral("File name"),
                                               QStringLiteral("Path")}));
    EXPECT_EQ(CSeglistview::SegmentTitle(10), QStringLiteral("Seg.10 time"));
    EXPECT_EQ(Column(0), (QStringList{QStringLiteral("  2"), QStringLiteral("  1")}));
    EXPECT_EQ(Column(3), (QStringList{QStringLiteral("1:05.20"), QStringLiteral("0:03.00")}));
    EXPECT_EQ(Column(9), (QStringList{QStringLiteral("a.dat"), QStringLiteral("a.dat")}));

    // The shown course's group: 1000 m on a position, then the lap line.
    orvelo::SegmentGroup group;
    group.segmentCount = 2;
    group.pairs = {{1000, 10}, {1500, 20}};
    EXPECT_EQ(Replace(&group), 0);
    EXPECT_EQ(view.Mode(), CSeglistview::kMapTimes);
    EXPECT_EQ(Titles().size(), 5);
    EXPECT_EQ(Column(1), (QStringList{QStringLiteral("1:12.00"), QStringLiteral("1:12.00")}));
    EXPECT_EQ(Column(2), (QStringList{QStringLiteral("2:08.00"), QStringLiteral("2:08.00")}));
    group.segmentCount = 0;
    Replace(&group);
    EXPECT_EQ(Titles().size(), 3);
    EXPECT_EQ(Column(1), (QStringList{QStringLiteral("a.dat"), QStringLiteral("a.dat")}));

    // Back to the logger's times: the longest lap keeps its columns, the shorter lap's cells past
    // its own times are empty.
    EXPECT_EQ(Replace(nullptr), 1);
    EXPECT_EQ(view.Mode(), CSeglistview::kLoggerTimes);
    EXPECT_EQ(Titles().size(), 11);
    EXPECT_EQ(Column(4), (QStringList{QString(), QStringLiteral("0:04.00")}));
    EXPECT_EQ(Replace(nullptr), 0);
}

// Until the first fit an empty list keeps the widths its columns were made with; once fitted, taking
// the rows away leaves the widths, and a fit of the empty list sizes the columns to their titles.
TEST_F(CSeglistviewTest, AnEmptyListIsFittedToItsTitlesOnceItWasFittedAndKeepsItsWidthsWhenItsRowsGo) {
    AddFile(u"/logs/a.dat", {{100, 200}, {150}});
    CSeglistview& view = Make();
    const auto widths = [&view] {
        QList<int> all;
        for (int c = 0; c < view.Model().ColumnCount(); ++c)
            all << view.columnWidth(c);
        return all;
    };
    Fill();
    const QList<int> filled = widths();
    ASSERT_EQ(filled.size(), 9);
    ASSERT_NE(filled[1], 117);  // the times are narrower than the titles, which the fit follows
    pane->RemoveAllRows();
    EXPECT_EQ(view.Model().RowCount(), 0);
    EXPECT_EQ(widths(), filled);

    orvelo::SegmentGroup group;
    group.segmentCount = 2;
    group.pairs = {{1000, 10}, {1500, 20}};
    Replace(&group);
    EXPECT_EQ(widths(), (QList<int>{60, filled[1], filled[2], filled[7], 50}));
    pane->RemoveAllRows();
    EXPECT_EQ(widths(), (QList<int>{60, filled[1], filled[2], filled[7], 50}));
    // Back to the logger's times with no rows: the column that goes takes its width with it.
    SegmentListFeed& feed = *pane;
    feed.ResetList();
    feed.DeleteExtraColumns();
    EXPECT_EQ(widths(), (QList<int>{60, filled[1], filled[7], 50}));
}

// A double-click on a column's right divider sizes the column to its texts: the file name as a fit
// sizes it, and the path, which a fit leaves narrow, to the whole path.
TEST_F(CSeglistviewTest, ADoubleClickOnADividerSizesTheColumnToItsTexts) {
    const std::u16string path = u"/logs/a rather long folder name/the session of the morning.dat";
    AddFile(path, {{100, 6520}, {150}});
    CSeglistview& view = Make();
    pane->show();
    Fill();
    orvelo::SegmentGroup group;
    group.segmentCount = 1;
    Replace(&group);
    ASSERT_EQ(view.Model().ColumnCount(), 4);
    const int fileName = view.columnWidth(2);
    const QFontMetrics metrics(view.font());
    ASSERT_GT(fileName, metrics.horizontalAdvance(QStringLiteral("the session of the morning.dat")));
    QHeaderView& header = *view.header();
    const auto doubleClickDivider = [&header](int column) {
        const QPoint divider(header.sectionViewportPosition(column) + header.sectionSize(column) - 1, header.height() / 2);
        QTest::mouseDClick(header.viewport(), Qt::LeftButton, {}, divider);
    };
    view.setColumnWidth(2, 20);
    doubleClickDivider(2);
    EXPECT_EQ(view.columnWidth(2), fileName);
    doubleClickDivider(3);
    EXPECT_GE(view.columnWidth(3), metrics.horizontalAdvance(QString::fromStdU16String(path)));
}

// A file may hold two laps of one number: each row shows the times of its own lap.
TEST_F(CSeglistviewTest, EachRowShowsItsOwnLapsLoggerTimesAlsoBesideAnotherLapOfItsNumber) {
    AddFile(u"/logs/a.dat", {{100, 200}, {300}, {400, 500, 600}});
    core.LogFiles[0].laps[2].lapNumber = 1;
    Make();
    Fill();
    EXPECT_EQ(Column(0), (QStringList{QStringLiteral("  2"), QStringLiteral("  1"), QStringLiteral("  1")}));
    EXPECT_EQ(Column(1), (QStringList{QStringLiteral("0:03.00"), QStringLiteral("0:01.00"), QStringLiteral("0:04.00")}));
    EXPECT_EQ(Column(3), (QStringList{QString(), QString(), QStringLiteral("0:06.00")}));
}

TEST_F(CSeglistviewTest, AHeaderClickSortsDescendingThenAscendingButNeverByFileNameOrPath) {
    AddFile(u"/logs/b.dat", {{1, 6520}, {1, 5999}, {1, 6000}});
    CSeglistview& view = Make();
    Fill();
    view.OnColumnClick(8);  // "Path"
    view.OnColumnClick(7);  // "File name"
    EXPECT_EQ(Column(0), (QStringList{QStringLiteral("  3"), QStringLiteral("  2"), QStringLiteral("  1")}));
    view.OnColumnClick(2);
    EXPECT_EQ(Column(2), (QStringList{QStringLiteral("1:05.20"), QStringLiteral("1:00.00"), QStringLiteral("0:59.99")}));
    view.OnColumnClick(2);
    EXPECT_EQ(Column(2), (QStringList{QStringLiteral("0:59.99"), QStringLiteral("1:00.00"), QStringLiteral("1:05.20")}));
    view.OnColumnClick(0);
    EXPECT_EQ(Column(0), (QStringList{QStringLiteral("  3"), QStringLiteral("  2"), QStringLiteral("  1")}));
}

TEST_F(CSeglistviewTest, TheMenuSwitchesToTheMapsTimesOnlyWhenTheMainFrameHasAGroup) {
    AddFile(u"/logs/a.dat", {{100}});
    CSeglistview& view = Make();
    Fill();
    platform::PopupMenuScript script;
    script.QueueChoice(QStringLiteral("Map Segment info"));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QCoreApplication::sendEvent(view.viewport(), &click);
    EXPECT_EQ(view.Mode(), CSeglistview::kMapTimes);
    EXPECT_EQ(frame.Of(platform::UM_GET_MAP_ON_VIEW_EDIT_SEGMENT_INFO).size(), 1u);
    view.OnMenuCommand(CSeglistview::kCmdLoggerTimes);
    EXPECT_EQ(view.Mode(), CSeglistview::kLoggerTimes);

    platform::MessageWindow refusing;
    refusing.On(platform::UM_GET_MAP_ON_VIEW_EDIT_SEGMENT_INFO, [](const platform::Message&) { return 0; });
    CSeglistview other(core, refusing.Handle());
    other.OnMenuCommand(CSeglistview::kCmdMapSegmentInfo);
    EXPECT_EQ(other.Mode(), CSeglistview::kLoggerTimes);
}

TEST_F(CSeglistviewTest, AComparedLapHasItsColourBarAndRowsGroupByFileOrFolder) {
    AddFile(u"/logs/a.dat", {{100}, {200}});
    AddFile(u"/other/c.dat", {{300}});
    CSeglistview& view = Make();
    pane->show();
    Fill();
    orvelo::SetBaseLap(core, u"/logs/a.dat", u"1");
    const QImage shot = view.viewport()->grab().toImage();
    const auto barPixel = [&](int row) {
        return shot.pixel(5, view.visualRect(view.Model().IndexOfRow(row)).center().y());
    };
    const QRgb base = platform::ToQColor(core.SelectedLaps[0].colour).rgb();
    EXPECT_EQ(barPixel(1), base);  // rows "  2", "  1", "  1" of a, a, c: a's lap 1 stands second
    EXPECT_NE(barPixel(0), base);
    EXPECT_NE(barPixel(2), base);

    SegmentListFeed& feed = *pane;
    feed.EnableGroupView();
    feed.InsertGroup(QStringLiteral("a.dat"), 0);
    feed.AssignRowsToGroup(1, 0, QStringLiteral("/logs/a.dat"));
    feed.InsertGroup(QStringLiteral("other\\"), 1);
    feed.AssignRowsToGroup(2, 1, QStringLiteral("/other"));
    feed.SetRedraw(true);
    SegmentListModel& model = view.Model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 2);
    EXPECT_EQ(model.index(1, 0).data().toString(), QStringLiteral("other\\"));
    feed.RemoveGroups();
    EXPECT_EQ(model.rowCount(), 3);
}

TEST_F(CSeglistviewTest, ThePaneTellsTheMainFrameOnceWhenFirstShownUnlessItHadTheFocusBefore) {
    QDockWidget dock;
    auto* shown = new CSegListPane(&dock, core, frame.Handle());
    dock.setWidget(shown);
    EXPECT_TRUE(dock.features().testFlag(QDockWidget::DockWidgetFloatable));
    EXPECT_EQ(platform::SendMessage(shown->Handle(), platform::UM_LAP_LIST_ALL_VIEW, 0, 0), 1);
    dock.show();
    dock.hide();
    dock.show();
    platform::TheMessageBus().ProcessPosted();
    const auto told = frame.Of(platform::UM_DOCKING_PANEL_CREATED);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(static_cast<platform::WindowHandle>(told[0].lParam), shown->Handle());

    CSegListPane focused(nullptr, core, frame.Handle());
    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(&focused.View(), &focus);
    focused.show();
    platform::TheMessageBus().ProcessPosted();
    EXPECT_EQ(frame.Of(platform::UM_DOCKING_PANEL_CREATED).size(), 1u);
    EXPECT_EQ(focused.ActivationState(), 1);
}

}  // namespace
