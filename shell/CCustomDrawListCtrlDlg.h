// The dialog that closes loaded files: one checked or unchecked row per loaded file of the read
// list (log files in mode 0, course-map files in mode 1); OK closes the checked ones and tells the
// main frame, which rebuilds the lap list. Opened for a group of the lap list, that group's files
// start checked.
#pragma once

#include "platform/WindowMessage.h"

#include <QDialog>
#include <QString>

namespace orvelo {
class LapDataCore;
}
class CListCtrlCustomDrawEx;
class QPushButton;

class CCustomDrawListCtrlDlg : public QDialog {
public:
    static constexpr int kGroupNone = 0;
    static constexpr int kGroupFile = 1;
    static constexpr int kGroupFolder = 2;
    // Item data role of a row: the full path of its file.
    static constexpr int kPathRole = Qt::UserRole + 1;

    CCustomDrawListCtrlDlg(orvelo::LapDataCore& core, int mode, platform::WindowHandle mainWindow,
                           QWidget* parent = nullptr);

    // kind 1: the file with that full path starts checked; kind 2: the files of that folder. The
    // text is kept whole: a cut path would match no file.
    void SetGroup(int kind, const QString& text);

    // Prepares the dialog and runs it; QDialog::Accepted or Rejected.
    int DoModal();
    void OnInitDialog();

    void OnBnClickedOk();
    void OnBnClickedCloseAll();
    void OnBnClickedResetCheck();

    CListCtrlCustomDrawEx& List() { return *m_list; }
    QPushButton& OkButton() { return *m_ok; }
    QPushButton& CancelButton() { return *m_cancel; }
    QPushButton& CloseAllButton() { return *m_closeAll; }
    QPushButton& ResetCheckButton() { return *m_resetCheck; }

private:
    void FillRows();

    orvelo::LapDataCore& m_core;
    int m_mode;
    platform::WindowHandle m_mainWindow;
    CListCtrlCustomDrawEx* m_list = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_closeAll = nullptr;
    QPushButton* m_resetCheck = nullptr;
    int m_groupKind = kGroupNone;
    QString m_groupText;
    int m_rows = 0;
};
