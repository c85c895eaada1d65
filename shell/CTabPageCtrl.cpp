#include "shell/CTabPageCtrl.h"

#include "shell/CTabPageDlg.h"

CTabPageCtrl::CTabPageCtrl(QWidget* parent) : QTabWidget(parent) {}

int CTabPageCtrl::AddPage(const QString& title, CTabPageDlg* page, bool deleteOnRemoval) {
    addTab(page, title);
    m_pages.push_back({page, deleteOnRemoval});
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
