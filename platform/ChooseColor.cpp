#include "platform/ChooseColor.h"

#include "platform/ModalDialog.h"

#include <QColorDialog>

namespace platform {

namespace {
ChooseColorScript* g_activeScript = nullptr;
}

ChooseColorScript::ChooseColorScript() : m_previous(g_activeScript) { g_activeScript = this; }

ChooseColorScript::~ChooseColorScript() { g_activeScript = m_previous; }

ChooseColorScript* ChooseColorScript::Active() { return g_activeScript; }

std::optional<ColorRef> ChooseColorScript::Answer(const ColorRequest& request) {
    m_requests.push_back(request);
    if (m_answers.empty())
        return std::nullopt;
    const std::optional<ColorRef> answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

CustomColors& SharedCustomColors() {
    static CustomColors colors = [] {
        CustomColors whites;
        whites.fill(0xFFFFFF);
        return whites;
    }();
    return colors;
}

std::optional<ColorRef> ChooseColor(QWidget* parent, ColorRef initial, CustomColors& customColors) {
    if (ChooseColorScript* script = ChooseColorScript::Active())
        return script->Answer({initial, customColors});
    // Qt keeps one set of custom colours for all its dialogs: load ours, read them back.
    for (int i = 0; i < static_cast<int>(customColors.size()); ++i)
        QColorDialog::setCustomColor(i, ToQColor(customColors[i]));
    QColorDialog dialog(ToQColor(initial), parent);
    const int result = RunModalDialog(dialog);
    for (int i = 0; i < static_cast<int>(customColors.size()); ++i)
        customColors[i] = FromQColor(QColorDialog::customColor(i));
    if (result != QDialog::Accepted)
        return std::nullopt;
    return FromQColor(dialog.selectedColor());
}

}  // namespace platform
