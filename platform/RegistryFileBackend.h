// The application's registry hive on disk: one text file per user in the
// registry editor's export format, under $XDG_CONFIG_HOME/varnek-orvelo/
// (~/.config when the variable is unset). Every save rewrites the whole file
// through a temporary file that replaces it only once fully written and
// synced, so a crash or a full disk leaves the previous file whole; a
// temporary file left by a killed save is removed at the next load.
#pragma once

#include "platform/RegistryBackend.h"

#include "core/AtomicFileWriter.h"

#include <QString>

#include <functional>

namespace platform {

class RegistryFileBackend : public RegistryBackend {
public:
    static constexpr const char* kFolderName = "varnek-orvelo";
    static constexpr const char* kFileName = "user.reg";

    // folder: where the file lives; DefaultFolder() for the application.
    explicit RegistryFileBackend(QString folder);

    static QString DefaultFolder();
    QString FilePath() const;

    // Reads a regular file only, never waiting on a pipe or a device, and
    // never more than a settings file can hold. A file that cannot be read or
    // parsed is moved aside (kept under another name), the user is told once,
    // and an empty hive is returned.
    RegistryTree Load() override;
    // Fails, writing nothing, when the text would be larger than Load reads.
    bool Save(const RegistryTree& tree) override;
    QString SaveError() const override { return m_saveError; }
    bool SavesRefusedAndReported() const override { return m_savesBlocked; }

    // Called after the new text is written and before it replaces the file;
    // returning false abandons the save as a crash at that moment would.
    void SetBeforeReplaceHook(std::function<bool()> hook) { m_beforeReplace = std::move(hook); }
    // Used in place of fsync for the file and its folder (tests make it fail).
    void SetSync(orvelo::AtomicFileWriter::SyncFunction sync) { m_sync = std::move(sync); }

private:
    void RemoveSaveLeftovers() const;
    void SetAside(const QString& reason);
    QString AsideName() const;
    bool SaveFailed(const QString& step, int error);

    QString m_folder;
    std::function<bool()> m_beforeReplace;
    orvelo::AtomicFileWriter::SyncFunction m_sync;
    QString m_saveError;
    // Set when a bad file could not be moved aside: never overwrite it.
    bool m_savesBlocked = false;
};

}  // namespace platform
