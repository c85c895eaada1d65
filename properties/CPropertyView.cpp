#include "properties/CPropertyView.h"

void CPropertyView::SetHostedGrid(QWidget* grid) {
    m_grid = grid;
    FitGrid();
}

void CPropertyView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitGrid();
}

void CPropertyView::FitGrid() {
    if (m_grid && m_grid->parentWidget() == this)
        m_grid->setGeometry(0, 0, width(), height());
}
