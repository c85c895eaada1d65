#include "coursemap/CFrameMapSegEdit.h"

#include "coursemap/CDummyView.h"
#include "coursemap/CxSplitterWndExt.h"

CFrameMapSegEdit::CFrameMapSegEdit(platform::WindowHandle notify, QWidget* parent)
    : QWidget(parent), m_splitter(new CxSplitterWndExt(2, 1, notify, kSplitterId, this)), m_upper(new CDummyView) {
    setObjectName(QStringLiteral("CFrameMapSegEdit"));
    m_splitter->SetPane(0, 0, m_upper);
    m_splitter->SetRowInfo(0, kMinimumPane, kMinimumPane);
    m_splitter->SetRowInfo(1, kMinimumPane, kMinimumPane);
    m_splitter->SetColumnInfo(0, kMinimumPane, kMinimumPane);
}

void CFrameMapSegEdit::SetEditView(QWidget* view) {
    m_splitter->SetPane(1, 0, view);
    m_splitter->SetReady(true);
}

void CFrameMapSegEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_splitter->setGeometry(rect());
}
