// Popup menus answered by entry text; the chosen action is triggered as a
// real choice would.
#include "platform/PopupMenu.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        colour = menu.addAction(QStringLiteral("Lap color property..."));
        menu.addSeparator();
        byFile = menu.addAction(QStringLiteral("Group by &file"));
        disabled = menu.addAction(QStringLiteral("Close group"));
        disabled->setEnabled(false);
        QObject::connect(byFile, &QAction::triggered, [this] { ++byFileTriggered; });
    }
    QMenu menu;
    QAction* colour = nullptr;
    QAction* byFile = nullptr;
    QAction* disabled = nullptr;
    int byFileTriggered = 0;
};

TEST_F(PopupMenuTest, ChoiceByTextTriggersTheAction) {
    PopupMenuScript script;
    script.QueueChoice(QStringLiteral("Group by file"));
    EXPECT_EQ(RunPopupMenu(menu, QPoint(10, 10)), byFile);
    EXPECT_EQ(byFileTriggered, 1);
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0],
              (QStringList{QStringLiteral("Lap color property..."), QStringLiteral("Group by file"),
                           QStringLiteral("Close group")}));
}

TEST_F(PopupMenuTest, DisabledUnknownOrNoChoiceDismisses) {
    PopupMenuScript script;
    script.QueueChoice(QStringLiteral("Close group"));
    script.QueueChoice(QStringLiteral("Nothing like this"));
    script.QueueChoice(QString());
    EXPECT_EQ(RunPopupMenu(menu, QPoint()), nullptr);
    EXPECT_EQ(RunPopupMenu(menu, QPoint()), nullptr);
    EXPECT_EQ(RunPopupMenu(menu, QPoint()), nullptr);
    EXPECT_EQ(RunPopupMenu(menu, QPoint()), nullptr);  // queue empty
    EXPECT_EQ(script.Shown().size(), 4u);
    EXPECT_EQ(byFileTriggered, 0);
}

}  // namespace
