// The dialog that picks log files (mode 0) or course-map files (mode 1) to read: a folder tree
// beside the folder's files, and the list of files picked so far. OK reads every picked file
// that is not loaded yet, under the wait cursor, and tells the main frame.
#pragma once

#include "platform/WindowMessage.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

namespace orvelo {
class LapDataCore;
}
class CDlgShellListCtrl;
class QFileSystemModel;
class QListWidget;
class QPushButton;
class QTreeView;

class CSelectFile_Dlg : public QDialog {
public:
    static constexpr QLatin1StringView kNothingPath{"NothingPath"};

    struct Setup {
        int mode = 0;
        int mapDrawMode = 3;
        platform::WindowHandle mainFrame = platform::kNoWindow;
        QString lastFolder;                       // the main frame's last folder of the mode
        QString profileFolder{kNothingPath};      // the profile's entry for the mode
        QString desktopFolder;
        // On OK, the application's number of files chosen and, after reading, its read-error count.
        std::function<void(int)> filesChosen;
        std::function<void(int)> readErrors;
        // After the files were read: the folder of the last file picked, for the main frame and
        // the profile.
        std::function<void(const QString&)> folderUsed;
    };

    CSelectFile_Dlg(orvelo::LapDataCore& core, Setup setup, QWidget* parent = nullptr);

    // Prepares the dialog and runs it; QDialog::Accepted or Rejected.
    int DoModal();
    void OnInitDialog();

    // Results.
    int FilesChosen() const { return m_filesChosen; }
    // Files that failed to load; 0 when nothing was read.
    int ReadErrorCount() const { return m_readErrorCount; }
    // The files of the mode's read list that failed to load, until they are discarded, one line each:
    // the full path, and "(Error, cannot open file)" after it when the file could not be opened; what
    // the user is told besides that reading failed.
    static QStringList FailedFiles(const orvelo::LapDataCore& core, int mode);
    // The full paths of the files the last load kept although their last record was cut off.
    static QStringList CutOffFiles(const orvelo::LapDataCore& core, int mode);

    // The controls, for the user's and a test's hands.
    CDlgShellListCtrl& FileList() { return *m_fileList; }
    QListWidget& PickedList() { return *m_pickedList; }
    QTreeView& FolderTree() { return *m_folderTree; }
    QPushButton& OkButton() { return *m_ok; }
    QPushButton& CancelButton() { return *m_cancel; }
    // The folder the dialog opened on; empty when none was set.
    const QString& StartFolder() const { return m_startFolder; }

    void OnLbnDblclkFileList();
    void OnBnClickedOk();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    QString ChooseStartFolder() const;
    void FollowStartFolder();

    orvelo::LapDataCore& m_core;
    Setup m_setup;
    QTreeView* m_folderTree = nullptr;
    QFileSystemModel* m_folders = nullptr;
    CDlgShellListCtrl* m_fileList = nullptr;
    QListWidget* m_pickedList = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_startFolder;
    bool m_followStart = false;
    int m_filesChosen = 0;
    int m_readErrorCount = 0;
};
