#include "platform/MessageWindow.h"

#include "platform/MessageBus.h"

namespace platform {

MessageWindow::MessageWindow(QObject* owner) : m_owner(owner) { m_handle = TheMessageBus().Register(this); }

MessageWindow::~MessageWindow() { Destroy(); }

void MessageWindow::On(std::uint32_t id, MessageHandler handler) { m_handlers[id] = std::move(handler); }

bool MessageWindow::Handles(std::uint32_t id) const { return m_handlers.count(id) != 0 || m_anyHandler; }

LResult MessageWindow::Dispatch(const Message& message) const {
    // A handler may destroy this window; run a copy so the call stays valid.
    MessageHandler handler;
    if (auto it = m_handlers.find(message.id); it != m_handlers.end())
        handler = it->second;
    else
        handler = m_anyHandler;
    return handler ? handler(message) : 0;
}

void MessageWindow::Destroy() {
    if (m_handle == kNoWindow)
        return;
    TheMessageBus().Unregister(m_handle);
    m_handle = kNoWindow;
}

}  // namespace platform
