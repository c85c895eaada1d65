#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <utility>

#include <unistd.h>

namespace platform {

namespace {

const QByteArray kActivateRequest = "activate\n";
const QByteArray kActivateReply = "ok\n";

// The folder of lock and socket, and their name without the suffix.
std::pair<QString, QString> DefaultPlace(const QString& name) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return {runtime, name};
    // Shared by every user: another user's lock must not keep this one out.
    return {QDir::tempPath(), name + QStringLiteral("-%1").arg(::geteuid())};
}

}  // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder)
    : SingleInstance(folder.isEmpty() ? DefaultPlace(name) : std::pair(folder, name)) {}

SingleInstance::SingleInstance(std::pair<QString, QString> place)
    : m_folder(std::move(place.first)), m_stem(std::move(place.second)), m_lock(LockPath()) {
    m_lock.setStaleLockTime(0);  // a lock is stale only when its process is gone
}

SingleInstance::~SingleInstance() {
    if (m_server)
        m_server->close();
}

QString SingleInstance::LockPath() const { return QDir(m_folder).filePath(m_stem + QStringLiteral(".lock")); }

QString SingleInstance::SocketPath() const { return QDir(m_folder).filePath(m_stem + QStringLiteral(".socket")); }

bool SingleInstance::TryAcquire() {
    QDir().mkpath(m_folder);
    return m_lock.isLocked() || m_lock.tryLock(0);
}

bool SingleInstance::Listen() {
    if (!m_lock.isLocked())
        return false;
    if (m_server)
        return true;
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(SocketPath());  // left by a crashed instance; we hold the lock
    if (!m_server->listen(SocketPath())) {
        m_server.reset();
        return false;
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
    return true;
}

void SingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine(64) == kActivateRequest) {
                socket->write(kActivateReply);
                socket->flush();
                emit ActivationRequested();
            }
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstance::AskRunningToActivate(int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kActivateRequest);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine(64) == kActivateReply;
}

}  // namespace platform
