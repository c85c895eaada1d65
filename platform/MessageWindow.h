// The message endpoint of one window: its handle and its message map.
// A window class holds one as a member; destroying it (or calling Destroy)
// makes the handle name nothing, so later posts and sends to it are dropped.
#pragma once

#include "platform/WindowMessage.h"

#include <functional>
#include <unordered_map>

class QObject;

namespace platform {

using MessageHandler = std::function<LResult(const Message&)>;

class MessageWindow {
public:
    // owner is the window object behind the handle (see WindowFromHandle).
    explicit MessageWindow(QObject* owner = nullptr);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    WindowHandle Handle() const { return m_handle; }
    QObject* Owner() const { return m_owner; }

    // Enters a handler in the message map; a second one for the same id replaces it.
    void On(std::uint32_t id, MessageHandler handler);
    // Receives every message without an entry of its own (test recorders, stand-ins).
    void OnAny(MessageHandler handler) { m_anyHandler = std::move(handler); }
    bool Handles(std::uint32_t id) const;

    // Runs the handler of the message; 0 when the map has none.
    LResult Dispatch(const Message& message) const;

    // The window is gone from now on: its handle resolves to nothing.
    void Destroy();
    bool IsDestroyed() const { return m_handle == kNoWindow; }

private:
    WindowHandle m_handle = kNoWindow;
    QObject* m_owner = nullptr;
    std::unordered_map<std::uint32_t, MessageHandler> m_handlers;
    MessageHandler m_anyHandler;
};

}  // namespace platform
