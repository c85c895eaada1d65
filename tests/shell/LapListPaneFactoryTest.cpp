// The lap list pane and the file dialogs inside the running shell: the commands a user gives,
// the main frame's relays, and what the lap list then shows.
#include "shell/CClassView.h"
#include "shell/CDlgShellListCtrl.h"
#include "shell/CCustomDrawListCtrlDlg.h"
#include "shell/CListCtrlCustomDrawEx.h"
#include "shell/CSelectFile_Dlg.h"
#include "shell/LapListModel.h"

#include "LapListTestSupport.h"

#include "shell/AppSettings.h"
#include "shell/CMainFrame.h"
#include "shell/COrveloApp.h"
#include "shell/CommandIds.h"
#include "shell/StandInWindowFactory.h"

#include "core/LapSelection.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "platform/RegistryMemoryBackend.h"
#include "platform/UserMessages.h"

#include <QAction>
#include <QFileSystemModel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// The program as it starts, on a data core and settings of its own (never the program's globals).
class LapListPaneFactoryTest : public ::testing::Test {
protected:
    LapListPaneFactoryTest() : settings(TakeBackend(), [] { return platform::ColorRef{0xF0F0F0}; }) {}
    std::unique_ptr<platform::RegistryMemoryBackend> TakeBackend() {
        auto made = std::make_unique<platform::RegistryMemoryBackend>();
        backend = made.get();
        return made;
    }
    ~LapListPaneFactoryTest() override {
        app.reset();
        DeliverPosted();
    }
    void Start() {
        app = std::make_unique<COrveloApp>(settings, core, factory);
        ASSERT_TRUE(app->InitInstance(nullptr));
        app->SetDesktopFolder(files.Root());
        DeliverPosted();
    }
    void SetUp() override { Start(); }

    CClassView& Pane() { return dynamic_cast<CClassView&>(*app->MainFrame()->LapList()); }
    LapListModel& Rows() { return Pane().View().Model(); }
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
        app->MainFrame()->Action(command)->trigger();
        DeliverPosted();
    }
    // The folder the file selection dialog of the command opens on; the user cancels.
    QString StartFolderOf(int command) {
        QString start;
        platform::ModalDialogScript script;
        script.Queue([&start](QDialog& dialog) {
            start = static_cast<CSelectFile_Dlg&>(dialog).StartFolder();
            return int(QDialog::Rejected);
        });
        app->MainFrame()->Action(command)->trigger();
        DeliverPosted();
        return start;
    }
    QStringList ListedPaths() {
        QStringList paths;
        for (int r = 0; r < Rows().RowCount(); ++r)
            paths << Rows().Row(r).texts[laplist::kPathColumn];
        paths.removeDuplicates();
        paths.sort();
        return paths;
    }

    platform::MessageBoxRecorder boxes;
    SessionDir files;
    platform::RegistryMemoryBackend* backend = nullptr;
    AppSettings settings;
    orvelo::LapDataCore core;
    StandInWindowFactory factory;
    std::unique_ptr<COrveloApp> app;
};

// Lap colours stored by an earlier run of this program's own settings.
class LapListPaneOwnSettingsTest : public LapListPaneFactoryTest {
protected:
    static constexpr orvelo::LapColorArray kStored = {0x000011, 0x000022, 0x000033, 0x000044,
                                                      0x000055, 0x000066, 0x000077};
    void SetUp() override {
        settings.Store().CreateSettingsKeys();
        orvelo::LapColorArray stored = kStored;
        ASSERT_EQ(settings.Colors().LapColorSetting(1, stored.data()), 0);
        Start();
    }
};

