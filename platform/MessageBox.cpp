#include "platform/MessageBox.h"

#include <QMessageBox>

namespace platform {

namespace {
MessageBoxRecorder* g_activeRecorder = nullptr;

int DefaultAnswer(unsigned flags) {
    switch (flags & 0xF) {
    case kMbYesNo:
    case kMbYesNoCancel:
        return kIdYes;
    default:
        return kIdOk;
    }
}
}  // namespace

MessageBoxRecorder::MessageBoxRecorder() : m_previous(g_activeRecorder) { g_activeRecorder = this; }

MessageBoxRecorder::~MessageBoxRecorder() { g_activeRecorder = m_previous; }

MessageBoxRecorder* MessageBoxRecorder::Active() { return g_activeRecorder; }

int MessageBoxRecorder::Record(const ShownMessage& message) {
    m_shown.push_back(message);
    if (m_answers.empty())
        return DefaultAnswer(message.flags);
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned flags) {
    if (MessageBoxRecorder* recorder = MessageBoxRecorder::Active())
        return recorder->Record({text, caption, flags});

    QMessageBox box(parent);
    box.setText(text);
    box.setWindowTitle(caption);
    switch (flags & 0xF0) {
    case kMbIconError: box.setIcon(QMessageBox::Critical); break;
    case kMbIconQuestion: box.setIcon(QMessageBox::Question); break;
    case kMbIconWarning: box.setIcon(QMessageBox::Warning); break;
    case kMbIconInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    switch (flags & 0xF) {
    case kMbOkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case kMbYesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case kMbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return kIdOk;
    case QMessageBox::Yes: return kIdYes;
    case QMessageBox::No: return kIdNo;
    default: return kIdCancel;
    }
}

}  // namespace platform
