// The lap list pane and the file dialogs inside the running shell: the commands a user gives,
// the main frame's relays, and what the lap list then shows.
#include "ShellHarness.h"
#include "LapListTestSupport.h"

#include "shell/CClassView.h"
#include "shell/CCustomDrawListCtrlDlg.h"
#include "shell/CDlgShellListCtrl.h"
#include "shell/CListCtrlCustomDrawEx.h"
#include "shell/CSelectFile_Dlg.h"
#include "shell/CommandIds.h"
#include "shell/StandInWindow.h"

#include "core/LapSelection.h"
#include "platform/ModalDialog.h"
#include "platform/UserMessages.h"

#include <QAction>
#include <QFileSystemModel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

constexpr orvelo::LapColorArray kChosen = {0x000011, 0x000022, 0x000033, 0x000044, 0x000055, 0x000066, 0x000077};

// The program as it starts, on a data core and settings of its own (never the program's globals).
class LapListPaneFactoryTest : public ::testing::Test {
protected:
    void SetUp() override { Start(); }
    void Start() {
        ASSERT_TRUE(h.Start());
        h.App().SetDesktopFolder(files.Root());
    }
    CClassView& Pane() { return dynamic_cast<CClassView&>(*h.Frame().LapList()); }
    LapListModel& Rows() { return Pane().View().Model(); }
    void Run(int command) {
        h.Frame().Action(command)->trigger();
        DeliverPosted();
    }
    // Ctrl+O (or Map Open) with a user who picks the files and presses OK.
    // Files in gone are removed after they were picked, before OK.
    void Open(const QStringList& paths, int command = command::kFileOpen, const QStringList& gone = {}) {
        platform::ModalDialogScript script;
        script.Queue([paths, gone](QDialog& dialog) {
            auto& select = static_cast<CSelectFile_Dlg&>(dialog);
            for (const QString& path : paths)
                select.FileList().DoDefault(select.FileList().FileModel().index(path));
            for (const QString& path : gone)
                QFile::remove(path);
            select.OkButton().click();
            return select.result();
        });
        Run(command);
    }
    // The folder the file selection dialog of the command opens on; the user cancels.
    QString StartFolderOf(int command) {
        QString start;
        platform::ModalDialogScript script;
        script.Queue([&start](QDialog& dialog) {
            start = static_cast<CSelectFile_Dlg&>(dialog).StartFolder();
            return int(QDialog::Rejected);
        });
        Run(command);
        return start;
    }
    QStringList ListedPaths() { return testsupport::ListedPaths(Rows()); }
    SessionDir files;
    ShellHarness h;
};

// Lap colours stored by an earlier run of this program's own settings.
class LapListPaneOwnSettingsTest : public LapListPaneFactoryTest {
protected:
    void SetUp() override {
        h.Settings().Store().CreateSettingsKeys();
        orvelo::LapColorArray stored = kChosen;
        ASSERT_EQ(h.Settings().Colors().LapColorSetting(1, stored.data()), 0);
        Start();
    }
};

TEST_F(LapListPaneOwnSettingsTest, OpeningASessionListsEveryLapFromTheApplicationsCoreAndSettings) {
    EXPECT_EQ(Pane().windowTitle(), " Lap list");
    EXPECT_EQ(Pane().View().LapColors(), kChosen);
    EXPECT_EQ(h.Core().SelectedLaps[0].colour, kChosen[0]);
    Open({files.Write("track/session.dat", 5)});
    EXPECT_EQ(Boxes(h.Boxes()), QStringList{Box("OK", "OK , finish read log-file", platform::kMbIconInformation)});
    ASSERT_EQ(h.Core().LogFiles.size(), 1u);
    EXPECT_EQ(Rows().RowCount(), static_cast<int>(h.Core().LogFiles[0].laps.size()));
    EXPECT_EQ(Rows().Title(0), "session");
    EXPECT_TRUE(orvelo::TheLapDataCore().LogFiles.empty());  // never the program's globals
}

