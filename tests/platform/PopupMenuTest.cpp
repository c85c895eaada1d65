// Popup menus answered by entry text; the chosen action is triggered as a
// real choice would, and anything else dismisses the menu.
#include "platform/PopupMenu.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(PopupMenuTest, ChoiceByTextTriggersOnlyAnEnabledEntry) {
    QMenu menu;
    menu.addAction(QStringLiteral("Lap color property..."));
    menu.addSeparator();
    QAction* byFile = menu.addAction(QStringLiteral("Group by &file"));
    menu.addAction(QStringLiteral("Close group"))->setEnabled(false);
    int triggered = 0;
    QObject::connect(byFile, &QAction::triggered, [&] { ++triggered; });

    PopupMenuScript script;
    for (const QString& choice : {QStringLiteral("Group by file"), QStringLiteral("Close group"),
                                  QStringLiteral("Nothing like this"), QString()})
        script.QueueChoice(choice);
    EXPECT_EQ(RunPopupMenu(menu, QPoint(10, 10)), byFile);
    EXPECT_EQ(triggered, 1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(RunPopupMenu(menu, QPoint()), nullptr) << "disabled, unknown, empty, queue empty: " << i;
    EXPECT_EQ(triggered, 1);
    ASSERT_EQ(script.Shown().size(), 5u);
    EXPECT_EQ(script.Shown()[0], (QStringList{QStringLiteral("Lap color property..."), QStringLiteral("Group by file"),
                                              QStringLiteral("Close group")}));
}

TEST(PopupMenuTest, AChoiceNotInTheMenuIsLookedForInItsSubmenus) {
    QMenu menu;
    QMenu* modes = menu.addMenu(QStringLiteral("Drawing Map Mode "));
    QAction* gps = modes->addAction(QStringLiteral("   GPS    "));
    menu.addAction(QStringLiteral("Map property..."));
    PopupMenuScript script;
    script.QueueChoice(QStringLiteral("   GPS    "));
    script.QueueChoice(QStringLiteral("Drawing Map Mode "));  // a submenu is no choice
    EXPECT_EQ(RunPopupMenu(menu, QPoint()), gps);
    EXPECT_EQ(RunPopupMenu(menu, QPoint()), nullptr);
    EXPECT_EQ(script.Shown()[0], (QStringList{QStringLiteral("Drawing Map Mode "), QStringLiteral("Map property...")}));
}

}  // namespace
