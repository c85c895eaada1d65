// The file selection dialog: picking and taking out files, reading them on OK,
// and the folder it opens on.
#include "shell/CDlgShellListCtrl.h"
#include "shell/CSelectFile_Dlg.h"

#include "LapListTestSupport.h"

#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "platform/UserMessages.h"

#include <QApplication>
#include <QFile>
#include <QFileSystemModel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

using namespace testsupport;

namespace {

class CSelectFile_DlgTest : public ::testing::Test {
protected:
    std::unique_ptr<CSelectFile_Dlg> Make(int mode = 0, QString lastFolder = QString(),
                                          QString profile = QStringLiteral("NothingPath")) {
        CSelectFile_Dlg::Setup setup;
        setup.mode = mode;
        setup.mainFrame = mainFrame.Handle();
        setup.lastFolder = lastFolder.isNull() ? files.Root() : lastFolder;
        setup.profileFolder = profile;
        setup.desktopFolder = QStringLiteral("/desktop-of-the-test");
        setup.filesChosen = [this](int n) { chosen = n; };
        setup.readErrors = [this](int n) {
            readErrors = n;
            const QCursor* cursor = QApplication::overrideCursor(); // the load has just ended
            waitCursorAtTheEnd = cursor && cursor->shape() == Qt::WaitCursor;
        };
        setup.folderUsed = [this](const QString& folder) { usedFolders << folder; };
        auto dialog = std::make_unique<CSelectFile_Dlg>(fresh.core, std::move(setup));
        dialog->OnInitDialog();
        return dialog;
    }
    // Activates a file or folder in the file list, as a double click does.
    static void Pick(CSelectFile_Dlg& dialog, const QString& path) {
        dialog.FileList().DoDefault(dialog.FileList().FileModel().index(path));
    }

    FreshCore fresh;
    SessionDir files;
    RecordingWindow mainFrame;
    platform::MessageBoxRecorder boxes;
    int chosen = -1;
    int readErrors = -1;
    bool waitCursorAtTheEnd = false;
    QStringList usedFolders;
};

// ----- picking -----

TEST_F(CSelectFile_DlgTest, PickingListsAFileOnceAndRefusesOneReadEarlier) {
    const QString path = files.Write("s/one.dat");
    const QString earlier = files.Write("s/earlier.dat");
    ASSERT_EQ(LoadLogs(fresh.core, {earlier}), 0);
    auto dialog = Make();
    Pick(*dialog, path);
    ASSERT_EQ(dialog->PickedList().count(), 1);
    EXPECT_EQ(dialog->PickedList().item(0)->text(), "one.dat");
    ASSERT_EQ(fresh.core.ReadLogFileList.size(), 2u);
    const orvelo::FileListEntry& entry = fresh.core.ReadLogFileList[1];
    EXPECT_EQ(entry.fullPath, path.toStdU16String());
    EXPECT_EQ(entry.listText, files.Path("s").toStdU16String());
    EXPECT_EQ(entry.removalKey, u"one.dat");
    EXPECT_TRUE(boxes.Shown().empty());

    Pick(*dialog, path);
    Pick(*dialog, earlier);
    EXPECT_EQ(dialog->PickedList().count(), 1);
    EXPECT_EQ(fresh.core.ReadLogFileList.size(), 2u);
    const QString warning = Box("OK", "Warning , already read", platform::kMbIconWarning);
    EXPECT_EQ(Boxes(boxes), (QStringList{warning, warning}));
}

TEST_F(CSelectFile_DlgTest, TakingOutAPickedLineRemovesThatFilesEntryOnly) {
    const QString first = files.Write("x/run.dat");
    const QString second = files.Write("y/run.dat");
    const QString third = files.Write("y/other.dat");
    auto dialog = Make();
    Pick(*dialog, first);
    Pick(*dialog, second);
    Pick(*dialog, third);
    dialog->show();
    QListWidget& picked = dialog->PickedList();
    const QRect line = picked.visualItemRect(picked.item(1));
    QTest::mouseClick(picked.viewport(), Qt::LeftButton, {}, line.center());
    QTest::mouseDClick(picked.viewport(), Qt::LeftButton, {}, line.center());
    picked.setCurrentRow(1);
    QTest::keyClick(&picked, Qt::Key_Delete);
    ASSERT_EQ(picked.count(), 1);
    ASSERT_EQ(fresh.core.ReadLogFileList.size(), 1u);
    EXPECT_EQ(fresh.core.ReadLogFileList[0].fullPath, first.toStdU16String());
    EXPECT_EQ(dialog->FileList().FilesAdded(), 1);
}

// ----- reading -----

TEST_F(CSelectFile_DlgTest, OkReadsEveryPickedFileAndTellsTheMainFrameOnce) {
    auto dialog = Make();
    Pick(*dialog, files.Write("s/a.dat"));
    Pick(*dialog, files.Write("s/b.dat", 2, 5, 1, samplegen::Variant::PartialRecord));
    dialog->OkButton().click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(readErrors, 0); // a file cut off in its last record still loads
    EXPECT_TRUE(waitCursorAtTheEnd);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(CSelectFile_Dlg::FailedFiles(fresh.core, 0).isEmpty());
    EXPECT_EQ(CSelectFile_Dlg::CutOffFiles(fresh.core, 0), QStringList{files.Path("s/b.dat")});
    EXPECT_EQ(usedFolders, QStringList{files.Path("s")});
    const auto sent = mainFrame.Of(platform::UM_LAP_LIST_ALL_VIEW);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].wParam + sent[0].lParam, 0u);

    waitCursorAtTheEnd = false; // course maps load under the wait cursor too
    auto maps = Make(1);
    Pick(*maps, files.Write("m/track.map"));
    maps->OkButton().click();
    EXPECT_EQ(fresh.core.MapFiles.size(), 1u);
    EXPECT_TRUE(waitCursorAtTheEnd);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(mainFrame.Of(platform::UM_VIEW_READ_MAP_FILE).size(), 1u);
}

