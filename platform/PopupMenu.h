// Popup menus: shown at a screen point, answered with the chosen action.
// Tests install a PopupMenuScript that picks entries by their text.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

class QAction;
class QMenu;

namespace platform {

// The chosen action, or nullptr when the menu was dismissed.
QAction* RunPopupMenu(QMenu& menu, const QPoint& globalPos);

// While one exists, menus are answered from its queue: an entry's text (the
// '&' marks ignored) picks that enabled action, in the menu or else in its
// submenus; an empty text, an unknown one, a disabled entry or an empty queue
// dismisses the menu.
class PopupMenuScript {
public:
    PopupMenuScript();
    ~PopupMenuScript();
    PopupMenuScript(const PopupMenuScript&) = delete;
    PopupMenuScript& operator=(const PopupMenuScript&) = delete;

    void QueueChoice(const QString& text) { m_choices.push_back(text); }
    // The entry texts of each menu shown, in order.
    const std::vector<QStringList>& Shown() const { return m_shown; }

    static PopupMenuScript* Active();
    QAction* Answer(QMenu& menu);

private:
    static QAction* Pick(QMenu& menu, const QString& choice);

    PopupMenuScript* m_previous = nullptr;
    std::deque<QString> m_choices;
    std::vector<QStringList> m_shown;
};

}  // namespace platform
