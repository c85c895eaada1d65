// Start-up of the application: which work areas the first New Work Area of a
// run reopens from the saved list, slot reuse, the idle rule, the open
// command's outcomes, and the single instance across real processes.
#include "ShellHarness.h"

#include "platform/MessageSpy.h"
#include "platform/ModalDialog.h"
#include "platform/SingleInstance.h"
#include "shell/AboutBox.h"
#include "platform/UserMessages.h"

#include "core/FileLists.h"

#include <QDialog>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::MessageSpy;
using platform::SpiedMessage;

namespace {

class COrveloAppTest : public ::testing::Test {
protected:
    std::size_t PostsToFrame(const MessageSpy& spy, std::uint32_t id) {
        return spy.Of(SpiedMessage::Kind::Posted, h.Frame().Handle(), id).size();
    }
    std::size_t SendsToFrame(const MessageSpy& spy, std::uint32_t id) {
        return spy.Of(SpiedMessage::Kind::Sent, h.Frame().Handle(), id).size();
    }
    ShellHarness h;
};

// ----- the saved work-area list -----

TEST_F(COrveloAppTest, NothingSavedOpensWorkArea1Only) {
    MessageSpy spy;
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.WorkAreaTitles(), QStringList{QStringLiteral("Work Area 1")});
    EXPECT_EQ(h.App().WorkAreaIdSlots(), (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(PostsToFrame(spy, platform::UM_CLOCK_TIME_WINDOW_VIEW), 0u);
    EXPECT_EQ(SendsToFrame(spy, platform::UM_MDI_CHILD_ACTIVATE), 0u);
    EXPECT_EQ(h.App().OpenWorkAreaCount(), 1);
    EXPECT_EQ(h.Frame().windowTitle(), QStringLiteral("Varnek Orvelo"));
}

TEST_F(COrveloAppTest, Saved101ReopensWorkAreas1And3AndNextTakesSlot2) {
    h.PutWorkAreaList(2, 3, QStringLiteral("101"));
    MessageSpy spy;
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.WorkAreaTitles(), (QStringList{QStringLiteral("Work Area 1"), QStringLiteral("Work Area 3")}));
    EXPECT_EQ(h.App().WorkAreaIdSlots(), (std::vector<std::uint32_t>{1, 0, 1}));
    EXPECT_EQ(SendsToFrame(spy, platform::UM_MDI_CHILD_ACTIVATE), 1u);
    EXPECT_EQ(PostsToFrame(spy, platform::UM_CLOCK_TIME_WINDOW_VIEW), 0u);
    EXPECT_EQ(h.Frame().ActiveWorkArea(), h.WorkArea(1));  // the first of the list
    h.App().OnFileNew();
    EXPECT_EQ(h.WorkAreaTitles().last(), QStringLiteral("Work Area 2"));
    EXPECT_EQ(h.App().WorkAreaIdSlots(), (std::vector<std::uint32_t>{1, 1, 1}));
}

TEST_F(COrveloAppTest, SavedSingleWorkAreaRestoresNothingAndAsksForTheLoggingTimeWindow) {
    h.PutWorkAreaList(1, 1, QStringLiteral("1"));
    MessageSpy spy;
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.WorkAreaTitles(), QStringList{QStringLiteral("Work Area 1")});
    EXPECT_EQ(PostsToFrame(spy, platform::UM_CLOCK_TIME_WINDOW_VIEW), 1u);
    EXPECT_EQ(h.App().WorkAreaIdSlots(), (std::vector<std::uint32_t>{1}));
}

TEST_F(COrveloAppTest, SavedListWithoutAnOpenSlotStillOpensOneWorkArea) {
    h.PutWorkAreaList(2, 2, QStringLiteral("00"));
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.WorkAreaTitles(), QStringList{QStringLiteral("Work Area 1")});
    EXPECT_EQ(h.App().WorkAreaIdSlots(), (std::vector<std::uint32_t>{1}));
}

TEST_F(COrveloAppTest, NonDigitInTheSavedListIsAFreeSlot) {
    h.PutWorkAreaList(2, 3, QStringLiteral("1x1"));
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.WorkAreaTitles(), (QStringList{QStringLiteral("Work Area 1"), QStringLiteral("Work Area 3")}));
}

TEST_F(COrveloAppTest, IncompleteSavedListCountsAsNothingSaved) {
    SettingsStore& store = h.Settings().Store();
    store.CreateSettingsKeys();
    const std::uint32_t two = 2;
    store.RegWriteDword(settings::SubKeyPath(settings::kWindowViewInfo), settings::kWorkAreaNum, &two);
    MessageSpy spy;
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.WorkAreaTitles(), QStringList{QStringLiteral("Work Area 1")});
    EXPECT_EQ(PostsToFrame(spy, platform::UM_CLOCK_TIME_WINDOW_VIEW), 1u);
}

