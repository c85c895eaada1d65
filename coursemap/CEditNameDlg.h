// "Input Segment Info Name": the name of a segment group typed in. Opened with a name (renaming,
// mode 0) or empty (a new group, mode 1); OK sends UM_AFTER_EDIT_GROUP_NAME (mode, the text) to
// the window to answer when the text is not empty and not the one it opened with.
#pragma once

#include "platform/WindowMessage.h"

#include <QDialog>

class QLineEdit;

class CEditNameDlg : public QDialog {
public:
    static constexpr int kEdit = 1088;
    static constexpr int kOk = 1089;
    static constexpr int kCancel = 1087;
    static constexpr int kModeRename = 0;
    static constexpr int kModeAdd = 1;
    // The longest name a stored group record holds.
    static constexpr int kMaxNameChars = 127;

    CEditNameDlg(const QString& caption, const QString& text, platform::WindowHandle answerTo, QWidget* parent);

    int Mode() const { return m_mode; }

private:
    void OnOk();

    platform::WindowHandle m_answerTo;
    QString m_openedWith;
    QString m_text;
    int m_mode;
    QLineEdit* m_edit;
};
