// One instance per user, checked with real processes: this test binary
// starts itself again as the later instance.
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include <pwd.h>
#include <unistd.h>

using platform::SingleInstance;

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    // Runs the later instance while this process keeps its event loop going.
    int RunLaterInstance() {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORVELO_INSTANCE_CHILD"), folder.path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        EXPECT_TRUE(child.waitForStarted(10000));
        QElapsedTimer clock;
        clock.start();
        while (child.state() != QProcess::NotRunning && clock.elapsed() < 60000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            child.waitForFinished(10);
        }
        return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    }
    QTemporaryDir folder;
};

TEST_F(SingleInstanceTest, LaterProcessFindsTheLockAsksTheFirstToActivateAndGetsTheLockOnceItIsGone) {
    auto first = std::make_unique<SingleInstance>(QStringLiteral("Varnek Orvelo"), folder.path());
    ASSERT_TRUE(first->TryAcquire());
    EXPECT_EQ(RunLaterInstance(), 4) << "the lock is seen before the first one listens";
    ASSERT_TRUE(first->Listen());
    int requests = 0;
    QObject::connect(first.get(), &SingleInstance::ActivationRequested, [&] { ++requests; });
    EXPECT_EQ(RunLaterInstance(), 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(requests, 1);
    first.reset();
    EXPECT_EQ(RunLaterInstance(), 5);
}

TEST_F(SingleInstanceTest, LockLeftByADeadProcessIsTakenOver) {
    // A lock file naming a process that no longer runs.
    QProcess shortLived;
    shortLived.start(QStringLiteral("/bin/true"), {});
    ASSERT_TRUE(shortLived.waitForFinished(10000));
    const qint64 deadPid = shortLived.processId() ? shortLived.processId() : 999999;
    QFile lock(QDir(folder.path()).filePath(QStringLiteral("Varnek Orvelo.lock")));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\norvelo\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    SingleInstance next(QStringLiteral("Varnek Orvelo"), folder.path());
    EXPECT_TRUE(next.TryAcquire());
    EXPECT_TRUE(next.Listen());  // a stale socket file would not stop it either
}

TEST_F(SingleInstanceTest, WithoutARuntimeFolderAnotherUsersLockInTheSharedFolderKeepsNoOneOut) {
    // XDG_RUNTIME_DIR unset and Qt's per-user fallback a plain file: only the shared folder is left.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray temporary = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("TMPDIR", temporary);
    });
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(folder.path()));
    QFile fallback(folder.filePath(QStringLiteral("runtime-") + QString::fromLocal8Bit(getpwuid(geteuid())->pw_name)));
    ASSERT_TRUE(fallback.open(QIODevice::WriteOnly));
    QLockFile othersLock(QDir(folder.path()).filePath(QStringLiteral("Varnek Orvelo.lock")));
    ASSERT_TRUE(othersLock.tryLock(0));

    auto instance = std::make_unique<SingleInstance>(QStringLiteral("Varnek Orvelo"));
    const QString stem = QStringLiteral("Varnek Orvelo-%1").arg(geteuid());
    EXPECT_EQ(instance->LockPath(), QDir(folder.path()).filePath(stem + QStringLiteral(".lock")));
    EXPECT_EQ(instance->SocketPath(), QDir(folder.path()).filePath(stem + QStringLiteral(".socket")));
    EXPECT_TRUE(instance->TryAcquire());
    EXPECT_TRUE(instance->Listen());
    EXPECT_FALSE(SingleInstance(QStringLiteral("Varnek Orvelo")).TryAcquire()) << "the user's own lock still counts";
    instance.reset();
    EXPECT_TRUE(SingleInstance(QStringLiteral("Varnek Orvelo")).TryAcquire());
}

}  // namespace
