#include "shell/CTabPageCtrl.h"

#include "shell/CTabPageDlg.h"

#include <QApplication>

// Each page keeps the widget the user left the focus on, and gets it back when it is shown again.
CTabPageCtrl::CTabPageCtrl(QWidget* parent) : QTabWidget(parent) {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { NoteFocus(now); });
    connect(this, &QTabWidget::currentChanged, this, [this](int index) { RestoreFocus(index); });
}

void CTabPageCtrl::NoteFocus(QWidget* now) {
    for (Entry& entry : m_pages) {
        if (now && entry.page->isAncestorOf(now))
            entry.focus = now;
    }
}

void CTabPageCtrl::RestoreFocus(int index) {
    if (index < 0 || index >= PageCount())
        return;
    if (QWidget* remembered = m_pages[static_cast<std::size_t>(index)].focus; remembered && remembered->isVisible())
        remembered->setFocus(Qt::TabFocusReason);
}

void CTabPageCtrl::focusInEvent(QFocusEvent* event) {
    QTabWidget::focusInEvent(event);
    RestoreFocus(currentIndex());
}

int CTabPageCtrl::AddPage(const QString& title, CTabPageDlg* page, bool deleteOnRemoval) {
    addTab(page, title);
    m_pages.push_back({page, deleteOnRemoval, nullptr});
    const int index = PageCount() - 1;
    OnPageAdded(index);
    return index;
}

void CTabPageCtrl::RemoveAllPages() {
    while (!m_pages.empty()) {
        const Entry entry = m_pages.back();
        m_pages.pop_back();
        removeTab(PageCount());
        if (entry.deleteOnRemoval)
            delete entry.page;
    }
}

CTabPageDlg* CTabPageCtrl::Page(int index) const {
    return index >= 0 && index < PageCount() ? m_pages[static_cast<std::size_t>(index)].page : nullptr;
}

void CTabPageCtrl::OnPageAdded(int) {}
