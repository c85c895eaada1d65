#include "graphs/CAxisSplitterWnd.h"

#include "graphs/CxSplitterWnd.h"

#include <algorithm>

CAxisSplitterWnd::CAxisSplitterWnd(QWidget* parent) : QSplitter(Qt::Vertical, parent) {
    setObjectName(QStringLiteral("CAxisSplitterWnd"));
    setHandleWidth(CxSplitterWnd::kRowGap);
    setChildrenCollapsible(true);
}

void CAxisSplitterWnd::SetPane(int row, QWidget* pane) {
    if (row == count())
        addWidget(pane);
    else if (row >= 0 && row < count())
        replaceWidget(row, pane);
    pane->setMinimumSize(0, 0);
}

void CAxisSplitterWnd::SetRowHeights(int upper, int lower) { setSizes({std::max(0, upper), std::max(0, lower)}); }
