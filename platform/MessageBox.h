// Message boxes: the one way the application tells the user something.
// Tests install a MessageBoxRecorder to read what would have been shown and to
// script the answers, so no box ever waits for a display.
#pragma once

#include <QString>
#include <deque>
#include <vector>

class QWidget;

namespace platform {

// Button and icon flags, numbered as the original message-box flags so that
// stored or logged values keep their meaning.
enum MessageBoxFlag : unsigned {
    kMbOk = 0x0,
    kMbOkCancel = 0x1,
    kMbYesNoCancel = 0x3,
    kMbYesNo = 0x4,
    kMbIconError = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconWarning = 0x30,
    kMbIconInformation = 0x40,
};

enum MessageBoxResult : int {
    kIdOk = 1,
    kIdCancel = 2,
    kIdYes = 6,
    kIdNo = 7,
};

struct ShownMessage {
    QString text;
    QString caption;
    unsigned flags = 0;
};

// Shows a modal box and returns the button pressed (kIdOk, kIdCancel, ...).
int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption,
                   unsigned flags = kMbOk);

// While one exists, boxes are recorded instead of shown. Answers are taken
// from the queue in order; when it is empty the default button is pressed
// (OK, or Yes for a yes/no box).
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    const std::vector<ShownMessage>& Shown() const { return m_shown; }
    void Clear() { m_shown.clear(); }

    // Used by ShowMessageBox.
    static MessageBoxRecorder* Active();
    int Record(const ShownMessage& message);

private:
    MessageBoxRecorder* m_previous = nullptr;
    std::vector<ShownMessage> m_shown;
    std::deque<int> m_answers;
};

}  // namespace platform
