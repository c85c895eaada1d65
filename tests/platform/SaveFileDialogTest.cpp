// The save-file chooser: the "name|pattern||" filters become Qt filters, a
// script answers with a path or a cancel while keeping each request, and Qt's
// own chooser refuses a typed name it would read as another.
#include "platform/SaveFileDialog.h"

#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(SaveFileDialogTest, PairFiltersBecomeQtFilters) {
    EXPECT_EQ(NameFiltersFromPairs(QStringLiteral("Map File (*.dat)|*.dat|All files (*.*)|*.*||")),
              (QStringList{QStringLiteral("Map File (*.dat)"), QStringLiteral("All files (*)")}));
    EXPECT_EQ(NameFiltersFromPairs(QStringLiteral("Logs|*.dat;*.log||")),
              (QStringList{QStringLiteral("Logs (*.dat *.log)")}));
    EXPECT_TRUE(NameFiltersFromPairs(QString()).isEmpty());
    EXPECT_TRUE(NameFiltersFromPairs(QStringLiteral("Dangling name")).isEmpty());
}

TEST(SaveFileDialogTest, ScriptAnswersInOrderAndKeepsRequests) {
    SaveFileScript script;
    script.QueuePath(QStringLiteral("/tmp/a.dat"));
    script.QueueCancel();
    SaveFileRequest request;
    request.initialPath = QStringLiteral("/home/u/default_map");
    EXPECT_EQ(ChooseSaveFile(nullptr, request), std::optional<QString>(QStringLiteral("/tmp/a.dat")));
    EXPECT_EQ(ChooseSaveFile(nullptr, request), std::nullopt);
    EXPECT_EQ(ChooseSaveFile(nullptr, request), std::nullopt) << "nothing queued";
    ASSERT_EQ(script.Requests().size(), 3u);
    EXPECT_EQ(script.Requests()[0].initialPath, QStringLiteral("/home/u/default_map"));
}

// Qt's chooser reads quoted names as a list and would save under "T1.dat" in its folder.
TEST(SaveFileDialogTest, ATypedNameWithDoubleQuotesIsRefusedAndTheChooserStaysOpen) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    MessageBoxRecorder boxes;
    ModalDialogScript dialogs;
    bool open = false;
    const QString typed = QDir(folder.path()).filePath(QStringLiteral("Kart \"T1\" x.dat"));
    dialogs.Queue([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<QFileDialog&>(dialog);
        chooser.setOption(QFileDialog::DontUseNativeDialog);
        auto* edit = chooser.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!edit)
            return int{QDialog::Rejected};
        edit->setText(typed);
        dialog.accept();  // as Return or the Save button
        open = chooser.result() != QDialog::Accepted;
        chooser.reject();
        return chooser.result();
    });
    SaveFileRequest request;
    request.defaultSuffix = QStringLiteral("dat");
    request.initialPath = QDir(folder.path()).filePath(QStringLiteral("default_map"));
    EXPECT_EQ(ChooseSaveFile(nullptr, request), std::nullopt);
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_TRUE(open);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, QStringLiteral("ERROR , a file name cannot contain double quotes (\").\n") + typed);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

}  // namespace
