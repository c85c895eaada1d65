// The file list of the file selection dialog: the entries of one folder. Activating a file (double
// click or Enter) adds it to the data core's read list and to the dialog's list of picked files;
// activating a folder opens it.
#pragma once

#include <QString>
#include <QTreeView>

#include <cstdint>
#include <functional>

namespace orvelo {
class LapDataCore;
}
class QAbstractFileIconProvider;
class QFileSystemModel;
class QListWidget;

// Icons and type texts of files from their names alone, never from their contents (a read may block).
QAbstractFileIconProvider& NameOnlyFileIcons();

class CDlgShellListCtrl : public QTreeView {
public:
    // Item data role of a picked line: the file's full path.
    static constexpr int kPathRole = Qt::UserRole + 1;

    CDlgShellListCtrl(orvelo::LapDataCore& core, int mode, QWidget* parent = nullptr);

    void SetListBox(QListWidget* listBox) { m_listBox = listBox; }
    // Shows the folder; told to the dialog's folder tree through folderOpened.
    void ShowFolder(const QString& folder);
    void SetFolderOpened(std::function<void(const QString&)> folderOpened) { m_folderOpened = std::move(folderOpened); }
    QString ShownFolder() const;
    QFileSystemModel& FileModel() { return *m_files; }

    // The activation of an entry of the list.
    void DoDefault(const QModelIndex& index);
    // Removes a picked line and its entry in the read list.
    void RemovePicked(int line);

    int FilesAdded() const { return m_filesAdded; }
    std::int32_t PickNumber() const { return m_pickNumber; }
    const QString& LastFolder() const { return m_lastFolder; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int EditFileList(int op, const QString& path);

    orvelo::LapDataCore& m_core;
    int m_mode;
    QFileSystemModel* m_files;
    QListWidget* m_listBox = nullptr;
    std::function<void(const QString&)> m_folderOpened;
    std::int32_t m_filesAdded = 0;
    std::int32_t m_pickNumber = 0;
    QString m_lastFolder;
    QString m_scratchPath;
};
