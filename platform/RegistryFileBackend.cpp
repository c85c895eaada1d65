#include "platform/RegistryFileBackend.h"

#include "platform/MessageBox.h"
#include "platform/RegFileFormat.h"

#include "core/AtomicFileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace platform {

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
    QFile file(FilePath());
    if (!file.exists())
        return tree;
    if (file.size() > kMaxFileSize) {
        SetAside(QStringLiteral("the file is larger than settings can be"));
        return tree;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        SetAside(file.errorString());
        return tree;
    }
    const QByteArray bytes = file.readAll();
    const bool readOk = file.error() == QFileDevice::NoError;
    file.close();
    QString error;
    if (!readOk)
        SetAside(file.errorString());
    else if (!RegFileFormat::Parse(bytes, &tree, &error))
        SetAside(error);
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

bool RegistryFileBackend::Save(const RegistryTree& tree) {
    if (m_savesBlocked || !QDir().mkpath(m_folder))
        return false;
    // The temporary file is named with our process id, so a leftover is known for ours.
    orvelo::AtomicFileWriter file(QFile::encodeName(FilePath()).toStdString());
    if (!file.Open())
        return false;
    const QByteArray text = RegFileFormat::Write(tree);
    if (!file.Write(text.constData(), static_cast<std::size_t>(text.size())))
        return false;
    if (m_beforeReplace && !m_beforeReplace())
        return false;
    return file.Commit();
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
