#include "shell/CSelectFile_Dlg.h"

#include "shell/CDlgShellListCtrl.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "platform/MessageBus.h"
#include "platform/ModalDialog.h"
#include "platform/UserMessages.h"
#include "platform/WaitCursor.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>

CSelectFile_Dlg::CSelectFile_Dlg(orvelo::LapDataCore& core, Setup setup, QWidget* parent)
    : QDialog(parent), m_core(core), m_setup(std::move(setup)) {
    setObjectName(QStringLiteral("SelectFileDialog"));
    BuildControls();
}

void CSelectFile_Dlg::BuildControls() {
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setReadOnly(true);
    m_folders->setIconProvider(&NameOnlyFileIcons());
    m_folders->setRootPath(QStringLiteral("/"));
    m_folderTree = new QTreeView(this);
    m_folderTree->setObjectName(QStringLiteral("FolderTree"));
    m_folderTree->setModel(m_folders);
    m_folderTree->setRootIndex(m_folders->index(QStringLiteral("/")));
    for (int c = 1; c < m_folders->columnCount(); ++c)
        m_folderTree->hideColumn(c);
    m_folderTree->setHeaderHidden(true);
    m_fileList = new CDlgShellListCtrl(m_core, m_setup.mode, this);
    m_pickedList = new QListWidget(this);
    m_pickedList->setObjectName(QStringLiteral("PickedFiles"));
    m_pickedList->setToolTip(QStringLiteral("Double-click a file to take it out again"));
    m_fileList->SetListBox(m_pickedList);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* pickedCaption = new QLabel(QStringLiteral("Files to read (double-click or Delete takes one out):"), this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_folderTree, 0, 0, 3, 1);
    grid->addWidget(m_fileList, 0, 1);
    grid->addWidget(pickedCaption, 1, 1);
    grid->addWidget(m_pickedList, 2, 1);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 3);
    grid->setRowStretch(2, 2);
    resize(760, 520);
    setSizeGripEnabled(true);

    connect(m_ok, &QPushButton::clicked, this, [this] { OnBnClickedOk(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    platform::ReturnPressesOk(*this, m_ok);
    connect(m_pickedList, &QListWidget::itemDoubleClicked, this, [this] { OnLbnDblclkFileList(); });
    m_pickedList->installEventFilter(this);
    // A folder made current in the tree, by the mouse or the keyboard, is shown in the file list.
    connect(m_folderTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid())
                    m_fileList->ShowFolder(m_folders->filePath(index));
            });
    m_fileList->SetFolderOpened([this](const QString& folder) {
        const QModelIndex index = m_folders->index(folder);
        m_folderTree->setCurrentIndex(index);
        m_folderTree->scrollTo(index);
    });
    // The folders above the start folder arrive after the dialog opens and push it down; it is
    // followed once the model is done with each change.
    const auto follow = [this] {
        if (m_followStart)
            QMetaObject::invokeMethod(this, [this] { FollowStartFolder(); }, Qt::QueuedConnection);
    };
    connect(m_folders, &QAbstractItemModel::rowsInserted, this, follow);
    connect(m_folders, &QAbstractItemModel::layoutChanged, this, follow);
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, follow);
    m_folderTree->installEventFilter(this);
    m_folderTree->viewport()->installEventFilter(this);
    connect(m_folderTree->verticalScrollBar(), &QScrollBar::sliderPressed, this, [this] { m_followStart = false; });
}

// Keeps the start folder current and in sight until the user moves in the tree.
void CSelectFile_Dlg::FollowStartFolder() {
    if (!m_followStart || m_startFolder.isEmpty())
        return;
    const QModelIndex index = m_folders->index(m_startFolder);
    if (!index.isValid())
        return;
    if (m_folderTree->currentIndex() != index)
        m_folderTree->setCurrentIndex(index);
    m_folderTree->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void CSelectFile_Dlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FollowStartFolder();
}

QString CSelectFile_Dlg::ChooseStartFolder() const {
    if (!m_setup.lastFolder.isEmpty())
        return m_setup.lastFolder;
    if (m_setup.profileFolder == kNothingPath)
        return m_setup.desktopFolder;
    if (!m_setup.profileFolder.isEmpty() && QFileInfo(m_setup.profileFolder).isDir())
        return m_setup.profileFolder;
    return {};
}

void CSelectFile_Dlg::OnInitDialog() {
    setWindowTitle(m_setup.mode == 1 ? QStringLiteral("Select Map file") : QStringLiteral("Select Log file"));
    m_startFolder = ChooseStartFolder();
    m_followStart = !m_startFolder.isEmpty();
    if (m_followStart) {
        m_fileList->ShowFolder(m_startFolder);
        FollowStartFolder();
    }
    m_pickedList->clear();
    m_pickedList->setFont(font());
}

int CSelectFile_Dlg::DoModal() {
    OnInitDialog();
    return platform::RunModalDialog(*this);
}

void CSelectFile_Dlg::OnLbnDblclkFileList() {
    const int line = m_pickedList->currentRow();
    if (line >= 0)
        m_fileList->RemovePicked(line);
}

bool CSelectFile_Dlg::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((watched == m_folderTree || watched == m_folderTree->viewport()) &&
        (type == QEvent::KeyPress || type == QEvent::MouseButtonPress || type == QEvent::Wheel))
        m_followStart = false;
    // The Delete key takes a picked file out as a double click does.
    if (watched == m_pickedList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        OnLbnDblclkFileList();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CSelectFile_Dlg::OnBnClickedOk() {
    m_filesChosen = m_fileList->FilesAdded();
    if (m_setup.filesChosen)
        m_setup.filesChosen(m_filesChosen);
    accept();
    const QString folder = m_fileList->LastFolder();
    if (m_filesChosen == 0 || folder.isEmpty())
        return;
    platform::WaitCursor wait;
    if (m_setup.mode == 1) {
        m_readErrorCount = orvelo::LoadPendingMapFiles(m_core, m_setup.mapDrawMode);
        // -1: the list held nothing to read, which is no failure.
        m_readErrorCount = qMax(0, m_readErrorCount);
        platform::SendMessage(m_setup.mainFrame, platform::UM_VIEW_READ_MAP_FILE, 0, 1);
    } else {
        m_readErrorCount = qMax(0, orvelo::LoadPendingLogFiles(m_core, m_setup.mapDrawMode));
        platform::SendMessage(m_setup.mainFrame, platform::UM_LAP_LIST_ALL_VIEW, 0, 0);
    }
    if (m_setup.readErrors)
        m_setup.readErrors(m_readErrorCount);
    if (m_setup.folderUsed)
        m_setup.folderUsed(folder);
}

QStringList CSelectFile_Dlg::FailedFiles(const orvelo::LapDataCore& core, int mode) {
    QStringList failed;
    for (const orvelo::FileListEntry& entry : mode == 1 ? core.ReadMapFileList : core.ReadLogFileList) {
        if (!entry.loadedFlag && entry.loadError != 0)
            failed.push_back(QString::fromStdU16String(entry.fullPath) +
                             (entry.cannotOpen ? QStringLiteral(" (Error, cannot open file)") : QString()));
    }
    return failed;
}

QStringList CSelectFile_Dlg::CutOffFiles(const orvelo::LapDataCore& core, int mode) {
    QStringList cutOff;
    for (const orvelo::FileListEntry& entry : mode == 1 ? core.ReadMapFileList : core.ReadLogFileList) {
        if (entry.loadedFlag && entry.lastRecordCutOff != 0)
            cutOff.push_back(QString::fromStdU16String(entry.fullPath));
    }
    return cutOff;
}
