// The program's own windows started, used and closed the way the executable does, on a settings
// file that a start leaves alone unless it changed something.
#include "ProgramHarness.h"

#include "platform/MessageBox.h"
#include "platform/RegistryFileBackend.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include <sys/stat.h>

TEST(ProgramStartTest, StartsWithOneWorkAreaAndSavesItAtClose) {
    platform::RegistryTree saved;
    {
        ProgramHarness program;
        ASSERT_TRUE(program.Start());
        EXPECT_EQ(program.WorkAreaTitles(), QStringList{QStringLiteral("Work Area 1")});
        program.Close();
        saved = program.Saved();
    }
    ProgramHarness again(saved);
    ASSERT_TRUE(again.Start());
    EXPECT_EQ(again.WorkAreaTitles(), QStringList{QStringLiteral("Work Area 1")});
}

namespace {

// The user's settings file, counting the saves that reach it.
class CountedFileBackend : public platform::RegistryFileBackend {
public:
    CountedFileBackend(QString folder, int* saves) : RegistryFileBackend(std::move(folder)), m_saves(saves) {}
    bool Save(const platform::RegistryTree& tree) override {
        ++*m_saves;
        return RegistryFileBackend::Save(tree);
    }

private:
    int* m_saves;
};

// The file's inode and last change.
std::pair<ino_t, std::int64_t> FileStamp(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {0, -1};
    return {info.st_ino, info.st_mtim.tv_sec * std::int64_t{1000000000} + info.st_mtim.tv_nsec};
}

// Starts the program on the folder's settings file as main() does; the saves of the start, the
// file's stamp once started, then the saves of the close.
struct StartOnFile {
    int startSaves = 0;
    std::pair<ino_t, std::int64_t> started;
    int closeSaves = 0;
};

StartOnFile StartAndClose(const QString& folder) {
    StartOnFile run;
    int saves = 0;
    platform::MessageBoxRecorder boxes;
    AppSettings settings(std::make_unique<CountedFileBackend>(folder, &saves));
    orvelo::LapDataCore core;
    ProgramWindowFactory factory(settings, core);
    COrveloApp app(settings, core, factory);
    EXPECT_TRUE(app.InitInstance(nullptr));
    app.SetDesktopFolder(QStringLiteral("/nonexistent-desktop"));
    ShellHarness::Drain();
    run.startSaves = saves;
    run.started = FileStamp(folder + QStringLiteral("/user.reg"));
    app.MainFrame()->close();
    ShellHarness::Drain();
    run.closeSaves = saves - run.startSaves;
    return run;
}

}  // namespace

TEST(ProgramStartTest, AStartWritesTheSettingsFileOnlyWhenItChangedSomething) {
    const QTemporaryDir folder;
    const QString file = folder.path() + QStringLiteral("/user.reg");
    EXPECT_EQ(StartAndClose(folder.path()).startSaves, 1) << "the first start makes the keys, in one save";
    const std::pair<ino_t, std::int64_t> closed = FileStamp(file);

    const StartOnFile unchanged = StartAndClose(folder.path());
    EXPECT_EQ(unchanged.startSaves, 0);
    EXPECT_EQ(unchanged.started, closed) << "inode and modification time";
    EXPECT_EQ(unchanged.closeSaves, 0) << "the close changed nothing either";

    // A value start-up writes, gone from the file: the start puts it back, once.
    QFile reg(file);
    ASSERT_TRUE(reg.open(QIODevice::ReadOnly));
    QByteArray text = reg.readAll();
    reg.close();
    const qsizetype look = text.indexOf("\"ApplicationLook\"");
    ASSERT_GE(look, 0);
    text.remove(look, text.indexOf('\n', look) + 1 - look);
    ASSERT_TRUE(reg.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(reg.write(text), text.size());
    reg.close();
    const StartOnFile changed = StartAndClose(folder.path());
    EXPECT_EQ(changed.startSaves, 1);
    reg.open(QIODevice::ReadOnly);
    EXPECT_TRUE(reg.readAll().contains("\"ApplicationLook\"=dword:000000d6"));
}