TEST_F(COrveloAppTest, OnlyTheFirstNewWorkAreaOfARunRestores) {
    h.PutWorkAreaList(2, 3, QStringLiteral("101"));
    ASSERT_TRUE(h.Start());
    h.App().OnFileNew();
    h.App().OnFileNew();
    EXPECT_EQ(h.WorkAreaTitles(), (QStringList{QStringLiteral("Work Area 1"), QStringLiteral("Work Area 3"),
                                               QStringLiteral("Work Area 2"), QStringLiteral("Work Area 4")}));
}

// ----- slots -----

TEST_F(COrveloAppTest, ClosedWorkAreaSlotIsReusedAndAllClosedStartsOver) {
    ASSERT_TRUE(h.Start());
    h.App().OnFileNew();
    h.App().OnFileNew();
    h.WorkArea(2)->close();
    h.Drain();
    EXPECT_EQ(h.App().WorkAreaIdSlots(), (std::vector<std::uint32_t>{1, 0, 1}));
    EXPECT_EQ(h.App().OpenWorkAreaCount(), 2);
    h.App().OnFileNew();
    EXPECT_EQ(h.WorkAreaTitles().last(), QStringLiteral("Work Area 2"));
    for (CChildFrame* frame : h.WorkAreas())
        frame->close();
    h.Drain();
    EXPECT_TRUE(h.App().WorkAreaIdSlots().empty());
    EXPECT_EQ(h.App().OpenWorkAreaCount(), 0);
    EXPECT_EQ(h.Frame().ActiveWorkArea(), nullptr);
    h.App().OnFileNew();
    EXPECT_EQ(h.WorkAreaTitles(), QStringList{QStringLiteral("Work Area 1")});
}

TEST_F(COrveloAppTest, RemoveWorkAreaWindowResults) {
    ASSERT_TRUE(h.Start());
    CChildFrame* first = h.WorkAreas().front();
    EXPECT_EQ(h.App().RemoveWorkAreaWindow(reinterpret_cast<CChildFrame*>(&h)), -1);
    EXPECT_EQ(h.App().RemoveWorkAreaWindow(first), 0);
    EXPECT_EQ(h.App().RemoveWorkAreaWindow(first), 0);  // empty list
    h.App().WorkAreaWindowList().push_back(first);     // put back for the teardown
}

TEST_F(COrveloAppTest, WorkAreaListWritesTheStatStringOnlyWhenThereIsOne) {
    ASSERT_TRUE(h.Start());
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    SettingsStore& store = h.Settings().Store();
    store.RegDeleteValues(key, QString());
    h.App().WorkAreaIdSlots().clear();
    EXPECT_EQ(h.App().WorkAreaListSetting(1), 0);
    QString stat;
    EXPECT_NE(store.RegReadString(key, settings::kWorkAreaStat, &stat), 0);
    h.App().WorkAreaIdSlots() = {1, 0, 1};
    EXPECT_EQ(h.App().BuildWorkAreaStatString(), QStringLiteral("101"));
    EXPECT_EQ(h.App().WorkAreaListSetting(1), 0);
    EXPECT_EQ(store.RegReadString(key, settings::kWorkAreaStat, &stat), 0);
    EXPECT_EQ(stat, QStringLiteral("101"));
    h.App().WorkAreaIdSlots() = {1};
}

// ----- idle rule -----

TEST_F(COrveloAppTest, IdleWaitsForTwoPanesThenSkipsOneCycle) {
    ASSERT_TRUE(h.Start());
    for (int panes : {0, 1}) {
        h.Frame().SetDockingPaneCounter(panes);
        EXPECT_TRUE(h.App().OnIdle(0));
        EXPECT_TRUE(h.App().OnIdle(0));
        EXPECT_EQ(h.Frame().DockingPaneCounter(), panes);
    }
    h.Frame().SetDockingPaneCounter(2);
    EXPECT_FALSE(h.App().OnIdle(0));
    EXPECT_EQ(h.Frame().DockingPaneCounter(), 3);
    EXPECT_TRUE(h.App().OnIdle(0));
    EXPECT_FALSE(h.App().OnIdle(1));
}

TEST_F(COrveloAppTest, PanesReportTheirFirstActivationOnce) {
    ASSERT_TRUE(h.Start());
    h.Frame().show();
    h.Drain();
    const int counted = h.Frame().DockingPaneCounter();
    EXPECT_GE(counted, 2);  // the tabbed pane behind the lap list is not shown yet
    h.Frame().SegmentListDock()->raise();
    h.Frame().LapListDock()->raise();
    h.Drain();
    EXPECT_LE(h.Frame().DockingPaneCounter(), 3);
}

