// Saving a lap as a course-map file through the main frame: the proposed
// folder and name, success, Cancel, and a write that fails.
#include "ShellHarness.h"

#include "platform/SaveFileDialog.h"
#include "platform/UserMessages.h"
#include "shell/CourseMapSaver.h"

#include "core/FileLists.h"
#include "core/PathSplit.h"
#include "tools/SampleSession.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class CourseMapSaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.Start());
        logPath = folder.filePath(QStringLiteral("session.dat"));
        samplegen::SessionOptions options;
        options.laps = 3;
        ASSERT_TRUE(samplegen::WriteBytes(logPath.toStdString(), samplegen::GenerateSession(options).bytes));
        orvelo::FileListEntry entry;
        entry.fullPath = logPath.toStdU16String();
        entry.listText = orvelo::GetFolderPart(entry.fullPath);
        orvelo::EditLogFileList(h.Core(), orvelo::kFileListAdd, entry);
        ASSERT_EQ(orvelo::LoadPendingLogFiles(h.Core(), 3), 0);
        MapInfoBlock::Put(course.path.data(), MapInfoBlock::kPathChars, entry.fullPath);
        MapInfoBlock::Put(course.shortText.data(), MapInfoBlock::kShortTextChars, u"2");
        MapInfoBlock::Put(course.courseName.data(), MapInfoBlock::kCourseNameChars, u"Kart track");
    }
    LResult Register(int nameMode, const MapInfoBlock* block) {
        return SendMessage(h.Frame().Handle(), UM_REGIST_COURSE_MAP, static_cast<WParam>(nameMode),
                           reinterpret_cast<LParam>(block));
    }
    QString LastBoxText() { return h.Boxes().Shown().empty() ? QString() : h.Boxes().Shown().back().text; }

    ShellHarness h;
    QTemporaryDir folder;
    QString logPath;
    MapInfoBlock course;
    SaveFileScript chooser;
};

TEST_F(CourseMapSaverTest, WrittenFileIsRememberedWithItsFolder) {
    const QString target = folder.filePath(QStringLiteral("maps/track.dat"));
    QDir(folder.path()).mkpath(QStringLiteral("maps"));
    chooser.QueuePath(target);
    EXPECT_EQ(Register(1, &course), 1);
    EXPECT_TRUE(QFileInfo(target).isFile());
    EXPECT_EQ(QFileInfo(target).size() % 64, 0);
    EXPECT_EQ(LastBoxText(), QStringLiteral("OK , finish write Map-file"));
    EXPECT_EQ(h.Boxes().Shown().back().flags, unsigned(kMbIconInformation));
    EXPECT_EQ(h.Frame().LastMapFile(), target);
    EXPECT_EQ(h.Frame().LastMapFolder(), folder.filePath(QStringLiteral("maps")));
    EXPECT_EQ(h.Settings().Profile().GetProfileString(QStringLiteral("Varnek_MapFile"),
                                                      QStringLiteral("Varnek_MapFile_search")),
              folder.filePath(QStringLiteral("maps")));
    // the request as the user sees it
    const SaveFileRequest& request = chooser.Requests().front();
    EXPECT_EQ(request.title, QStringLiteral("Save course data to map-file"));
    EXPECT_EQ(request.filter, QStringLiteral("Map File (*.dat)|*.dat|All files (*.*)|*.*||"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("dat"));
    EXPECT_EQ(request.initialPath, QStringLiteral("/nonexistent-desktop/Kart track"));
    // the next save starts where this one went, with the default name
    chooser.QueueCancel();
    EXPECT_EQ(Register(0, &course), 0);
    EXPECT_EQ(chooser.Requests().back().initialPath, folder.filePath(QStringLiteral("maps/default_map")));
}

TEST_F(CourseMapSaverTest, CancelSaysNothingAndTheStoredFolderIsUsedOnlyWhileItExists) {
    const auto start = [this](const QString& stored) {
        h.Settings().Profile().WriteProfileString(QStringLiteral("Varnek_MapFile"),
                                                  QStringLiteral("Varnek_MapFile_search"), stored);
        chooser.QueueCancel();
        EXPECT_EQ(Register(0, &course), 0);
        return chooser.Requests().back().initialPath;
    };
    EXPECT_EQ(start(QStringLiteral("NothingPath")), QStringLiteral("/nonexistent-desktop/default_map"));
    EXPECT_EQ(start(folder.path()), folder.filePath(QStringLiteral("default_map")));
    EXPECT_EQ(start(folder.filePath(QStringLiteral("gone"))), QStringLiteral("/nonexistent-desktop/default_map"));
    EXPECT_TRUE(h.Boxes().Shown().empty());
    EXPECT_TRUE(h.Frame().LastMapFile().isEmpty());
}

TEST_F(CourseMapSaverTest, FailedWriteTellsTheUserAndLeavesNoFile) {
    const QString target = folder.filePath(QStringLiteral("no-such-folder/track.dat"));
    chooser.QueuePath(target);
    EXPECT_EQ(Register(1, &course), 0);
    EXPECT_EQ(LastBoxText(), QStringLiteral("ERROR , failed write map-file"));
    EXPECT_EQ(h.Boxes().Shown().back().caption, QStringLiteral("OK"));
    EXPECT_EQ(h.Boxes().Shown().back().flags, unsigned(kMbIconError));
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_TRUE(h.Frame().LastMapFile().isEmpty());
}

TEST_F(CourseMapSaverTest, UnknownLapOrNoCourseDataIsNotWritten) {
    MapInfoBlock missing = course;
    MapInfoBlock::Put(missing.shortText.data(), MapInfoBlock::kShortTextChars, u"99");
    chooser.QueuePath(folder.filePath(QStringLiteral("x.dat")));
    EXPECT_EQ(Register(1, &missing), 0);
    EXPECT_EQ(LastBoxText(), QStringLiteral("ERROR , failed write map-file"));
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("x.dat"))));
    EXPECT_EQ(Register(1, nullptr), 0);
    EXPECT_EQ(LastBoxText(), QStringLiteral("Warn , cannot create map-file"));
    EXPECT_EQ(chooser.Requests().size(), 1u);  // no chooser without data
}

}  // namespace
