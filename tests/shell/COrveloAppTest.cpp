// Start-up of the application: which work areas the first New Work Area of a
// run reopens from the saved list, slot reuse, the idle rule, a cancelled
// open, and the single instance across real processes.
#include "ShellHarness.h"

#include "EndedProcess.h"

#include "platform/MessageSpy.h"
#include "platform/ModalDialog.h"
#include "platform/SingleInstance.h"
#include "platform/UserMessages.h"
#include "settings/ShellWindowFactory.h"

#include "core/FileLists.h"

#include <QDialog>
#include <QDockWidget>
#include <QFile>
#include <QTest>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::MessageSpy;
using platform::SpiedMessage;

namespace {

class COrveloAppTest : public ::testing::Test {
protected:
    ShellHarness h;
};

QStringList Titles(std::initializer_list<int> numbers) {
    QStringList titles;
    for (int n : numbers)
        titles << QStringLiteral("Work Area %1").arg(n);
    return titles;
}

// ----- the saved work-area list -----

TEST(COrveloAppStartTest, TheFirstNewWorkAreaOfARunReopensTheSavedList) {
    enum Planted { kNothing, kNumOnly, kAll };
    const struct {
        Planted planted;
        std::uint32_t num, idMax;
        const char* stat;
        QStringList opened;
        std::vector<std::uint32_t> idSlots;
        std::size_t activates, clockRequests;
        QStringList afterTwoNew;
    } rows[] = {
        {kNothing, 0, 0, "", Titles({1}), {1}, 0, 0, Titles({1, 2, 3})},
        // whatever was saved, the logging-time window is asked for once
        {kAll, 2, 3, "101", Titles({1, 3}), {1, 0, 1}, 1, 1, Titles({1, 3, 2, 4})},
        {kAll, 2, 3, "1x1", Titles({1, 3}), {1, 0, 1}, 1, 1, Titles({1, 3, 2, 4})},  // a non-digit is a free slot
        {kAll, 1, 1, "1", Titles({1}), {1}, 0, 1, Titles({1, 2, 3})},
        {kAll, 2, 2, "00", Titles({1}), {1}, 0, 1, Titles({1, 2, 3})},  // no open slot: as if nothing was saved
        {kNumOnly, 2, 0, "", Titles({1}), {1}, 0, 1, Titles({1, 2, 3})},  // incomplete values
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stat);
        ShellHarness h;
        SettingsStore& store = h.Settings().Store();  // as an earlier run left it
        const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
        if (row.planted != kNothing && store.CreateSettingsKeys() == 0)
            store.RegWriteDword(key, settings::kWorkAreaNum, &row.num);
        if (row.planted == kAll) {
            store.RegWriteDword(key, settings::kWorkAreaIdMax, &row.idMax);
            store.RegWriteString(key, settings::kWorkAreaStat, QString::fromLatin1(row.stat));
        }
        MessageSpy spy;
        ASSERT_TRUE(h.Start());
        EXPECT_EQ(h.WorkAreaTitles(), row.opened);
        EXPECT_EQ(h.App().WorkAreaIdSlots(), row.idSlots);
        EXPECT_EQ(h.App().OpenWorkAreaCount(), row.opened.size());
        EXPECT_EQ(spy.Of(SpiedMessage::Kind::Sent, h.Frame().Handle(), platform::UM_MDI_CHILD_ACTIVATE).size(),
                  row.activates);
        EXPECT_EQ(spy.Of(SpiedMessage::Kind::Posted, h.Frame().Handle(), platform::UM_CLOCK_TIME_WINDOW_VIEW).size(),
                  row.clockRequests);
        EXPECT_EQ(h.Frame().ActiveWorkArea(), h.WorkArea(1));  // the first of the list
        h.App().OnFileNew();
        h.App().OnFileNew();
        EXPECT_EQ(h.WorkAreaTitles(), row.afterTwoNew);
    }
}

TEST_F(COrveloAppTest, ClosedWorkAreaSlotIsReusedAndAllClosedStartsOver) {
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.Frame().windowTitle(), QStringLiteral("Varnek Orvelo"));
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
    EXPECT_EQ(h.WorkAreaTitles(), Titles({1}));
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
    EXPECT_EQ(platform::SendMessage(h.Frame().Handle(), platform::UM_DOCKING_PANEL_CREATED, 0, 0), 1);  // counted
    EXPECT_EQ(h.Frame().DockingPaneCounter(), 2);
    EXPECT_FALSE(h.App().OnIdle(0));
    EXPECT_EQ(h.Frame().DockingPaneCounter(), 3);
    EXPECT_TRUE(h.WorkArea(1)->Document().JustCreated());
    EXPECT_TRUE(h.App().OnIdle(0));
    EXPECT_FALSE(h.WorkArea(1)->Document().JustCreated());  // the document's idle hook ran
    EXPECT_FALSE(h.App().OnIdle(1));
}