TEST_F(LapListPaneOwnSettingsTest, OpeningASessionListsEveryLapFromTheApplicationsCoreAndSettings) {
    EXPECT_EQ(app->MainFrame()->LapList()->Widget()->windowTitle(), " Lap list");
    EXPECT_EQ(Pane().View().LapColors(), kStored);
    EXPECT_EQ(core.SelectedLaps[0].colour, kStored[0]);
    Open({files.Write("track/session.dat", 5)});
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "OK , finish read log-file");
    EXPECT_EQ(boxes.Shown()[0].flags, unsigned(platform::kMbIconInformation));
    ASSERT_EQ(core.LogFiles.size(), 1u);
    EXPECT_EQ(Rows().RowCount(), static_cast<int>(core.LogFiles[0].laps.size()));
    EXPECT_EQ(Rows().Row(0).texts[laplist::kTitleColumn], "session");
    EXPECT_TRUE(orvelo::TheLapDataCore().LogFiles.empty());  // never the program's globals
}

TEST_F(LapListPaneFactoryTest, LapColourAnswerRecoloursActiveSlotsAndTheirLapsOnlyWhenStored) {
    const QString path = files.Write("track/session.dat", 5);
    Open({path});
    const std::u16string file = path.toStdU16String();
    orvelo::SetBaseLap(core, file, u"1");
    ASSERT_EQ(orvelo::ToggleOverlayLap(core, file, u"2"), 0);
    ASSERT_EQ(orvelo::ToggleOverlayLap(core, file, u"3"), 0);
    orvelo::ClearLapSelection(core);  // the overlay slots go out of use but still name laps 2 and 3
    ASSERT_EQ(orvelo::ToggleOverlayLap(core, file, u"4"), 0);
    ASSERT_EQ(core.SelectedLaps[2].activeFlag, 0);
    ASSERT_EQ(core.ResolveLap(core.SelectedLaps[2].lap), &core.LogFiles[0].laps[2]);
    const auto colours = [this] {
        std::vector<orvelo::COLORREF> all;
        for (const orvelo::SelectedLap& slot : core.SelectedLaps)
            all.push_back(slot.colour);
        for (const orvelo::Lap& lap : core.LogFiles[0].laps)
            all.push_back(lap.displayColour);
        return all;
    };
    const orvelo::LapColorArray chosen = {0x000011, 0x000022, 0x000033, 0x000044, 0x000055, 0x000066, 0x000077};
    const auto answer = [&] {
        platform::SendMessage(Pane().Handle(),
                              platform::MessageWithBlockInWParam(platform::UM_LAP_COLOR_PROPERTY, chosen, 7));
        DeliverPosted();
    };
    const auto before = colours();
    const auto tableBefore = settings.Colors().LapColorTable();
    backend->SetFailSaves(true);
    answer();
    EXPECT_EQ(colours(), before);
    EXPECT_EQ(settings.Colors().LapColorTable(), tableBefore);
    EXPECT_EQ(Pane().View().LapColors(), tableBefore);

    backend->SetFailSaves(false);
    answer();
    auto after = before;
    const std::size_t slotCount = core.SelectedLaps.size();
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        after[i] = chosen[i];
        if (core.SelectedLaps[i].activeFlag != 0)
            after[slotCount + static_cast<std::size_t>(core.SelectedLaps[i].lap.lapIndex)] = chosen[i];
    }
    EXPECT_EQ(colours(), after);
    EXPECT_NE(after[slotCount + 2], chosen[2]);  // lap 3, named by a slot out of use, keeps its colour
    EXPECT_EQ(Pane().View().LapColors(), chosen);
}

TEST_F(LapListPaneFactoryTest, EachKindOfFileReopensOnTheFramesLastFolderOfThatKind) {
    EXPECT_EQ(StartFolderOf(command::kFileOpen), files.Root());  // "NothingPath": the desktop
    Open({files.Write("logs/a.dat")});
    Open({files.Write("maps/track.map")}, command::kMapOpen);
    ASSERT_EQ(core.MapFiles.size(), 1u);
    const CMainFrame& frame = *app->MainFrame();
    EXPECT_EQ(frame.LastLogFolder(), files.Path("logs"));
    EXPECT_EQ(frame.LastMapFolder(), files.Path("maps"));
    FrameworkProfile& profile = settings.Profile();
    EXPECT_EQ(profile.GetProfileString(app->m_logFileSection, app->m_logFileEntry), files.Path("logs"));
    EXPECT_EQ(profile.GetProfileString(app->m_mapFileSection, app->m_mapFileEntry), files.Path("maps"));
    // The frame's folders come before what the profile says.
    profile.WriteProfileString(app->m_logFileSection, app->m_logFileEntry, files.Root());
    EXPECT_EQ(StartFolderOf(command::kFileOpen), files.Path("logs"));
    EXPECT_EQ(StartFolderOf(command::kMapOpen), files.Path("maps"));
}

