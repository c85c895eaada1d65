// Makes sure one instance of the program runs per user. The first instance
// holds a lock file and listens on a local socket next to it; a later one
// finds the lock taken and asks the first, through the socket, to come to
// the front. A lock left by a crashed instance is taken over. Without a
// usable runtime folder both go to the shared temporary folder, named with
// the user id so that other users' instances never count.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>
#include <utility>

class QLocalServer;

namespace platform {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // name: the instance's name ("Varnek Orvelo"); folder: where lock and
    // socket live (empty: the user's runtime folder, else the shared
    // temporary folder).
    explicit SingleInstance(const QString& name, const QString& folder = QString());
    ~SingleInstance() override;

    // true when this is the only instance (the lock is now held).
    bool TryAcquire();
    // Starts answering later instances; call once the main window exists.
    bool Listen();
    // From a later instance: asks the running one to come to the front.
    // true when it confirmed within timeoutMs.
    bool AskRunningToActivate(int timeoutMs = 2000) const;

    QString LockPath() const;
    QString SocketPath() const;

signals:
    void ActivationRequested();

private:
    explicit SingleInstance(std::pair<QString, QString> place);
    void OnNewConnection();

    QString m_folder;
    QString m_stem;  // file name of lock and socket without their suffix
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

}  // namespace platform
