// Base of the shell tests' stand-in windows: a plain widget
// that names what it stands for, keeps every message it receives, and answers
// each with the result its window gives.
#pragma once

#include "platform/MessageBus.h"
#include "platform/MessageWindow.h"
#include "platform/UserMessages.h"

#include <QLabel>

#include <functional>
#include <map>
#include <vector>

class StandInWindow : public QLabel {
public:
    struct Received {
        std::uint32_t id;
        platform::WParam wParam;
        platform::LParam lParam;
    };

    StandInWindow(const QString& standsFor, QWidget* parent) : QLabel(standsFor, parent), m_window(this) {
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

    platform::WindowHandle WindowHandle() const { return m_window.Handle(); }
    // The result of a message id (0 when none is set).
    void SetAnswer(std::uint32_t id, platform::LResult result) { m_answers[id] = result; }
    const std::vector<Received>& ReceivedMessages() const { return m_received; }
    std::vector<Received> ReceivedOf(std::uint32_t id) const {
        std::vector<Received> result;
        for (const Received& r : m_received) {
            if (r.id == id)
                result.push_back(r);
        }
        return result;
    }
    void ClearReceived() { m_received.clear(); }
    // Sees each message while it is handled (to read the blocks it points to).
    void SetInspector(std::function<void(const platform::Message&)> inspector) { m_inspector = std::move(inspector); }
    // A docking pane tells the main frame once, when first shown, that it is up (2033).
    void ReportFirstShowTo(platform::WindowHandle mainFrame) { m_reportTo = mainFrame; }

protected:
    platform::MessageWindow& Window() { return m_window; }
    // Each message after it was kept, before it is answered.
    virtual void PassOn(const platform::Message&) {}
    void showEvent(QShowEvent* event) override {
        QLabel::showEvent(event);
        if (m_reportTo == platform::kNoWindow)
            return;
        platform::PostMessage(m_reportTo, platform::UM_DOCKING_PANEL_CREATED, 0,
                              static_cast<platform::LParam>(WindowHandle()));
        m_reportTo = platform::kNoWindow;
    }

private:
    platform::MessageWindow m_window;
    std::map<std::uint32_t, platform::LResult> m_answers;
    std::vector<Received> m_received;
    std::function<void(const platform::Message&)> m_inspector;
    platform::WindowHandle m_reportTo = platform::kNoWindow;
};
