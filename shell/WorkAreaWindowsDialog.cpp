#include "shell/WorkAreaWindowsDialog.h"

#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/COrveloApp.h"
#include "shell/COrveloDoc.h"

#include "platform/ModalDialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

namespace {
// Item data of a line: the work area's number.
constexpr int kNumberRole = Qt::UserRole + 1;
}  // namespace

WorkAreaWindowsDialog::WorkAreaWindowsDialog(CMainFrame& frame) : QDialog(&frame), m_frame(frame) {
    setObjectName(QStringLiteral("WorkAreaWindowsDialog"));
    setWindowTitle(QStringLiteral("Windows"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("WorkAreas"));
    m_activate = new QPushButton(QStringLiteral("Activate"), this);
    m_closeWindow = new QPushButton(QStringLiteral("Close Window"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0, 4, 1);
    layout->addWidget(m_activate, 0, 1);
    layout->addWidget(m_closeWindow, 1, 1);
    layout->addWidget(ok, 2, 1);
    layout->setRowStretch(3, 1);
    connect(m_activate, &QPushButton::clicked, this, [this] { OnActivate(); });
    connect(m_closeWindow, &QPushButton::clicked, this, [this] { OnCloseWindow(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { OnActivate(); });
    m_list->installEventFilter(this);
    Fill();
    platform::ReturnPressesOk(*this, ok);
}

int WorkAreaWindowsDialog::DoModal() { return platform::RunModalDialog(*this); }

void WorkAreaWindowsDialog::Fill() {
    m_list->clear();
    for (CChildFrame* frame : m_frame.App().WorkAreaWindowList()) {
        auto* line = new QListWidgetItem(frame->Document().Title(), m_list);
        line->setData(kNumberRole, frame->Document().Number());
        if (frame == m_frame.ActiveWorkArea())
            m_list->setCurrentItem(line);
    }
    const bool any = m_list->count() > 0;
    m_activate->setEnabled(any);
    m_closeWindow->setEnabled(any);
}

CChildFrame* WorkAreaWindowsDialog::Selected() const {
    const QListWidgetItem* line = m_list->currentItem();
    if (!line)
        return nullptr;
    for (CChildFrame* frame : m_frame.App().WorkAreaWindowList()) {
        if (frame->Document().Number() == line->data(kNumberRole).toInt())
            return frame;
    }
    return nullptr;
}

void WorkAreaWindowsDialog::OnActivate() {
    if (CChildFrame* frame = Selected()) {
        m_frame.ActivateWorkArea(frame);
        accept();
    }
}

// Return in the list would otherwise reach the default button, OK, which ends the dialog and
// leaves the chosen work area where it was.
bool WorkAreaWindowsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && Selected()) {
            OnActivate();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void WorkAreaWindowsDialog::OnCloseWindow() {
    if (CChildFrame* frame = Selected()) {
        frame->close();
        Fill();
    }
}
