// Dialogs answered by a script: the step sees the real dialog and its result
// is what the caller gets; scripts nest and fall back to Cancel.
#include "platform/ModalDialog.h"

#include <QDialog>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(ModalDialogTest, StepFillsTheDialogAndChoosesTheResult) {
    ModalDialogScript script;
    script.Queue([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("Lap 3"));
        return int(QDialog::Accepted);
    });
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("GroupNameDialog"));
    dialog.setWindowTitle(QStringLiteral("Group name"));
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("name"));
    EXPECT_EQ(RunModalDialog(dialog), QDialog::Accepted);
    EXPECT_EQ(edit->text(), QStringLiteral("Lap 3"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].objectName + script.Shown()[0].title, QStringLiteral("GroupNameDialogGroup name"));
}

TEST(ModalDialogTest, InnerScriptAnswersUntilItGoesAndNoStepLeftCancels) {
    ModalDialogScript outer;
    outer.QueueResult(7);
    QDialog dialog;
    {
        ModalDialogScript inner;
        inner.QueueResult(9);
        EXPECT_EQ(RunModalDialog(dialog), 9);
    }
    EXPECT_EQ(RunModalDialog(dialog), 7);
    EXPECT_EQ(RunModalDialog(dialog), QDialog::Rejected);
    EXPECT_EQ(outer.Shown().size(), 2u);
}

}  // namespace