// A factory that can make none of the windows asked of it.
class NoWindowFactory : public testsupport::ShellTestWindowFactory {
public:
    PropertiesPane* CreatePropertiesPane(QWidget*, platform::WindowHandle) override { return nullptr; }
    SegmentListPane* CreateSegmentListPane(QWidget*, platform::WindowHandle) override { return nullptr; }
    YScaleWindow* CreateYScaleWindow(QWidget*, platform::WindowHandle) override { return nullptr; }
    GraphWindow* CreateGraphWindow(QWidget*, platform::WindowHandle, int, int, int, bool) override { return nullptr; }
};

TEST(COrveloAppStartTest, AWindowThatCannotBeMadeLeavesItsPlaceEmptyAndTheRestRuns) {
    ShellHarness h({}, [](AppSettings&, orvelo::LapDataCore&) { return std::make_unique<NoWindowFactory>(); });
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.Frame().PropertiesDock()->widget(), nullptr);
    EXPECT_TRUE(h.Frame().LapListDock()->isVisible());
    COrveloView& view = *h.WorkArea(1)->View();
    view.OnLapOverviewGraph();
    view.OnFileOverviewGraph();
    EXPECT_EQ(GraphKinds(view), "");
    platform::PostMessage(h.Frame().Handle(), platform::UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 0x7001, 0x7002);
    platform::PostMessage(h.Frame().Handle(), platform::UM_REDRAW_LAP_GRAPH, 0, 0);
    ShellHarness::Drain();
    EXPECT_EQ(h.Frame().YScaleDialog(), nullptr);
    platform::ModalDialogScript dialogs;
    h.Frame().OnAnalysisSetup();
    h.Close();
    EXPECT_TRUE(h.Saved().Value(settings::SubKeyPath(settings::kWindowViewInfo), QStringLiteral("WorkArea_Prop_1")));
}

// ----- open and close commands -----

// Saves that fail at start, on a new work area and at close: the user hears of it once.
TEST_F(COrveloAppTest, SettingsThatCannotBeSavedAreReportedOnce) {
    h.Backend().SetFailSaves(true);
    ASSERT_TRUE(h.Start());
    h.App().OnFileNew();
    h.Close();
    ASSERT_EQ(h.Boxes().Shown().size(), 1u);
    const platform::ShownMessage& shown = h.Boxes().Shown().front();
    EXPECT_EQ(shown.text, QStringLiteral("Warning , failed save settings.\n"
                                         "The settings of this session will not be kept.\n\n") +
                              h.Backend().SaveError());
    EXPECT_EQ(shown.caption, QStringLiteral("WARN"));
    EXPECT_EQ(shown.flags, platform::kMbIconWarning);
}

TEST_F(COrveloAppTest, CancelledOpenPurgesTheUnloadedEntries) {
    ASSERT_TRUE(h.Start());
    orvelo::FileListEntry entry;
    entry.fullPath = u"/nowhere/a.dat";
    orvelo::EditLogFileList(h.Core(), orvelo::kFileListAdd, entry);
    platform::ModalDialogScript dialogs;
    dialogs.QueueResult(QDialog::Rejected);
    h.App().OnFileOpen();
    EXPECT_TRUE(h.Core().ReadLogFileList.empty());
    EXPECT_TRUE(h.Boxes().Shown().empty());
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

TEST_F(COrveloAppTest, StartRemovesLeftoversOfKilledCourseMapSavesFromTheLastMapFolder) {
    QTemporaryDir folder;
    const QString leftover = folder.filePath(QStringLiteral("course.dat.tmp-%1-0").arg(EndedProcessId()));
    const QString course = folder.filePath(QStringLiteral("course.dat"));
    for (const QString& path : {leftover, course}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    h.Settings().Profile().WriteProfileString(settings::kMapFileSection, settings::kMapFileEntry, folder.path());
    ASSERT_TRUE(h.Start());
    // Once the first picture is painted.
    for (int i = 0; i < 200 && QFile::exists(leftover); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(QFile::exists(leftover));
    EXPECT_TRUE(QFile::exists(course));
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
    // the first answers while this process handles its events
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning && raised > 0; }, 60000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(second.readAllStandardOutput()).trimmed(),
              QStringLiteral("WARN.|There is already this app."));
    EXPECT_EQ(raised, 1);
}

}  // namespace
