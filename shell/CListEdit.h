// The in-place editor of CListCtrl_EditCstmDraw: a line edit that sits on
// the cell being edited, at the cell's left and one pixel above its top.
#pragma once

#include <QLineEdit>

class CListEdit : public QLineEdit {
public:
    explicit CListEdit(QWidget* parent) : QLineEdit(parent) { setFrame(false); }

    // Puts the editor on the cell.
    void Place(const QRect& cell) { setGeometry(cell.left(), cell.top() - 1, cell.width(), cell.height() + 1); }
};
