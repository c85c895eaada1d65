#include "coursemap/CDummyView.h"

CDummyView::CDummyView(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("CDummyView")); }

void CDummyView::SetHostedWindow(QWidget* window) {
    m_hosted = window;
    if (window) {
        window->setParent(this);
        window->setGeometry(rect());
        window->show();
    }
}

void CDummyView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_hosted)
        m_hosted->setGeometry(rect());
}
