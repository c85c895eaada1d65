// The course map viewer's two small dialogs: the length dialog's bounds and answers, and the
// pictures of both.
#include "coursemap/CEditNameDlg.h"
#include "coursemap/CInputSegLenDlg.h"

#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/RecordingWindow.h"
#include "platform/UserMessages.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

void Drain() { platform::TheMessageBus().ProcessPosted(); }

QString TextOf(QDialog& dialog, int id) { return platform::FindControl<QLineEdit>(dialog, id)->text(); }

// Types text into the edit and presses OK; whether the dialog closed.
bool Answer(QDialog& dialog, int edit, int ok, const QString& text) {
    platform::FindControl<QLineEdit>(dialog, edit)->setText(text);
    platform::FindControl<QAbstractButton>(dialog, ok)->click();
    return dialog.result() == QDialog::Accepted;
}

TEST(CourseMapDialogsTest, TheLengthDialogProposesAndBoundsByTheLapsDistanceAndSendsTheLengthToTheView) {
    testsupport::RecordingWindow view;
    platform::MessageBoxRecorder boxes;
    CInputSegLenDlg longLap(3000, view.Handle(), nullptr);
    EXPECT_EQ((std::array<int, 3>{longLap.Default(), longLap.Lower(), longLap.Upper()}), (std::array<int, 3>{300, 100, 2900}));

    CInputSegLenDlg dialog(900, view.Handle(), nullptr);
    EXPECT_EQ(platform::FindControl<QLabel>(dialog, CInputSegLenDlg::kMaximumText)->text(), QStringLiteral("/ 900 meters"));
    EXPECT_EQ(TextOf(dialog, CInputSegLenDlg::kLengthEdit), QStringLiteral("200"));
    for (const char* refused : {"851", "49", "1000"})
        EXPECT_FALSE(Answer(dialog, CInputSegLenDlg::kLengthEdit, CInputSegLenDlg::kOk, QString::fromLatin1(refused)));
    EXPECT_EQ(TextOf(dialog, CInputSegLenDlg::kLengthEdit), QStringLiteral("200"));  // over the maximum: the proposal is back
    ASSERT_EQ(boxes.Shown().size(), 3u);
    EXPECT_EQ(boxes.Shown()[0].text, QStringLiteral("Please enter an integer between 50 and 850."));
    EXPECT_EQ(boxes.Shown()[2].text + boxes.Shown()[2].caption,
              QStringLiteral("ERROR , Segment length is over Map-length !ERROR"));
    Drain();
    EXPECT_TRUE(view.Of(platform::UM_INPUT_SEGMENT_LENGTH_DIALOG).empty());
    EXPECT_TRUE(Answer(dialog, CInputSegLenDlg::kLengthEdit, CInputSegLenDlg::kOk, QStringLiteral("850")));
    Drain();
    const auto sent = view.Of(platform::UM_INPUT_SEGMENT_LENGTH_DIALOG);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::make_pair(sent[0].wParam, sent[0].lParam), std::make_pair(platform::WParam{850}, platform::LParam{0}));

    // Both small dialogs show their bold edit, empty at its right end, on the window colour.
    CEditNameDlg name(QStringLiteral("Rename New Group Info name"), QStringLiteral("G"), view.Handle(), nullptr);
    const std::pair<QDialog*, int> shown[] = {{&longLap, CInputSegLenDlg::kLengthEdit}, {&name, CEditNameDlg::kEdit}};
    for (const auto& [window, editId] : shown) {
        window->show();
        QCoreApplication::processEvents();
        const QImage shot = window->grab().toImage();
        const QLineEdit* edit = platform::FindControl<QLineEdit>(*window, editId);
        const QPoint inside = edit->geometry().topRight() + QPoint(-6, edit->height() / 2);
        EXPECT_EQ(shot.pixelColor(inside), edit->palette().color(QPalette::Base)) << window->objectName().toStdString();
        EXPECT_EQ(shot.pixelColor(2, 2), window->palette().color(QPalette::Window));
        EXPECT_GE(edit->font().weight(), QFont::DemiBold);
    }
}

}  // namespace
