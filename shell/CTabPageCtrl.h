// A tab control that shows one page (CTabPageDlg) a tab. Adding a page adds
// its tab and tells the derived control, which fills the page; removing all
// pages goes from the last to the first and frees the pages it was told to.
#pragma once

#include <QPointer>
#include <QTabWidget>

#include <vector>

class CTabPageDlg;

class CTabPageCtrl : public QTabWidget {
public:
    explicit CTabPageCtrl(QWidget* parent = nullptr);

    // The index of the new page.
    int AddPage(const QString& title, CTabPageDlg* page, bool deleteOnRemoval);
    void RemoveAllPages();
    CTabPageDlg* Page(int index) const;
    int PageCount() const { return static_cast<int>(m_pages.size()); }

protected:
    virtual void OnPageAdded(int index);
    // The focus goes to the current page's widget that had it last.
    void focusInEvent(QFocusEvent* event) override;

private:
    struct Entry {
        CTabPageDlg* page;
        bool deleteOnRemoval;
        QPointer<QWidget> focus; // the page's widget that had the focus last
    };
    void NoteFocus(QWidget* now);
    void RestoreFocus(int index);

    std::vector<Entry> m_pages;
};
