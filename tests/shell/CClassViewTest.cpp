// The lap list pane: rebuilding after files are closed, and its header and
// group menus.
#include "shell/CClassView.h"
#include "shell/LapListModel.h"

#include "LapListTestSupport.h"

#include "core/LapSelection.h"
#include "platform/MessageBox.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

constexpr orvelo::LapColorArray kBuiltIn = {0x0000FF, 0x00FF00, 0x000080, 0xFFFF00, 0xFF00FF, 0x800080, 0x808000};

class CClassViewTest : public ::testing::Test {
protected:
    CClassViewTest() : pane(fresh.core, mainFrame.Handle(), Colors()) {
        pane.resize(1400, 600);
    }
    ~CClassViewTest() override { DeliverPosted(); }

    // Settings with nothing stored that cannot be written.
    static LapColorAccess Colors() {
        LapColorAccess access;
        access.builtIn = [] { return kBuiltIn; };
        access.setting = [](int, orvelo::LapColorArray&) { return 1; };
        return access;
    }
    QStringList Load(const QStringList& relatives) {
        QStringList paths;
        for (const QString& r : relatives)
            paths << files.Write(r, 2, static_cast<std::uint64_t>(paths.size() + 3));
        EXPECT_EQ(LoadLogs(fresh.core, paths), 0);
        platform::SendMessage(pane.Handle(), platform::UM_LAP_LIST_ALL_VIEW, 0, 0);
        return paths;
    }
    LapListModel& Model() { return pane.View().Model(); }
    int Mark(const QString& path, int number, int kind) {
        orvelo::COLORREF colour = 0;
        return orvelo::GetLapMark(fresh.core, kind, path.toStdU16String(), QString::number(number).toStdU16String(),
                                  colour);
    }
    QStringList ListedPaths() { return testsupport::ListedPaths(Model()); }
    // Closes the file as the closing dialog does, then tells the pane as the main frame does.
    void CloseFile(const QString& path) {
        for (orvelo::FileListEntry& e : fresh.core.ReadLogFileList)
            e.closeMark = e.fullPath == path.toStdU16String() ? 1 : 0;
        ASSERT_EQ(orvelo::CloseMarkedLogFiles(fresh.core), 1);
        const int baseLeft = orvelo::UpdateBaseLap(fresh.core);
        platform::SendMessage(pane.Handle(), platform::UM_RESET_LAP_LIST, static_cast<platform::WParam>(baseLeft), 0);
    }
    void HeaderRightClick(int column) {
        const HeaderHitRecord hit{column, 10, 10};
        platform::SendMessage(pane.Handle(), platform::MessageWithBlock(platform::UM_LIST_HEADER_RIGHT_CLICK, 0, hit));
        DeliverPosted();
    }
    // The group menu opened over the header row of the group at that place among the top rows.
    void GroupMenuAt(int top) {
        pane.show();
        pane.View().ShowGroupMenu(pane.View().visualRect(Model().index(top, 0)).center(), QPoint());
        DeliverPosted();
    }

    FreshCore fresh;
    SessionDir files;
    RecordingWindow mainFrame;
    CClassView pane;
    platform::MessageBoxRecorder boxes;
    platform::PopupMenuScript menus;
};

// ----- rebuilding after files are closed -----

TEST_F(CClassViewTest, ClosingAComparedFileKeepsTheOtherFilesListedAndCompared) {
    const QStringList paths = Load({"a/one.dat", "a/two.dat", "b/three.dat"});
    orvelo::SetBaseLap(fresh.core, paths[1].toStdU16String(), u"1");
    ASSERT_EQ(orvelo::ToggleOverlayLap(fresh.core, paths[2].toStdU16String(), u"2"), 0);
    ASSERT_EQ(orvelo::ToggleOverlayLap(fresh.core, paths[0].toStdU16String(), u"1"), 0);
    CloseFile(paths[0]);
    EXPECT_EQ(ListedPaths(), (QStringList{paths[1], paths[2]}));
    EXPECT_EQ(Mark(paths[1], 1, orvelo::kLapMarkBase), 1);
    EXPECT_EQ(Mark(paths[2], 2, orvelo::kLapMarkOverlay), 1);

    int row = 0;  // a lap of the next file closed becomes the current lap
    while (row + 1 < Model().RowCount() && Model().Path(row) != paths[1])
        ++row;
    pane.View().setCurrentIndex(Model().IndexOfRow(row, 0));
    pane.View().OnDblClk();
    ASSERT_EQ(QString::fromStdU16String(pane.View().CurrentLapBlock().Path()), paths[1]);
    CloseFile(paths[1]);  // the base lap's file: the overlays and the current lap go too
    EXPECT_EQ(ListedPaths(), QStringList{paths[2]});
    EXPECT_EQ(Mark(paths[2], 2, orvelo::kLapMarkOverlay), 0);
    EXPECT_TRUE(pane.View().CurrentLapBlock().Path().empty());
    EXPECT_TRUE(pane.View().CurrentLapText().isEmpty());
    // Closing course-map files leaves the lap list alone.
    fresh.core.LogFiles.clear();
    EXPECT_EQ(platform::SendMessage(pane.Handle(), platform::UM_RESET_LAP_LIST, 1, 1), 0);
    EXPECT_EQ(ListedPaths(), QStringList{paths[2]});
}

