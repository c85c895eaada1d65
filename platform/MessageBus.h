// Carries private window messages between the windows of the one UI thread.
// Post: one first-in-first-out queue shared by all windows; a post made by a
// handler goes to the end. Send: a direct, re-entrant call that returns the
// handler's result, also inside a modal dialog's loop. A message for a window
// that no longer exists is dropped (a send returns 0).
#pragma once

#include "platform/WindowMessage.h"

#include <QObject>
#include <QPointer>
#include <deque>
#include <unordered_map>

namespace platform {

class MessageWindow;
class MessageSpy;

class MessageBus {
public:
    MessageBus();
    ~MessageBus();
    MessageBus(const MessageBus&) = delete;
    MessageBus& operator=(const MessageBus&) = delete;

    WindowHandle Register(MessageWindow* window);
    void Unregister(WindowHandle handle);
    MessageWindow* Find(WindowHandle handle) const;

    // false when the target does not exist (nothing is queued then).
    bool Post(WindowHandle to, Message message);
    LResult Send(WindowHandle to, const Message& message);

    // Delivers queued messages until the queue is empty, including those the
    // handlers post meanwhile; returns how many were taken from the queue.
    int ProcessPosted();
    std::size_t PendingCount() const { return m_queue.size(); }

    void SetSpy(MessageSpy* spy) { m_spy = spy; }
    MessageSpy* Spy() const { return m_spy; }

private:
    struct Queued {
        WindowHandle to;
        Message message;
    };
    class Waker;

    bool DeliverOne();
    QObject* EnsureWaker();

    std::deque<Queued> m_queue;
    std::unordered_map<WindowHandle, MessageWindow*> m_windows;
    WindowHandle m_nextHandle = 0x1000;
    QPointer<QObject> m_waker;
    MessageSpy* m_spy = nullptr;
};

// The one bus of the program.
MessageBus& TheMessageBus();

bool PostMessage(WindowHandle to, std::uint32_t id, WParam wParam, LParam lParam);
bool PostMessage(WindowHandle to, Message message);
LResult SendMessage(WindowHandle to, std::uint32_t id, WParam wParam, LParam lParam);
LResult SendMessage(WindowHandle to, const Message& message);
bool IsWindow(WindowHandle handle);

// The window object behind a handle, or nullptr when it is gone or of another type.
template <class T>
T* WindowFromHandle(WindowHandle handle);

}  // namespace platform

#include "platform/MessageWindow.h"

namespace platform {
template <class T>
T* WindowFromHandle(WindowHandle handle) {
    MessageWindow* window = TheMessageBus().Find(handle);
    return window ? dynamic_cast<T*>(window->Owner()) : nullptr;
}
}  // namespace platform
