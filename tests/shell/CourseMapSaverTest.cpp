// Saving a lap as a course-map file through the main frame: the proposed
// folder and name, success, Cancel, and a write that fails.
#include "ShellHarness.h"
#include "LapListTestSupport.h"

#include "platform/SaveFileDialog.h"
#include "platform/UserMessages.h"
#include "shell/CourseMapSaver.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class CourseMapSaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.Start());
        const QString log = files.Write(QStringLiteral("session.dat"));
        ASSERT_EQ(testsupport::LoadLogs(h.Core(), {log}), 0);
        MapInfoBlock::Put(course.path.data(), MapInfoBlock::kPathChars, log.toStdU16String());
        MapInfoBlock::Put(course.shortText.data(), MapInfoBlock::kShortTextChars, u"2");
        MapInfoBlock::Put(course.courseName.data(), MapInfoBlock::kCourseNameChars, u"Kart track");
    }
    LResult Register(int nameMode, const MapInfoBlock* block) {
        return SendMessage(h.Frame().Handle(), UM_REGIST_COURSE_MAP, static_cast<WParam>(nameMode),
                           reinterpret_cast<LParam>(block));
    }
    QString StoredFolder() {
        return h.Settings().Profile().GetProfileString(QStringLiteral("Varnek_MapFile"),
                                                       QStringLiteral("Varnek_MapFile_search"));
    }

    ShellHarness h;
    testsupport::SessionDir files;
    MapInfoBlock course;
    SaveFileScript chooser;
};

TEST_F(CourseMapSaverTest, WrittenFileIsRememberedWithItsFolder) {
    const QString target = files.WriteBytes(QStringLiteral("maps/track.dat"), {});  // the folder exists
    chooser.QueuePath(target);
    EXPECT_EQ(Register(1, &course), 1);
    EXPECT_GT(QFileInfo(target).size(), 0);
    EXPECT_EQ(QFileInfo(target).size() % 64, 0);
    EXPECT_EQ(Boxes(h.Boxes()), QStringList{Box("OK", "OK , finish write Map-file", kMbIconInformation)});
    EXPECT_EQ(h.Frame().LastMapFile(), target);
    EXPECT_EQ(h.Frame().LastMapFolder(), files.Path(QStringLiteral("maps")));
    EXPECT_EQ(StoredFolder(), files.Path(QStringLiteral("maps")));
    // the request as the user sees it
    const SaveFileRequest& request = chooser.Requests().front();
    EXPECT_EQ(request.title, QStringLiteral("Save course data to map-file"));
    EXPECT_EQ(request.filter, QStringLiteral("Map File (*.dat)|*.dat|All files (*.*)|*.*||"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("dat"));
    EXPECT_EQ(request.initialPath, QStringLiteral("/nonexistent-desktop/Kart track"));
    // the next save starts where this one went, with the default name
    chooser.QueueCancel();
    EXPECT_EQ(Register(0, &course), 0);
    EXPECT_EQ(chooser.Requests().back().initialPath, files.Path(QStringLiteral("maps/default_map")));
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
    EXPECT_EQ(start(files.Root()), files.Path(QStringLiteral("default_map")));
    EXPECT_EQ(start(files.Path(QStringLiteral("gone"))), QStringLiteral("/nonexistent-desktop/default_map"));
    EXPECT_TRUE(h.Boxes().Shown().empty());
    EXPECT_TRUE(h.Frame().LastMapFile().isEmpty());
}

TEST_F(CourseMapSaverTest, FailedWriteUnknownLapOrNoDataLeaveNoFile) {
    const QString failed = Box("OK", "ERROR , failed write map-file", kMbIconError);
    chooser.QueuePath(files.Path(QStringLiteral("no-such-folder/track.dat")));
    EXPECT_EQ(Register(1, &course), 0);
    MapInfoBlock unknown = course;
    MapInfoBlock::Put(unknown.shortText.data(), MapInfoBlock::kShortTextChars, u"99");
    chooser.QueuePath(files.Path(QStringLiteral("x.dat")));
    EXPECT_EQ(Register(1, &unknown), 0);
    EXPECT_EQ(Register(1, nullptr), 0);
    EXPECT_EQ(chooser.Requests().size(), 2u);  // no chooser without data
    EXPECT_EQ(Boxes(h.Boxes()), (QStringList{failed, failed, Box("OK", "Warn , cannot create map-file", kMbOk)}));
    EXPECT_FALSE(QFileInfo::exists(files.Path(QStringLiteral("no-such-folder/track.dat"))));
    EXPECT_FALSE(QFileInfo::exists(files.Path(QStringLiteral("x.dat"))));
    EXPECT_TRUE(h.Frame().LastMapFile().isEmpty());

    // A path longer than a course block holds is refused before anything is written.
    const QString deep = QStringLiteral("%1/%1/%1").arg(QString(100, QLatin1Char('d')));
    const QString tooLong = files.WriteBytes(deep + QStringLiteral("/x"), {}).chopped(1) + QStringLiteral("track.dat");
    ASSERT_GE(tooLong.size(), static_cast<qsizetype>(MapInfoBlock::kPathChars));
    h.Boxes().Clear();
    chooser.QueuePath(tooLong);
    EXPECT_EQ(Register(1, &course), 0);
    EXPECT_EQ(Boxes(h.Boxes()), QStringList{Box(QStringLiteral("ERROR"), QStringLiteral("ERROR , the path of the map-file is too long.\n") + tooLong, kMbIconError)});
    EXPECT_FALSE(QFileInfo::exists(tooLong));
    EXPECT_TRUE(h.Frame().LastMapFile().isEmpty());
}

}  // namespace
