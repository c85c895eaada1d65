// The user's settings file: values survive a restart byte for byte, a save
// that breaks off or cannot be written leaves the previous file whole, and a
// damaged file is kept aside, reported once, and replaced by an empty hive.
#include "platform/MessageBox.h"
#include "platform/RegFileFormat.h"
#include "platform/Registry.h"
#include "platform/RegistryFileBackend.h"

#include "EndedProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::Registry;
using platform::RegistryFileBackend;
using platform::RegistryValue;

namespace {

const QString kKey = QStringLiteral("Software\\Varnek_Orvelo\\AppData\\ver1.0\\Window_View_Info");

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class RegistryFileBackendTest : public ::testing::Test {
protected:
    QString Folder() const { return m_dir.path() + QStringLiteral("/varnek-orvelo"); }
    QString FilePath() const { return Folder() + QStringLiteral("/user.reg"); }
    QStringList FolderEntries() const { return QDir(Folder()).entryList(QDir::Files | QDir::Hidden); }
    QStringList KeptContents() const {
        QStringList kept;
        for (const QString& entry : FolderEntries().filter(QStringLiteral("user.reg.unreadable-")))
            kept.append(QString::fromUtf8(ReadFile(Folder() + QChar('/') + entry)));
        kept.sort();
        return kept;
    }

    // A start of the program: m_backend is the new registry's backend.
    std::unique_ptr<Registry> Open() {
        auto backend = std::make_unique<RegistryFileBackend>(Folder());
        m_backend = backend.get();
        return std::make_unique<Registry>(std::move(backend));
    }

    QTemporaryDir m_dir;
    RegistryFileBackend* m_backend = nullptr;
};

TEST_F(RegistryFileBackendTest, ValuesSurviveARestartAndReadingCreatesNothing) {
    platform::MessageBoxRecorder boxes;
    QByteArray allBytes;
    for (int i = 0; i < 256; ++i)
        allBytes.append(static_cast<char>(255 - i));
    const RegistryValue text{platform::kRegSz, QByteArray("\x31\0\xe9\0\"\0\\\0", 8)};
    {
        auto registry = Open();
        EXPECT_EQ(registry->Tree().KeyCount(), 0);
        EXPECT_FALSE(QFile::exists(FilePath()));
        ASSERT_TRUE(registry->CreateKey(kKey));
        ASSERT_TRUE(registry->SetValue(kKey, QStringLiteral("Bytes"), {platform::kRegBinary, allBytes}));
        ASSERT_TRUE(registry->SetValue(kKey, QStringLiteral("\u00c4 \"\\"), text));
    }
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("user.reg")}) << "no temporary left";
    auto reopened = Open();
    EXPECT_EQ(reopened->QueryValue(kKey, QStringLiteral("Bytes"))->data, allBytes);
    EXPECT_EQ(reopened->QueryValue(kKey, QStringLiteral("\u00c4 \"\\")), text);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(RegistryFileBackendTest, ASaveThatBreaksOffLeavesTheOldFileWhole) {
    auto registry = Open();
    ASSERT_TRUE(registry->CreateKey(kKey));
    ASSERT_TRUE(registry->SetValue(kKey, QStringLiteral("A"), {platform::kRegBinary, QByteArray(500, 'a')}));
    const QByteArray before = ReadFile(FilePath());

    m_backend->SetBeforeReplaceHook([] { return false; });
    EXPECT_FALSE(registry->SetValue(kKey, QStringLiteral("B"), {platform::kRegBinary, QByteArray(500, 'b')}));
    EXPECT_FALSE(registry->DeleteValue(kKey, QStringLiteral("A")));
    EXPECT_EQ(ReadFile(FilePath()), before);
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("user.reg")});
    EXPECT_FALSE(registry->QueryValue(kKey, QStringLiteral("B")));

    m_backend->SetBeforeReplaceHook({});
    EXPECT_TRUE(registry->SetValue(kKey, QStringLiteral("B"), {platform::kRegBinary, QByteArray(1, 'b')}));
    EXPECT_NE(ReadFile(FilePath()), before);
}

TEST_F(RegistryFileBackendTest, AnUnwritableFolderFailsTheCall) {
    // A plain file where the folder should be: nothing can be created there.
    WriteFile(m_dir.path() + QStringLiteral("/blocked"), "x");
    Registry registry(std::make_unique<RegistryFileBackend>(m_dir.path() + QStringLiteral("/blocked")));
    EXPECT_FALSE(registry.CreateKey(kKey));
    EXPECT_FALSE(registry.KeyExists(kKey));
    EXPECT_EQ(ReadFile(m_dir.path() + QStringLiteral("/blocked")), QByteArray("x"));
}