TEST_F(LapListPaneFactoryTest, LapColourAnswerRecoloursActiveSlotsAndTheirLapsOnlyWhenStored) {
    const QString path = files.Write("track/session.dat", 5);
    Open({path});
    orvelo::LapDataCore& core = h.Core();
    const std::u16string file = path.toStdU16String();
    orvelo::SetBaseLap(core, file, u"1");
    ASSERT_EQ(orvelo::ToggleOverlayLap(core, file, u"2"), 0);
    ASSERT_EQ(orvelo::ToggleOverlayLap(core, file, u"3"), 0);
    orvelo::ClearLapSelection(core);  // the overlay slots go out of use but still name laps 2 and 3
    ASSERT_EQ(orvelo::ToggleOverlayLap(core, file, u"4"), 0);
    ASSERT_EQ(core.SelectedLaps[2].activeFlag, 0);
    ASSERT_EQ(core.ResolveLap(core.SelectedLaps[2].lap), &core.LogFiles[0].laps[2]);
    const auto answer = [this] {
        platform::SendMessage(Pane().Handle(),
                              platform::MessageWithBlockInWParam(platform::UM_LAP_COLOR_PROPERTY, kChosen, 7));
        DeliverPosted();
    };
    std::vector<orvelo::LapColorArray> passedOn;
    dynamic_cast<StandInWindow&>(*h.Frame().Properties()).SetInspector([&passedOn](const platform::Message& m) {
        if (m.id == platform::UM_LAP_COLOR_PROPERTY)
            passedOn.push_back(*platform::BlockAt<orvelo::LapColorArray>(m.wParam));
    });
    const auto& laps = core.LogFiles[0].laps;
    const auto colours = [&] {  // slots 0 to 2, laps 1 (base), 3 (slot 2, out of use) and 4 (slot 1)
        return std::vector<orvelo::COLORREF>{core.SelectedLaps[0].colour, core.SelectedLaps[1].colour,
                                             core.SelectedLaps[2].colour, laps[0].displayColour,
                                             laps[2].displayColour,       laps[3].displayColour};
    };
    const auto before = colours();
    const orvelo::LapColorArray tableBefore = h.Settings().Colors().LapColorTable();
    EXPECT_EQ(tableBefore,  // the built-in colours
              (orvelo::LapColorArray{0x0000FF, 0x00FF00, 0x000080, 0xFFFF00, 0xFF00FF, 0x800080, 0x808000}));
    h.Backend().SetFailSaves(true);
    answer();
    EXPECT_EQ(colours(), before);
    EXPECT_EQ(h.Settings().Colors().LapColorTable(), tableBefore);
    EXPECT_EQ(Pane().View().LapColors(), tableBefore);

    h.Backend().SetFailSaves(false);
    answer();
    EXPECT_EQ(colours(),  // lap 3, named by a slot out of use, keeps its colour
              (std::vector<orvelo::COLORREF>{kChosen[0], kChosen[1], kChosen[2], kChosen[0], before[4], kChosen[1]}));
    EXPECT_NE(before[4], kChosen[2]);
    EXPECT_EQ(Pane().View().LapColors(), kChosen);
    EXPECT_EQ(passedOn, (std::vector<orvelo::LapColorArray>{tableBefore, kChosen}));  // the colours in effect
}

TEST_F(LapListPaneFactoryTest, EachKindOfFileReopensOnTheFramesLastFolderOfThatKind) {
    EXPECT_EQ(StartFolderOf(command::kFileOpen), files.Root());  // "NothingPath": the desktop
    Open({files.Write("logs/a.dat")});
    Open({files.Write("maps/track.map")}, command::kMapOpen);
    ASSERT_EQ(h.Core().MapFiles.size(), 1u);
    EXPECT_EQ(h.Frame().LastLogFolder(), files.Path("logs"));
    EXPECT_EQ(h.Frame().LastMapFolder(), files.Path("maps"));
    FrameworkProfile& profile = h.Settings().Profile();
    EXPECT_EQ(profile.GetProfileString(h.App().m_logFileSection, h.App().m_logFileEntry), files.Path("logs"));
    // The frame's folders come before what the profile says.
    profile.WriteProfileString(h.App().m_logFileSection, h.App().m_logFileEntry, files.Root());
    EXPECT_EQ(StartFolderOf(command::kFileOpen), files.Path("logs"));
    EXPECT_EQ(StartFolderOf(command::kMapOpen), files.Path("maps"));
}