// ----- open and close commands -----

TEST_F(COrveloAppTest, CancelledOpenPurgesTheUnloadedEntries) {
    ASSERT_TRUE(h.Start());
    orvelo::FileListEntry entry;
    entry.fullPath = u"/nowhere/a.dat";
    orvelo::EditLogFileList(h.Core(), orvelo::kFileListAdd, entry);
    platform::ModalDialogScript dialogs;
    dialogs.QueueResult(QDialog::Rejected);
    h.App().m_filesChosen = 3;
    h.App().OnFileOpen();
    EXPECT_TRUE(h.Core().ReadLogFileList.empty());
    EXPECT_EQ(h.App().m_filesChosen, 0);
    EXPECT_TRUE(h.Boxes().Shown().empty());
}

TEST_F(COrveloAppTest, OpenReportsSuccessOrFailureWithItsOwnTexts) {
    ASSERT_TRUE(h.Start());
    platform::ModalDialogScript dialogs;
    dialogs.Queue([this](QDialog&) {
        h.App().m_filesChosen = 1;
        h.App().m_readError = false;
        return int(QDialog::Accepted);
    });
    dialogs.Queue([this](QDialog&) {
        h.App().m_filesChosen = 1;
        h.App().m_readError = true;
        return int(QDialog::Accepted);
    });
    h.App().OnFileOpen();
    h.App().OnMapOpen();
    ASSERT_EQ(h.Boxes().Shown().size(), 2u);
    EXPECT_EQ(h.Boxes().Shown()[0].text, QStringLiteral("OK , finish read log-file"));
    EXPECT_EQ(h.Boxes().Shown()[0].caption, QStringLiteral("OK"));
    EXPECT_EQ(h.Boxes().Shown()[0].flags, unsigned(platform::kMbIconInformation));
    EXPECT_EQ(h.Boxes().Shown()[1].text, QStringLiteral("ERROR , failed read Map-file"));
    EXPECT_EQ(h.Boxes().Shown()[1].flags, unsigned(platform::kMbIconError));
    EXPECT_EQ(dialogs.Shown()[0].objectName, QStringLiteral("SelectFileDialog"));
}

TEST_F(COrveloAppTest, AboutBoxShowsTheVersion) {
    ASSERT_TRUE(h.Start());
    platform::ModalDialogScript dialogs;
    QString shownVersion;
    dialogs.Queue([&](QDialog& dialog) {
        shownVersion = static_cast<AboutBox&>(dialog).VersionText();
        return int(QDialog::Accepted);
    });
    h.App().OnAppAbout();
    EXPECT_EQ(shownVersion, QStringLiteral("Version %1").arg(QCoreApplication::applicationVersion()));
}

TEST_F(COrveloAppTest, DesktopFolderFromHomeDriveAndPathOnlyWhenBothAreSet) {
    qputenv("HOMEDRIVE", "/mnt/c");
    qputenv("HOMEPATH", "/Users/driver");
    EXPECT_EQ(COrveloApp::GetDesktopPath(), QStringLiteral("/mnt/c/Users/driver/Desktop"));
    qunsetenv("HOMEPATH");
    EXPECT_FALSE(COrveloApp::GetDesktopPath().isEmpty());
    EXPECT_NE(COrveloApp::GetDesktopPath(), QStringLiteral("/mnt/c/Desktop"));
    qunsetenv("HOMEDRIVE");
}

// ----- one instance, two processes -----

TEST(COrveloAppInstanceTest, SecondProcessWarnsAsksTheFirstToTheFrontAndEnds) {
    QTemporaryDir folder;
    platform::SingleInstance first(QStringLiteral("Varnek Orvelo"), folder.path());
    ASSERT_TRUE(COrveloApp::CheckSingleInstance(first));
    ASSERT_TRUE(first.Listen());
    int raised = 0;
    QObject::connect(&first, &platform::SingleInstance::ActivationRequested, [&] { ++raised; });

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVELO_INSTANCE_CHILD"), folder.path());
    second.setProcessEnvironment(env);
    second.start(QCoreApplication::applicationFilePath(), {});
    ASSERT_TRUE(second.waitForStarted(10000));
    QElapsedTimer clock;
    clock.start();
    while (second.state() != QProcess::NotRunning && clock.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        second.waitForFinished(10);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(second.readAllStandardOutput()).trimmed(),
              QStringLiteral("WARN.|There is already this app."));
    EXPECT_EQ(raised, 1);
}

}  // namespace