TEST_F(RegistryFileBackendTest, ADamagedFileIsKeptAsideAndReportedOnce) {
    ASSERT_TRUE(QDir().mkpath(Folder()));
    const QByteArray damaged = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=hex:0g";
    WriteFile(FilePath(), damaged);
    platform::MessageBoxRecorder boxes;
    auto registry = Open();
    EXPECT_EQ(registry->Tree().KeyCount(), 0);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    const platform::ShownMessage& shown = boxes.Shown().front();
    EXPECT_EQ(shown.flags, platform::kMbOk | platform::kMbIconWarning);
    for (const QString& part : {QStringLiteral("user.reg"), QStringLiteral("line 4"),
                                QStringLiteral("default settings"), FolderEntries().value(0)})
        EXPECT_TRUE(shown.text.contains(part)) << part.toStdString();
    EXPECT_EQ(KeptContents(), QStringList{QString::fromUtf8(damaged)});
    EXPECT_EQ(FolderEntries().size(), 1);

    Open();
    EXPECT_EQ(boxes.Shown().size(), 1u) << "the next start finds no damaged file";
    ASSERT_TRUE(registry->CreateKey(kKey));
    EXPECT_EQ(FolderEntries().size(), 2) << "new settings go to a fresh file; the kept one stays";
    WriteFile(FilePath(), "second");
    Open();
    EXPECT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(KeptContents(), (QStringList{QString::fromUtf8(damaged), QStringLiteral("second")}))
        << "a second damaged file does not replace the first kept one";
}

// A pipe, a device or a folder in the file's place, a file larger than settings can be, key paths
// deeper than the registry allows: each is kept aside and reported, at once and without reading it.
TEST_F(RegistryFileBackendTest, WhatIsNoSettingsFileIsKeptAsideWithoutWaitingOnIt) {
    const QByteArray deepPath = "[HKEY_CURRENT_USER" + QByteArray("\\a").repeated(40000) + "]\n";
    struct Case {
        const char* what;
        std::function<void(const QByteArray& path)> make;
        QString reason;
    };
    const Case cases[] = {
        {"pipe", [](const QByteArray& path) { ASSERT_EQ(::mkfifo(path.constData(), 0600), 0); },
         QStringLiteral("not a regular file")},
        {"device", [](const QByteArray& path) { ASSERT_EQ(::symlink("/dev/zero", path.constData()), 0); },
         QStringLiteral("not a regular file")},
        {"folder", [](const QByteArray& path) { ASSERT_EQ(::mkdir(path.constData(), 0700), 0); },
         QStringLiteral("not a regular file")},
        {"too large",
         [](const QByteArray& path) {
             const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0600);
             ASSERT_EQ(::ftruncate(fd, platform::RegFileFormat::kMaxTextBytes + 1), 0);
             ::close(fd);
         },
         QStringLiteral("larger than settings can be")},
        {"too deep",
         [&](const QByteArray& path) {
             WriteFile(QFile::decodeName(path), "Windows Registry Editor Version 5.00\n\n" + deepPath);
         },
         QStringLiteral("line 3: not a usable key path")},
    };
    platform::MessageBoxRecorder boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(Folder()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(Folder()));
        const QByteArray path = QFile::encodeName(FilePath());
        c.make(path);
        // A load that waited on the pipe would go on once something is written to it, and read that.
        std::promise<void> loaded;
        std::thread unblock([&path, done = loaded.get_future()] {
            if (done.wait_for(std::chrono::seconds(3)) == std::future_status::ready)
                return;
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0 && ::write(fd, "x", 1) == 1)
                ::close(fd);
        });
        boxes.Clear();
        auto registry = Open();
        loaded.set_value();
        unblock.join();
        EXPECT_EQ(registry->Tree().KeyCount(), 0);
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_TRUE(boxes.Shown().front().text.contains(c.reason)) << boxes.Shown().front().text.toStdString();
        const QStringList kept =
            QDir(Folder()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        EXPECT_EQ(kept.filter(QStringLiteral("user.reg.unreadable-")).size(), 1) << kept.join(' ').toStdString();
        EXPECT_FALSE(QFileInfo(FilePath()).exists() || QFileInfo(FilePath()).isSymLink());
        ASSERT_TRUE(registry->CreateKey(kKey));
        EXPECT_TRUE(QFileInfo(FilePath()).isFile());
    }
}

