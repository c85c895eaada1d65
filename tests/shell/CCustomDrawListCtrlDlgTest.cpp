// The closing dialog: which rows it lists and checks, their colours, and what OK closes.
#include "shell/CCustomDrawListCtrlDlg.h"
#include "shell/CListCtrlCustomDrawEx.h"

#include "LapListTestSupport.h"

#include "platform/ModalDialog.h"
#include "platform/UserMessages.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class CCustomDrawListCtrlDlgTest : public ::testing::Test {
protected:
    CCustomDrawListCtrlDlgTest() {
        paths = QStringList{files.Write("x/a.dat", 2, 1), files.Write("y/b.dat", 2, 2), files.Write("x/c.dat", 2, 3)};
        EXPECT_EQ(LoadLogs(fresh.core, paths), 0);
    }
    ~CCustomDrawListCtrlDlgTest() override { DeliverPosted(); }

    std::unique_ptr<CCustomDrawListCtrlDlg> Make(int kind = 0, const QString& text = {}, int mode = 0) {
        auto dialog = std::make_unique<CCustomDrawListCtrlDlg>(fresh.core, mode, mainFrame.Handle());
        dialog->SetGroup(kind, text);
        dialog->OnInitDialog();
        return dialog;
    }
    static QList<bool> Checks(CCustomDrawListCtrlDlg& dialog) {
        QList<bool> checks;
        for (int r = 0; r < dialog.List().rowCount(); ++r)
            checks << dialog.List().IsChecked(r);
        return checks;
    }
    QStringList LoadedPaths() const {
        QStringList loaded;
        for (const orvelo::LogFile& f : fresh.core.LogFiles)
            loaded << QString::fromStdU16String(f.fullPath);
        return loaded;
    }

    FreshCore fresh;
    SessionDir files;
    RecordingWindow mainFrame;
    QStringList paths;
};

TEST_F(CCustomDrawListCtrlDlgTest, RowsListLoadedFilesByFolderAndPairWithEntriesByPath) {
    // An entry still waiting to be read, first in the list, has no row; the checked row still
    // closes its own file.
    orvelo::FileListEntry pending;
    pending.fullPath = files.Path("z/pending.dat").toStdU16String();
    orvelo::EditLogFileList(fresh.core, orvelo::kFileListAdd, pending);
    std::rotate(fresh.core.ReadLogFileList.rbegin(), fresh.core.ReadLogFileList.rbegin() + 1,
                fresh.core.ReadLogFileList.rend());
    auto dialog = Make();
    EXPECT_EQ(dialog->windowTitle(), "Close Log-file , read log-file list");
    CListCtrlCustomDrawEx& list = dialog->List();
    ASSERT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.item(1, 0)->text(), files.Path("y"));
    EXPECT_EQ(list.item(1, 1)->text(), "b.dat");
    EXPECT_EQ(Checks(*dialog), (QList<bool>{false, false, false}));
    // rows alternate white and light blue; the selected one is dark blue with white text
    list.selectRow(2);
    EXPECT_EQ((std::vector<platform::ColorRef>{list.GetCellBkColor(0, 0), list.GetCellBkColor(1, 1),
                                               list.GetCellBkColor(2, 0), list.GetCellTextColor(2, 1)}),
              (std::vector<platform::ColorRef>{0xFFFFFF, 0xFFF0DE, 0xC56A31, 0xFFFFFF}));
    list.SetChecked(0, true);
    dialog->OkButton().click();
    EXPECT_EQ(LoadedPaths(), (QStringList{paths[1], paths[2]}));
}

TEST_F(CCustomDrawListCtrlDlgTest, TheFocusedRowHasAFocusRectangleAroundItWhileTheListHasTheFocus) {
    auto dialog = Make();
    dialog->show();
    CListCtrlCustomDrawEx& list = dialog->List();
    for (bool own : {false, true}) {
        list.SetOwnDrawing(own);
        list.clearFocus();
        list.selectionModel()->setCurrentIndex(list.model()->index(1, 1), QItemSelectionModel::NoUpdate);
        const QImage plain = list.viewport()->grab().toImage();
        ASSERT_TRUE(Focus(list));
        const QImage shown = list.viewport()->grab().toImage();
        const int width = list.horizontalHeader()->length();
        EXPECT_TRUE(DottedEdge(shown, plain, list.rowViewportPosition(1), width)) << own;
        EXPECT_TRUE(DottedEdge(shown, plain, list.rowViewportPosition(2) - 1, width)) << own;
    }
}

TEST_F(CCustomDrawListCtrlDlgTest, AGroupStartsCheckedAndTheButtonsChangeAllChecks) {
    auto dialog = Make(CCustomDrawListCtrlDlg::kGroupFolder, files.Path("x"));
    EXPECT_EQ(Checks(*dialog), (QList<bool>{true, false, true}));
    dialog->ResetCheckButton().click();
    EXPECT_EQ(Checks(*dialog), (QList<bool>{false, false, false}));
    dialog->CloseAllButton().click();
    EXPECT_EQ(Checks(*dialog), (QList<bool>{true, true, true}));
    // a file group, of a path longer than the old text field
    const QString deep = files.Write(QString(20, 'd') + "/" + QString(120, 'e') + "/" + QString(130, 'f') + ".dat");
    ASSERT_GT(deep.size(), 256);
    ASSERT_EQ(LoadLogs(fresh.core, {deep}), 0);
    EXPECT_EQ(Checks(*Make(CCustomDrawListCtrlDlg::kGroupFile, deep)), (QList<bool>{false, false, false, true}));
}

TEST_F(CCustomDrawListCtrlDlgTest, OkClosesTheCheckedFilesAndTellsTheMainFrame) {
    auto unchanged = Make();
    unchanged->OkButton().click();
    auto dialog = Make();
    dialog->List().SetChecked(0, true);
    dialog->List().SetChecked(2, true);
    dialog->OkButton().click();
    DeliverPosted();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(LoadedPaths(), QStringList{paths[1]});
    EXPECT_EQ(fresh.core.ReadLogFileList.size(), 1u);
    const auto posted = mainFrame.Of(platform::UM_RESET_LAP_LIST);
    ASSERT_EQ(posted.size(), 2u);  // nothing checked still tells, with 0
    EXPECT_EQ(posted[0].wParam, 0u);
    EXPECT_EQ(posted[1].wParam, 2u);
    EXPECT_EQ(posted[1].lParam, 0);
}

TEST_F(CCustomDrawListCtrlDlgTest, OkWithNoRowsPostsNothingAndCancelChangesNothing) {
    Make(0, {}, 1)->OkButton().click();  // no course-map rows
    DeliverPosted();
    EXPECT_TRUE(mainFrame.Of(platform::UM_RESET_LAP_LIST).empty());
    auto dialog = Make(CCustomDrawListCtrlDlg::kGroupFolder, files.Path("x"));
    platform::ModalDialogScript script;
    script.QueueResult(QDialog::Rejected);
    EXPECT_EQ(dialog->DoModal(), QDialog::Rejected);
    EXPECT_EQ(fresh.core.LogFiles.size(), 3u);
    EXPECT_TRUE(std::none_of(fresh.core.ReadLogFileList.begin(), fresh.core.ReadLogFileList.end(),
                             [](const orvelo::FileListEntry& e) { return e.closeMark != 0; }));
}

}  // namespace
