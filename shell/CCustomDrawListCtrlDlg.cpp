#include "shell/CCustomDrawListCtrlDlg.h"

#include "shell/CListCtrlCustomDrawEx.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "platform/MessageBus.h"
#include "platform/ModalDialog.h"
#include "platform/UserMessages.h"
#include "platform/WaitCursor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CCustomDrawListCtrlDlg::CCustomDrawListCtrlDlg(orvelo::LapDataCore& core, int mode, platform::WindowHandle mainWindow,
                                               QWidget* parent)
    : QDialog(parent), m_core(core), m_mode(mode), m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("CloseFileDialog"));
    m_list = new CListCtrlCustomDrawEx(this);
    m_list->setObjectName(QStringLiteral("FileRows"));
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_closeAll = new QPushButton(QStringLiteral("Close All"), this);
    m_resetCheck = new QPushButton(QStringLiteral("Reset check"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_ok, m_cancel, m_closeAll, m_resetCheck})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(640, 320);
    setSizeGripEnabled(true);
    connect(m_ok, &QPushButton::clicked, this, [this] { OnBnClickedOk(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    platform::ReturnPressesOk(*this, m_ok);
    connect(m_closeAll, &QPushButton::clicked, this, [this] { OnBnClickedCloseAll(); });
    connect(m_resetCheck, &QPushButton::clicked, this, [this] { OnBnClickedResetCheck(); });
}

void CCustomDrawListCtrlDlg::SetGroup(int kind, const QString& text) {
    m_groupKind = kind;
    m_groupText = text;
}

int CCustomDrawListCtrlDlg::DoModal() {
    OnInitDialog();
    return platform::RunModalDialog(*this);
}

void CCustomDrawListCtrlDlg::OnInitDialog() {
    const bool maps = m_mode == 1;
    setWindowTitle(maps ? QStringLiteral("Close Map-file , read map-file list")
                        : QStringLiteral("Close Log-file , read log-file list"));
    QFont listFont(QStringLiteral("Microsoft Sans Serif"), 9);
    listFont.setStyleHint(QFont::SansSerif);
    m_list->setFont(listFont);
    m_list->horizontalHeader()->setFont(listFont);
    m_list->setColumnCount(2);
    m_list->setHorizontalHeaderLabels(maps ? QStringList{QStringLiteral("   File name"), QStringLiteral("Path")}
                                           : QStringList{QStringLiteral("    Path"), QStringLiteral("File name")});
    for (int c = 0; c < 2; ++c)
        m_list->horizontalHeaderItem(c)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int client = m_list->viewport()->width();
    const int header0 = QFontMetrics(listFont).horizontalAdvance(m_list->horizontalHeaderItem(0)->text());
    const int first = std::max(client / 3, 2 * header0);
    m_list->setColumnWidth(0, first);
    m_list->setColumnWidth(1, client - first + 1);
    FillRows();
    m_list->resizeColumnsToContents();
    m_list->horizontalHeader()->setStretchLastSection(true);
}

void CCustomDrawListCtrlDlg::FillRows() {
    const auto& entries = m_mode == 1 ? m_core.ReadMapFileList : m_core.ReadLogFileList;
    m_list->setRowCount(0);
    for (const orvelo::FileListEntry& entry : entries) {
        if (!entry.loadedFlag)
            continue;
        const QString folder = QString::fromStdU16String(entry.listText);
        const QString name = QString::fromStdU16String(entry.removalKey);
        const QString path = QString::fromStdU16String(entry.fullPath);
        const int row = m_list->rowCount();
        m_list->insertRow(row);
        auto* first = new QTableWidgetItem(m_mode == 1 ? name : folder);
        first->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        first->setData(kPathRole, path);
        first->setToolTip(path);
        auto* second = new QTableWidgetItem(m_mode == 1 ? folder : name);
        second->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_list->setItem(row, 0, first);
        m_list->setItem(row, 1, second);
        bool checked = false;
        if (m_mode == 0 && m_groupKind == kGroupFile)
            checked = path == m_groupText;
        else if (m_mode == 0 && m_groupKind == kGroupFolder)
            checked = folder == m_groupText;
        first->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    m_rows = m_list->rowCount();
}

void CCustomDrawListCtrlDlg::OnBnClickedCloseAll() { m_list->SetAllChecked(true); }

void CCustomDrawListCtrlDlg::OnBnClickedResetCheck() { m_list->SetAllChecked(false); }

void CCustomDrawListCtrlDlg::OnBnClickedOk() {
    if (m_rows > 0) {
        // Each row names its entry by full path, so no entry can take another row's check.
        auto& entries = m_mode == 1 ? m_core.ReadMapFileList : m_core.ReadLogFileList;
        for (orvelo::FileListEntry& entry : entries)
            entry.closeMark = 0;
        for (int r = 0; r < m_list->rowCount(); ++r) {
            const std::u16string path = m_list->item(r, 0)->data(kPathRole).toString().toStdU16String();
            auto it = std::find_if(entries.begin(), entries.end(), [&path](const orvelo::FileListEntry& e) {
                return e.loadedFlag && e.fullPath == path;
            });
            if (it != entries.end())
                it->closeMark = m_list->IsChecked(r) ? 1 : 0;
        }
        int closed = 0;
        {
            platform::WaitCursor wait;
            closed = m_mode == 1 ? orvelo::CloseMarkedMapFiles(m_core) : orvelo::CloseMarkedLogFiles(m_core);
        }
        platform::PostMessage(m_mainWindow, platform::UM_RESET_LAP_LIST, static_cast<platform::WParam>(closed),
                              static_cast<platform::LParam>(m_mode));
    }
    accept();
}