// The temporary file is synced before it replaces the file, the folder after; a failed sync, or a
// text larger than a start reads, leaves the old file as it was.
TEST_F(RegistryFileBackendTest, ASaveThatCannotBeReadBackReplacesNothing) {
    auto registry = Open();
    ASSERT_TRUE(registry->CreateKey(kKey));
    const QByteArray before = ReadFile(FilePath());
    QStringList synced;  // the name synced, and whether the file had been replaced by then
    m_backend->SetSync([&](int fd) {
        const auto name = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd)).filename();
        synced << QString::fromStdString(name.string()) + (ReadFile(FilePath()) == before ? " old" : " new");
        return ::fsync(fd);
    });
    ASSERT_TRUE(registry->SetValue(kKey, QStringLiteral("A"), {platform::kRegBinary, QByteArray(5, 'a')}));
    EXPECT_EQ(synced, (QStringList{QStringLiteral("user.reg.tmp-%1-0 old").arg(::getpid()),
                                   QStringLiteral("varnek-orvelo new")}));
    const QByteArray saved = ReadFile(FilePath());

    m_backend->SetSync([](int) {
        errno = EIO;
        return -1;
    });
    EXPECT_FALSE(registry->SetValue(kKey, QStringLiteral("B"), {platform::kRegBinary, QByteArray(5, 'b')}));
    EXPECT_TRUE(m_backend->SaveError().contains(QString::fromLocal8Bit(std::strerror(EIO))))
        << m_backend->SaveError().toStdString();
    m_backend->SetSync({});
    // Hex takes about three characters a byte.
    const QByteArray tooLarge(platform::RegFileFormat::kMaxTextBytes / 3, '\0');
    EXPECT_FALSE(registry->SetValue(kKey, QStringLiteral("C"), {platform::kRegBinary, tooLarge}));
    EXPECT_TRUE(m_backend->SaveError().contains(QStringLiteral("larger"))) << m_backend->SaveError().toStdString();
    EXPECT_EQ(ReadFile(FilePath()), saved);
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("user.reg")});
    EXPECT_EQ(registry->ValueCount(kKey), 1);
}

TEST_F(RegistryFileBackendTest, SavesGoThroughALinkKeepTheModeAndTheirLeftoversGoAtTheNextStart) {
    platform::MessageBoxRecorder boxes;
    // user.reg leads to a file elsewhere; temporary files live next to that file.
    const QString real = m_dir.path() + QStringLiteral("/real.reg");
    {
        auto registry = Open();
        ASSERT_TRUE(registry->CreateKey(kKey));
    }
    ASSERT_TRUE(QFile::rename(FilePath(), real));
    ASSERT_EQ(::symlink("../real.reg", QFile::encodeName(FilePath()).constData()), 0);
    const QFile::Permissions mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(real, mode));

    const QString ended = QString::number(EndedProcessId());
    const QString own = QString::number(::getpid());
    const QStringList leftovers = {QStringLiteral("real.reg.tmp-%1-0").arg(ended),
                                   QStringLiteral("real.reg.tmp-%1-3").arg(ended)};
    // A save still running, files we cannot tell from the user's own, another file's.
    const QStringList others = {QStringLiteral("real.reg.tmp-%1-0").arg(own), QStringLiteral("real.reg.backup"),
                                QStringLiteral("real.reg.XyzAbc"), QStringLiteral("other.reg.tmp-%1-0").arg(ended)};
    for (const QString& name : leftovers + others)
        WriteFile(m_dir.path() + QChar('/') + name, ReadFile(real));

    auto registry = Open();
    EXPECT_TRUE(registry->KeyExists(kKey));
    ASSERT_TRUE(registry->SetValue(kKey, QStringLiteral("A"), {platform::kRegBinary, QByteArray(3, 'a')}));
    EXPECT_TRUE(QFileInfo(FilePath()).isSymLink());
    EXPECT_EQ(QFile::permissions(real) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), mode);
    QStringList expected = others + QStringList{QStringLiteral("real.reg"), QStringLiteral("varnek-orvelo")};
    expected.sort();
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
              expected);
    for (const auto& shown : boxes.Shown())
        ADD_FAILURE() << shown.text.toStdString();
}

TEST(RegistryFileBackendFolderTest, FollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const QString home = QDir::homePath() + QStringLiteral("/.config/varnek-orvelo");
    qputenv("XDG_CONFIG_HOME", "/some/config");
    EXPECT_EQ(RegistryFileBackend::DefaultFolder(), QStringLiteral("/some/config/varnek-orvelo"));
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(RegistryFileBackend::DefaultFolder(), home);
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryFileBackend::DefaultFolder(), home);
    qputenv("XDG_CONFIG_HOME", saved);
}

}  // namespace