TEST_F(CSelectFile_DlgTest, StartFolderComesFromTheFrameThenTheProfile) {
    EXPECT_EQ(Make(0, files.Root())->StartFolder(), files.Root());
    EXPECT_EQ(Make(0, QStringLiteral(""))->StartFolder(), "/desktop-of-the-test");
    EXPECT_EQ(Make(0, QStringLiteral(""), files.Root())->StartFolder(), files.Root());
    EXPECT_TRUE(Make(0, QStringLiteral(""), files.Path("gone"))->StartFolder().isEmpty());
}

// The start folder stands below many others that the tree reads after it opens.
TEST_F(CSelectFile_DlgTest, TreeOpensOnTheStartFolderAndKeyboardMovesShowTheirFolder) {
    for (int i = 0; i < 120; ++i)
        QDir().mkpath(files.Path(QStringLiteral("a%1").arg(i, 3, 10, QChar('0'))));
    const QString start = files.Path("zz");
    QDir().mkpath(start);
    auto dialog = Make(0, start);
    dialog->show();
    QTreeView& tree = dialog->FolderTree();
    auto& folders = static_cast<QFileSystemModel&>(*tree.model());
    const auto inSight = [&] {
        const QModelIndex index = folders.index(start);
        return index.row() == 120 && tree.viewport()->rect().contains(tree.visualRect(index));
    };
    EXPECT_TRUE(QTest::qWaitFor(inSight, 5000));
    EXPECT_TRUE(tree.selectionModel()->isSelected(folders.index(start)));
    EXPECT_EQ(dialog->FileList().ShownFolder(), start);

    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Up);
    EXPECT_EQ(dialog->FileList().ShownFolder(), files.Path("a119"));
}

// A file's contents are never read to label its row: a read may block for good (/proc/kmsg). The
// kernel reports every open of a file in the folder.
TEST_F(CSelectFile_DlgTest, ListingAFolderOpensNoneOfItsFiles) {
    const QString folder = files.Path("opened");
    QDir().mkpath(folder + QStringLiteral("/inner"));
    for (const char* name : {"session.dat", "notes", "map.xyz"}) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\x7f" "ELF binary looking bytes");
    }
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, folder.toLocal8Bit().constData(), IN_OPEN | IN_ACCESS), 0);
    auto dialog = Make(0, folder);
    dialog->show();
    CDlgShellListCtrl& list = dialog->FileList();
    QFileSystemModel& model = list.FileModel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.rowCount(list.rootIndex()) == 4; }, 5000));
    QStringList types;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < model.columnCount(list.rootIndex()); ++column)
            model.data(model.index(row, column, list.rootIndex()), Qt::DecorationRole);
        types << model.data(model.index(row, 2, list.rootIndex())).toString();
    }
    list.grab();
    dialog->FolderTree().grab();
    QTest::qWait(200);  // the model's own thread fetches icons
    QStringList opened;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            if (event->len > 0 && (event->mask & IN_ISDIR) == 0)
                opened << QString::fromLocal8Bit(event->name);
            p += sizeof(inotify_event) + event->len;
        }
    }
    close(watch);
    EXPECT_TRUE(opened.isEmpty()) << opened.join(u' ').toStdString();
    EXPECT_EQ(types.size(), 4);
    EXPECT_FALSE(types.contains(QString())) << types.join(u',').toStdString();
}

}  // namespace