TEST_F(LapListPaneFactoryTest, FailedFilesAreNamedInTheErrorBoxAndNeverListed) {
    const QString good = files.Write("track/good.dat");
    Open({good});
    boxes.Clear();
    const QString truncated = files.Write("track/cut.dat", 2, 4, 1, samplegen::Variant::PartialRecord);
    const QString other = files.Write("track/other.dat", 2, 5);
    const QString missing = files.Write("track/missing.dat", 2, 6);
    const QString last = files.Write("track/last.dat", 2, 7);
    Open({truncated, other, missing, last}, command::kFileOpen, {missing});
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text.split(QLatin1Char('\n')),
              (QStringList{"ERROR , failed read log-file", truncated, missing}));
    EXPECT_EQ(boxes.Shown()[0].flags, unsigned(platform::kMbIconError));
    EXPECT_EQ(ListedPaths(), (QStringList{good, last, other}));
    EXPECT_EQ(core.LogFiles.size(), 3u);
    EXPECT_TRUE(CSelectFile_Dlg::FailedFiles(core, 0).isEmpty());

    const QString map = files.Write("maps/good.map");
    const QString missingMap = files.Write("maps/missing.map", 2, 3);
    Open({map, missingMap}, command::kMapOpen, {missingMap});
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[1].text, "ERROR , failed read Map-file\n" + missingMap);
    ASSERT_EQ(core.MapFiles.size(), 1u);
    EXPECT_EQ(core.MapFiles[0].fullPath, map.toStdU16String());
}

TEST_F(LapListPaneFactoryTest, ClosingAFileOrAGroupThroughTheClosingDialogRebuildsTheList) {
    const QString a = files.Write("x/a.dat");
    const QString b = files.Write("y/b.dat", 3, 2);
    const QString c = files.Write("x/c.dat", 3, 3);
    const QString d = files.Write("y/d.dat", 3, 4);
    Open({a, b, c, d});
    orvelo::SetBaseLap(core, b.toStdU16String(), u"1");
    ASSERT_EQ(orvelo::ToggleOverlayLap(core, d.toStdU16String(), u"2"), 0);
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
    app->MainFrame()->Action(command::kCloseLogFile)->trigger();
    DeliverPosted();
    EXPECT_EQ(ListedPaths(), (QStringList{c, b, d}));
    orvelo::COLORREF colour = 0;
    EXPECT_EQ(orvelo::GetLapMark(core, orvelo::kLapMarkOverlay, d.toStdU16String(), u"2", colour), 1);

    // A folder group's close opens the dialog with the group's files checked.
    Pane().View().GroupBy(LapListGrouping::kByFolder);
    script.Queue(closeChecked);
    platform::PostMessage(app->MainFrame()->Handle(), platform::MessageWithBlock(platform::UM_CLOSE_LOGFILE_IN_GROUP, 2,
                                                                                 files.Path("x").toStdU16String()));
    DeliverPosted();
    EXPECT_EQ(checks, (QList<bool>{false, true, false}));
    EXPECT_EQ(ListedPaths(), (QStringList{b, d}));
    EXPECT_EQ(Pane().View().GroupingMode(), LapListGrouping::kByFolder);
    ASSERT_EQ(Pane().View().Grouping().Entries().size(), 1u);
    EXPECT_EQ(Pane().View().Grouping().Entries()[0].target, files.Path("y"));
}

}  // namespace
