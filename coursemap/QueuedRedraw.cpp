#include "coursemap/QueuedRedraw.h"

#include <QMetaObject>

void QueuedRedraw::Request() {
    m_pending = true;
    if (m_queued || !m_window)
        return;
    m_queued = true;
    QMetaObject::invokeMethod(
        m_window,
        [this] {
            m_queued = false;
            RunPending();
        },
        Qt::QueuedConnection);
}

void QueuedRedraw::RunPending() {
    if (!m_pending || !m_window || !m_window->isVisible())
        return;
    m_pending = false;
    m_draw();
}
