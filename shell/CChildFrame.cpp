#include "shell/CChildFrame.h"

#include "shell/CMainFrame.h"
#include "shell/COrveloApp.h"
#include "shell/COrveloDoc.h"
#include "shell/COrveloView.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(COrveloApp& app, int number) : m_app(app), m_document(std::make_unique<COrveloDoc>(app)) {
    m_app.WorkAreaWindowList().push_back(this);
    m_document->OnNewDocument(number);
    setObjectName(m_document->Title());
    setWindowTitle(m_document->Title());
    setAttribute(Qt::WA_DeleteOnClose);
    m_view = new COrveloView(m_app, *m_document, this);
    setWidget(m_view);
}

CChildFrame::~CChildFrame() { DestroyWorkArea(); }

platform::WindowHandle CChildFrame::ViewHandle() const {
    return m_view && !m_destroyed ? m_view->Handle() : platform::kNoWindow;
}

void CChildFrame::DestroyWorkArea() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    m_app.DecrementOpenWorkAreaCount();
    m_app.RemoveWorkAreaWindow(this);
    if (CMainFrame* main = m_app.MainFrame())
        main->ForgetWorkArea(this);
    m_view->OnDestroy();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    DestroyWorkArea();
    event->accept();
}
