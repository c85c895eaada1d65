#include "platform/ModalDialog.h"

#include <QDialog>
#include <QPushButton>

namespace platform {

namespace {
ModalDialogScript* g_activeScript = nullptr;
}

ModalDialogScript::ModalDialogScript() : m_previous(g_activeScript) { g_activeScript = this; }

ModalDialogScript::~ModalDialogScript() { g_activeScript = m_previous; }

ModalDialogScript* ModalDialogScript::Active() { return g_activeScript; }

void ModalDialogScript::QueueResult(int result) {
    Queue([result](QDialog&) { return result; });
}

int ModalDialogScript::Answer(QDialog& dialog) {
    m_shown.push_back({dialog.objectName(), dialog.windowTitle()});
    if (m_steps.empty())
        return QDialog::Rejected;
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    const int result = step(dialog);
    dialog.setResult(result);
    return result;
}

int RunModalDialog(QDialog& dialog) {
    if (ModalDialogScript* script = ModalDialogScript::Active())
        return script->Answer(dialog);
    return dialog.exec();
}

void ReturnPressesOk(QDialog& dialog, QPushButton* ok) {
    // An auto-default button with the focus takes Return, and the first one becomes the default when
    // there is none: a button that checks or resets something would then run on Return.
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    if (ok)
        ok->setDefault(true);
}

}  // namespace platform
