#include "platform/ModalDialog.h"

#include <QDialog>

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

}  // namespace platform
