// The splitter under a lap overview window's channel rows: the X scale in
// its upper row and an empty strip below, one column wide.
#pragma once

#include <QSplitter>

class CAxisSplitterWnd : public QSplitter {
public:
    explicit CAxisSplitterWnd(QWidget* parent);

    // The pane of row 0 or 1; the splitter becomes its parent.
    void SetPane(int row, QWidget* pane);
    QWidget* Pane(int row) const { return row >= 0 && row < count() ? widget(row) : nullptr; }
    void SetRowHeights(int upper, int lower);
};