TEST_F(LapListPaneFactoryTest, FailedFilesAreNamedInTheErrorBoxAndNeverListedButCutOffFilesAreListed) {
    const QString good = files.Write("track/good.dat");
    Open({good});
    h.Boxes().Clear();
    const QString truncated = files.Write("track/cut.dat", 2, 4, 1, samplegen::Variant::PartialRecord);
    const QString other = files.Write("track/other.dat", 2, 5);
    const QString missing = files.Write("track/missing.dat", 2, 6);
    const QString last = files.Write("track/last.dat", 2, 7);
    const QString empty = files.WriteBytes("track/empty.dat", {}); // no lap closed: nothing to list
    const QString zeros = files.WriteBytes(
        "track/zeros.dat", samplegen::GenerateHostileRecords(samplegen::HostileShape::Zeros, 2000));
    Open({truncated, other, missing, last, empty, zeros}, command::kFileOpen, {missing});
    const QString map = files.Write("maps/good.map");
    const QString missingMap = files.Write("maps/missing.map", 2, 3);
    Open({map, missingMap}, command::kMapOpen, {missingMap});
    const QString cutOff = " (last record cut off; the records before it were read)";
    const QString cannotOpen = " (Error, cannot open file)";
    EXPECT_EQ(Boxes(h.Boxes()), (QStringList{Box("OK",
                                                 "ERROR , failed read log-file\n" + missing + cannotOpen + "\n" + empty +
                                                     "\n" + zeros + "\n" + truncated + cutOff,
                                                 platform::kMbIconError),
                                             Box("OK", "ERROR , failed read Map-file\n" + missingMap + cannotOpen,
                                                 platform::kMbIconError)}));
    // The file cut off in its last record is loaded and listed with all its laps.
    EXPECT_EQ(ListedPaths(), (QStringList{truncated, good, last, other}));
    ASSERT_EQ(h.Core().LogFiles.size(), 4u);
    EXPECT_EQ(h.Core().LogFiles[1].fullPath, truncated.toStdU16String());
    EXPECT_EQ(h.Core().LogFiles[1].lapCount, 2);
    EXPECT_TRUE(CSelectFile_Dlg::FailedFiles(h.Core(), 0).isEmpty());

    h.Boxes().Clear(); // a later open does not repeat the notice
    Open({files.Write("track/next.dat", 2, 8)});
    EXPECT_EQ(Boxes(h.Boxes()), QStringList{Box("OK", "OK , finish read log-file", platform::kMbIconInformation)});
    ASSERT_EQ(h.Core().MapFiles.size(), 1u);
    EXPECT_EQ(h.Core().MapFiles[0].fullPath, map.toStdU16String());
}

TEST_F(LapListPaneFactoryTest, ClosingAFileOrAGroupThroughTheClosingDialogRebuildsTheList) {
    const QString a = files.Write("x/a.dat");
    const QString b = files.Write("y/b.dat", 3, 2);
    const QString c = files.Write("x/c.dat", 3, 3);
    const QString d = files.Write("y/d.dat", 3, 4);
    Open({a, b, c, d});
    orvelo::SetBaseLap(h.Core(), b.toStdU16String(), u"1");
    ASSERT_EQ(orvelo::ToggleOverlayLap(h.Core(), d.toStdU16String(), u"2"), 0);
    QList<bool> checks;
    platform::ModalDialogScript script;
    const auto closeChecked = [&checks](QDialog& dialog) {
        auto& close = static_cast<CCustomDrawListCtrlDlg&>(dialog);
        checks.clear();
        for (int r = 0; r < close.List().rowCount(); ++r)
            checks << close.List().IsChecked(r);
        close.OkButton().click();
        return close.result();
    };
    script.Queue([&](QDialog& dialog) {
        static_cast<CCustomDrawListCtrlDlg&>(dialog).List().SetChecked(0, true);
        return closeChecked(dialog);
    });
    Run(command::kCloseLogFile);
    EXPECT_EQ(ListedPaths(), (QStringList{c, b, d}));
    orvelo::COLORREF colour = 0;
    EXPECT_EQ(orvelo::GetLapMark(h.Core(), orvelo::kLapMarkOverlay, d.toStdU16String(), u"2", colour), 1);

    // A folder group's close opens the dialog with the group's files checked.
    Pane().View().GroupBy(LapListGrouping::kByFolder);
    script.Queue(closeChecked);
    platform::PostMessage(h.Frame().Handle(), platform::MessageWithBlock(platform::UM_CLOSE_LOGFILE_IN_GROUP, 2,
                                                                         files.Path("x").toStdU16String()));
    DeliverPosted();
    EXPECT_EQ(checks, (QList<bool>{false, true, false}));
    EXPECT_EQ(ListedPaths(), (QStringList{b, d}));
    EXPECT_EQ(Pane().View().GroupingMode(), LapListGrouping::kByFolder);
    ASSERT_EQ(Pane().View().Grouping().Entries().size(), 1u);
    EXPECT_EQ(Pane().View().Grouping().Entries()[0].target, files.Path("y"));
}

}  // namespace