// ----- header menus -----

TEST_F(CClassViewTest, HeaderMenusOfferLapColoursGroupingAndResetOverLap) {
    HeaderRightClick(5);
    EXPECT_TRUE(menus.Shown().empty());  // an empty list has no menu
    const QStringList paths = Load({"a/one.dat", "b/two.dat"});
    menus.QueueChoice(QStringLiteral("Lap color property..."));
    HeaderRightClick(laplist::kOverColumn);
    menus.QueueChoice(QStringLiteral("group by folder (path )"));
    HeaderRightClick(0);
    ASSERT_EQ(menus.Shown().size(), 2u);
    EXPECT_EQ(menus.Shown()[0], QStringList{"Lap color property..."});
    EXPECT_EQ(menus.Shown()[1],
              (QStringList{"view file control", "group by file", "group by folder (path )", "reset over lap"}));
    const auto posted = mainFrame.Of(platform::UM_LAP_COLOR_PROPERTY);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].wParam, static_cast<platform::WParam>(pane.Handle()));
    EXPECT_EQ(pane.View().GroupingMode(), LapListGrouping::kByFolder);

    orvelo::SetBaseLap(fresh.core, paths[0].toStdU16String(), u"1");
    orvelo::ToggleOverlayLap(fresh.core, paths[1].toStdU16String(), u"1");
    menus.QueueChoice(QStringLiteral("reset over lap"));
    HeaderRightClick(laplist::kPathColumn);
    EXPECT_EQ(Mark(paths[1], 1, orvelo::kLapMarkOverlay), 0);
    EXPECT_EQ(Mark(paths[0], 1, orvelo::kLapMarkBase), 1);
    EXPECT_EQ(mainFrame.Of(platform::UM_REDRAW_LAP_GRAPH).size(), 1u);
}

// ----- the group menu -----

TEST_F(CClassViewTest, GroupMenuClosesTheFilesOfAFileGroupByFullPathOrOfAFolder) {
    const QStringList paths = Load({"x/run.dat", "y/run.dat"});
    pane.View().GroupBy(LapListGrouping::kByFile);
    menus.QueueChoice(QStringLiteral("Close log file: run"));
    GroupMenuAt(1);
    EXPECT_EQ(menus.Shown()[0], (QStringList{"Expand group: run", "Disable grouping", "Close log file: run"}));
    pane.View().GroupBy(LapListGrouping::kByFolder);
    menus.QueueChoice(QStringLiteral("Close log file folder: ") + pane.View().Grouping().Entries()[0].header);
    GroupMenuAt(0);
    const auto posted = mainFrame.Of(platform::UM_CLOSE_LOGFILE_IN_GROUP);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].wParam, 1u);
    EXPECT_EQ(*platform::BlockAt<std::u16string>(posted[0].lParam), paths[1].toStdU16String());
    EXPECT_EQ(posted[1].wParam, 2u);
    EXPECT_EQ(QString::fromStdU16String(*platform::BlockAt<std::u16string>(posted[1].lParam)), files.Path("x"));
}

TEST_F(CClassViewTest, GroupMenuAwayFromAGroupHeaderWarnsAndClosesNothing) {
    Load({"x/a.dat"});
    pane.View().ShowGroupMenu(QPoint(5, 5), QPoint());
    EXPECT_TRUE(menus.Shown().empty());  // no groups, no menu
    pane.View().GroupBy(LapListGrouping::kByFile);
    menus.QueueChoice(QStringLiteral("Close log file: "));
    pane.show();
    pane.View().ShowGroupMenu(pane.View().visualRect(Model().index(0, 0, Model().index(0, 0))).center(), QPoint());
    DeliverPosted();
    EXPECT_EQ(menus.Shown()[0], QStringList{"Close log file: "});
    EXPECT_EQ(Boxes(boxes), QStringList{Box("OK", "Warning , nothing close file in group", platform::kMbIconWarning)});
    EXPECT_TRUE(mainFrame.Of(platform::UM_CLOSE_LOGFILE_IN_GROUP).empty());
}

}  // namespace
