#include "shell/CDlgShellListCtrl.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/PathSplit.h"
#include "platform/MessageBox.h"

#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeDatabase>

namespace {

// Qt's own provider guesses a file's type and icon from its first bytes, read on the thread that
// asks; a file whose read blocks (such as /proc/kmsg) would stop the dialog. Here both come from
// the name alone.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    NameOnlyIconProvider() { setOptions(DontUseCustomDirectoryIcons); }
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override {
        return QFileIconProvider::icon(info.isDir() ? QAbstractFileIconProvider::Folder : QAbstractFileIconProvider::File);
    }
    QString type(const QFileInfo& info) const override {
        if (!info.isFile())
            return QFileIconProvider::type(info);
        const QMimeType mime = m_mimes.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }

private:
    QMimeDatabase m_mimes;
};

}  // namespace

QAbstractFileIconProvider& NameOnlyFileIcons() {
    // One for the whole run: a model's gatherer thread may use it until the model is gone.
    static NameOnlyIconProvider provider;
    return provider;
}

CDlgShellListCtrl::CDlgShellListCtrl(orvelo::LapDataCore& core, int mode, QWidget* parent)
    : QTreeView(parent), m_core(core), m_mode(mode), m_files(new QFileSystemModel(this)) {
    setObjectName(QStringLiteral("FileList"));
    // Every file can be picked: there is no file-type filter.
    m_files->setFilter(QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot);
    m_files->setReadOnly(true);
    m_files->setIconProvider(&NameOnlyFileIcons());
    setModel(m_files);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setSortingEnabled(true);
    sortByColumn(0, Qt::AscendingOrder);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) { DoDefault(index); });
    connect(m_files, &QFileSystemModel::directoryLoaded, this, [this](const QString&) { resizeColumnToContents(0); });
}

void CDlgShellListCtrl::ShowFolder(const QString& folder) {
    m_files->setRootPath(folder);
    setRootIndex(m_files->index(folder));
}

QString CDlgShellListCtrl::ShownFolder() const { return m_files->filePath(rootIndex()); }

void CDlgShellListCtrl::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        DoDefault(currentIndex());
        return;
    }
    QTreeView::keyPressEvent(event);
}

int CDlgShellListCtrl::EditFileList(int op, const QString& path) {
    const std::u16string full = path.toStdU16String();
    orvelo::FileListEntry entry;
    entry.pickNumber = m_pickNumber;
    entry.fullPath = full;
    entry.listText = orvelo::GetFolderPart(full);
    entry.removalKey = full.substr(orvelo::FindFileNamePart(full));
    return m_mode == 1 ? orvelo::EditMapFileList(m_core, op, entry) : orvelo::EditLogFileList(m_core, op, entry);
}

void CDlgShellListCtrl::DoDefault(const QModelIndex& index) {
    if (!index.isValid())
        return;
    if (m_files->isDir(index)) {
        const QString folder = m_files->filePath(index);
        ShowFolder(folder);
        if (m_folderOpened)
            m_folderOpened(folder);
        return;
    }
    const QString path = m_files->filePath(index);
    if (path.isEmpty()) {
        m_lastFolder.clear();
        m_scratchPath.clear();
        return;
    }
    ++m_pickNumber;
    m_scratchPath = path;
    m_lastFolder = QString::fromStdU16String(orvelo::GetFolderPart(path.toStdU16String()));
    if (EditFileList(orvelo::kFileListAdd, path) == -1) {
        ++m_pickNumber;
        platform::ShowMessageBox(this, QStringLiteral("Warning , already read"), QStringLiteral("OK"),
                                 platform::kMbIconWarning);
        return;
    }
    if (m_listBox) {
        auto* line = new QListWidgetItem(m_files->fileName(index), m_listBox);
        line->setData(kPathRole, path);
        line->setToolTip(path);
    }
    ++m_filesAdded;
}

void CDlgShellListCtrl::RemovePicked(int line) {
    if (!m_listBox || line < 0 || line >= m_listBox->count())
        return;
    QListWidgetItem* item = m_listBox->takeItem(line);
    const QString path = item->data(kPathRole).toString();
    delete item;
    m_filesAdded = m_filesAdded > 0 ? m_filesAdded - 1 : 0;
    // By its full path: a file of the same name in another folder keeps its entry.
    EditFileList(orvelo::kFileListRemove, path);
}
