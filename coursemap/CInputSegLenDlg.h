// "Input Segment Length": the length in metres into which the map segment edit view cuts the
// course. The lap's distance bounds it: up to 1000 m it proposes 200 and takes 50 to the distance
// less 50, beyond that 300 and 100 to the distance less 100. OK posts
// UM_INPUT_SEGMENT_LENGTH_DIALOG (length, 0) to the receiving window.
#pragma once

#include "platform/WindowMessage.h"

#include <QDialog>

class QLabel;
class QLineEdit;

class CInputSegLenDlg : public QDialog {
public:
    static constexpr int kLengthEdit = 1072;
    static constexpr int kMaximumText = 1071;
    static constexpr int kOk = 1089;
    static constexpr int kCancel = 1087;

    // maximum: the lap's distance in metres; receiver: the window that cuts the course.
    CInputSegLenDlg(int maximum, platform::WindowHandle receiver, QWidget* parent);

    int Length() const { return m_length; }
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    int Default() const { return m_default; }

private:
    void OnOk();
    // The edit's number within the bounds; false (the framework's box shown) otherwise.
    bool ExchangeLength();

    int m_length = 300;
    int m_lower = 100;
    int m_upper = 2000;
    int m_default = 300;
    int m_maximum;
    platform::WindowHandle m_receiver;
    QLineEdit* m_edit;
    QLabel* m_maximumText;
};
