#include "platform/PopupMenu.h"

#include <QAction>
#include <QMenu>

namespace platform {

namespace {
PopupMenuScript* g_activeScript = nullptr;

QString PlainText(const QAction* action) {
    QString text = action->text();
    text.remove(QLatin1Char('&'));
    return text;
}
}  // namespace

PopupMenuScript::PopupMenuScript() : m_previous(g_activeScript) { g_activeScript = this; }

PopupMenuScript::~PopupMenuScript() { g_activeScript = m_previous; }

PopupMenuScript* PopupMenuScript::Active() { return g_activeScript; }

QAction* PopupMenuScript::Answer(QMenu& menu) {
    QStringList texts;
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator())
            texts.push_back(PlainText(action));
    }
    m_shown.push_back(texts);
    if (m_choices.empty())
        return nullptr;
    const QString choice = m_choices.front();
    m_choices.pop_front();
    if (choice.isEmpty())
        return nullptr;
    return Pick(menu, choice);
}

QAction* PopupMenuScript::Pick(QMenu& menu, const QString& choice) {
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator() && action->isEnabled() && !action->menu() && PlainText(action) == choice) {
            action->trigger();
            return action;
        }
    }
    for (QAction* action : menu.actions()) {
        if (action->menu() && action->isEnabled()) {
            if (QAction* picked = Pick(*action->menu(), choice))
                return picked;
        }
    }
    return nullptr;
}

QAction* RunPopupMenu(QMenu& menu, const QPoint& globalPos) {
    if (PopupMenuScript* script = PopupMenuScript::Active())
        return script->Answer(menu);
    return menu.exec(globalPos);
}

}  // namespace platform
