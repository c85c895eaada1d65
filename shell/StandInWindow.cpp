#include "shell/StandInWindow.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

StandInWindow::StandInWindow(const QString& standsFor, QWidget* parent)
    : QLabel(standsFor, parent), m_window(this) {
    setObjectName(standsFor);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setMinimumSize(120, 80);
    m_window.OnAny([this](const platform::Message& m) {
        m_received.push_back({m.id, m.wParam, m.lParam});
        if (m_inspector)
            m_inspector(m);
        PassOn(m);
        auto it = m_answers.find(m.id);
        return it == m_answers.end() ? platform::LResult{0} : it->second;
    });
}

std::vector<StandInWindow::Received> StandInWindow::ReceivedOf(std::uint32_t id) const {
    std::vector<Received> result;
    for (const Received& r : m_received) {
        if (r.id == id)
            result.push_back(r);
    }
    return result;
}

void StandInWindow::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    if (m_reportTo == platform::kNoWindow)
        return;
    platform::PostMessage(m_reportTo, platform::UM_DOCKING_PANEL_CREATED, 0, static_cast<platform::LParam>(WindowHandle()));
    m_reportTo = platform::kNoWindow;
}
