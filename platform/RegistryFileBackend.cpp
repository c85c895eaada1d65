#include "platform/RegistryFileBackend.h"

#include "platform/MessageBox.h"
#include "platform/RegFileFormat.h"

#include "core/AtomicFileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString ErrorText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

enum class FileRead { kMissing, kRead, kRefused };

// The whole file when it is a regular file of at most the size the format reads. Opened without
// blocking (a pipe put in its place would wait for a writer for ever) and read no further than that
// size, whatever its size said.
FileRead ReadSettingsFile(const QString& path, QByteArray* bytes, QString* why) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return FileRead::kMissing;
        *why = ErrorText(errno);
        return FileRead::kRefused;
    }
    const QString notRegular = QStringLiteral("not a regular file");
    if (!S_ISREG(info.st_mode)) {
        *why = notRegular;
        return FileRead::kRefused;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *why = ErrorText(errno);
        return FileRead::kRefused;
    }
    // Checked again on what was opened: the name may have been replaced in between.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *why = notRegular;
        return FileRead::kRefused;
    }
    const qint64 limit = RegFileFormat::kMaxTextBytes;
    bytes->resize(std::min<qint64>(info.st_size, limit) + 1);
    qint64 size = 0;
    while (size <= limit) {
        if (size == bytes->size())
            bytes->resize(std::min<qint64>(size * 2, limit + 1));
        const ssize_t got = ::read(fd, bytes->data() + size, static_cast<size_t>(bytes->size() - size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            *why = ErrorText(errno);
        if (got <= 0)
            break;
        size += got;
    }
    ::close(fd);
    bytes->truncate(size);
    if (size > limit)
        *why = QStringLiteral("the file is larger than settings can be");
    return why->isEmpty() ? FileRead::kRead : FileRead::kRefused;
}

}  // namespace

RegistryFileBackend::RegistryFileBackend(QString folder) : m_folder(std::move(folder)) {}

QString RegistryFileBackend::DefaultFolder() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QChar('/') + QLatin1String(kFolderName);
}

QString RegistryFileBackend::FilePath() const {
    return m_folder + QChar('/') + QLatin1String(kFileName);
}

RegistryTree RegistryFileBackend::Load() {
    RemoveSaveLeftovers();
    RegistryTree tree;
    QByteArray bytes;
    QString why;
    switch (ReadSettingsFile(FilePath(), &bytes, &why)) {
    case FileRead::kMissing:
        break;
    case FileRead::kRefused:
        SetAside(why);
        break;
    case FileRead::kRead:
        if (!RegFileFormat::Parse(bytes, &tree, &why))
            SetAside(why);
        break;
    }
    return tree;
}

QString RegistryFileBackend::AsideName() const {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = FilePath() + QStringLiteral(".unreadable-") + stamp;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = FilePath() + QStringLiteral(".unreadable-%1-%2").arg(stamp).arg(n);
    return name;
}

void RegistryFileBackend::SetAside(const QString& reason) {
    const QString aside = AsideName();
    QString text;
    if (QFile::rename(FilePath(), aside)) {
        text = QStringLiteral("The settings file\n%1\ncould not be read (%2).\n\n"
                              "It has been kept as\n%3\n\n"
                              "The program starts with the default settings.")
                   .arg(QDir::toNativeSeparators(FilePath()), reason, QDir::toNativeSeparators(aside));
    } else {
        m_savesBlocked = true;
        text = QStringLiteral("The settings file\n%1\ncould not be read (%2), nor moved aside.\n\n"
                              "The program starts with the default settings and will not "
                              "save settings in this session, so the file stays as it is.")
                   .arg(QDir::toNativeSeparators(FilePath()), reason);
    }
    ShowMessageBox(nullptr, text, QStringLiteral("Varnek Orvelo"), kMbOk | kMbIconWarning);
}

bool RegistryFileBackend::SaveFailed(const QString& step, int error) {
    m_saveError = QDir::toNativeSeparators(FilePath()) + QChar('\n') +
                  (error != 0 ? QStringLiteral("%1: %2").arg(step, ErrorText(error)) : step);
    return false;
}

bool RegistryFileBackend::Save(const RegistryTree& tree) {
    if (m_savesBlocked)
        return SaveFailed(QStringLiteral("the unreadable file could not be moved aside"), 0);
    const QByteArray text = RegFileFormat::Write(tree);
    if (text.size() > RegFileFormat::kMaxTextBytes)
        return SaveFailed(QStringLiteral("the settings are larger than a settings file can be"), 0);
    if (!QDir().mkpath(m_folder))
        return SaveFailed(QStringLiteral("cannot make the folder"), 0);
    // The temporary file is named with our process id, so a leftover is known for ours.
    orvelo::AtomicFileWriter file(QFile::encodeName(FilePath()).toStdString());
    file.SetSync(m_sync);
    if (!file.Open())
        return SaveFailed(QStringLiteral("cannot create a file"), file.Error());
    if (!file.Write(text.constData(), static_cast<std::size_t>(text.size())))
        return SaveFailed(QStringLiteral("cannot write"), file.Error());
    if (m_beforeReplace && !m_beforeReplace())
        return SaveFailed(QStringLiteral("the save was broken off"), 0);
    if (!file.Commit())
        return SaveFailed(QStringLiteral("cannot replace the file"), file.Error());
    m_saveError.clear();
    return true;
}

void RegistryFileBackend::RemoveSaveLeftovers() const {
    const std::optional<std::string> target =
        orvelo::AtomicFileWriter::FollowLinks(QFile::encodeName(FilePath()).toStdString());
    if (!target)
        return;
    const std::filesystem::path file(*target);
    const std::string name = file.filename().string();
    orvelo::AtomicFileWriter::RemoveLeftovers(file.parent_path().string(),
                                              [&name](std::string_view leftover) { return leftover == name; });
}

}  // namespace platform
