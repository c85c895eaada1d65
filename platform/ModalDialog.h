// Modal dialogs: the one way a window runs a dialog modally. Tests install a
// ModalDialogScript to answer dialogs without a display: each script step gets
// the dialog, may fill its controls, and returns the result the dialog ends with.
#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <vector>

class QDialog;
class QPushButton;

namespace platform {

// Runs the dialog modally and returns its result (QDialog::Accepted, Rejected
// or what done() was given).
int RunModalDialog(QDialog& dialog);

// Return in the dialog presses ok whatever has the focus, and nothing when ok is null: ok becomes the
// only default button and no push button of the dialog takes Return for itself. Call it once every
// button exists.
void ReturnPressesOk(QDialog& dialog, QPushButton* ok);

struct ShownDialog {
    QString objectName;
    QString title;
};

// While one exists, dialogs are answered by its steps in order; with no step
// left a dialog is cancelled (QDialog::Rejected).
class ModalDialogScript {
public:
    using Step = std::function<int(QDialog&)>;

    ModalDialogScript();
    ~ModalDialogScript();
    ModalDialogScript(const ModalDialogScript&) = delete;
    ModalDialogScript& operator=(const ModalDialogScript&) = delete;

    void Queue(Step step) { m_steps.push_back(std::move(step)); }
    void QueueResult(int result);
    const std::vector<ShownDialog>& Shown() const { return m_shown; }

    static ModalDialogScript* Active();
    int Answer(QDialog& dialog);

private:
    ModalDialogScript* m_previous = nullptr;
    std::deque<Step> m_steps;
    std::vector<ShownDialog> m_shown;
};

}  // namespace platform
