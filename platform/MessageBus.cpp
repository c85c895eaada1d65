#include "platform/MessageBus.h"

#include "platform/MessageSpy.h"
#include "platform/MessageWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

namespace platform {

// Each post wakes the event loop once; the wake delivers the oldest queued
// message. So messages interleave with input and paint events in post order,
// and a nested (modal) loop goes on delivering them.
class MessageBus::Waker : public QObject {
public:
    explicit Waker(MessageBus* bus) : QObject(QCoreApplication::instance()), m_bus(bus) {}
    static QEvent::Type WakeType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    bool event(QEvent* event) override {
        if (event->type() != WakeType())
            return QObject::event(event);
        m_bus->DeliverOne();
        return true;
    }

private:
    MessageBus* m_bus;
};

MessageBus::MessageBus() = default;

MessageBus::~MessageBus() { delete m_waker.data(); }

WindowHandle MessageBus::Register(MessageWindow* window) {
    const WindowHandle handle = m_nextHandle++;
    m_windows.emplace(handle, window);
    return handle;
}

void MessageBus::Unregister(WindowHandle handle) { m_windows.erase(handle); }

MessageWindow* MessageBus::Find(WindowHandle handle) const {
    auto it = m_windows.find(handle);
    return it == m_windows.end() ? nullptr : it->second;
}

QObject* MessageBus::EnsureWaker() {
    if (!m_waker && QCoreApplication::instance())
        m_waker = new Waker(this);
    return m_waker.data();
}

bool MessageBus::Post(WindowHandle to, Message message) {
    Q_ASSERT(!QCoreApplication::instance() || QThread::currentThread() == QCoreApplication::instance()->thread());
    if (!Find(to)) {
        if (m_spy)
            m_spy->Record(SpiedMessage::Kind::Dropped, to, message);
        return false;
    }
    message.sent = false;
    if (m_spy)
        m_spy->Record(SpiedMessage::Kind::Posted, to, message);
    m_queue.push_back({to, std::move(message)});
    if (QObject* waker = EnsureWaker())
        QCoreApplication::postEvent(waker, new QEvent(Waker::WakeType()));
    return true;
}

LResult MessageBus::Send(WindowHandle to, const Message& message) {
    MessageWindow* window = Find(to);
    if (!window) {
        if (m_spy)
            m_spy->Record(SpiedMessage::Kind::Dropped, to, message);
        return 0;
    }
    Message delivered = message;
    delivered.sent = true;
    if (m_spy)
        m_spy->Record(SpiedMessage::Kind::Sent, to, delivered);
    return window->Dispatch(delivered);
}

bool MessageBus::DeliverOne() {
    if (m_queue.empty())
        return false;
    Queued queued = std::move(m_queue.front());
    m_queue.pop_front();
    MessageWindow* window = Find(queued.to);
    if (!window) {
        if (m_spy)
            m_spy->Record(SpiedMessage::Kind::Dropped, queued.to, queued.message);
        return true;
    }
    if (m_spy)
        m_spy->Record(SpiedMessage::Kind::Delivered, queued.to, queued.message);
    window->Dispatch(queued.message);
    return true;
}

int MessageBus::ProcessPosted() {
    int count = 0;
    while (DeliverOne())
        ++count;
    return count;
}

MessageBus& TheMessageBus() {
    static MessageBus bus;
    return bus;
}

bool PostMessage(WindowHandle to, std::uint32_t id, WParam wParam, LParam lParam) {
    return TheMessageBus().Post(to, Message{id, wParam, lParam, {}});
}

bool PostMessage(WindowHandle to, Message message) { return TheMessageBus().Post(to, std::move(message)); }

LResult SendMessage(WindowHandle to, std::uint32_t id, WParam wParam, LParam lParam) {
    return TheMessageBus().Send(to, Message{id, wParam, lParam, {}});
}

LResult SendMessage(WindowHandle to, const Message& message) { return TheMessageBus().Send(to, message); }

bool IsWindow(WindowHandle handle) { return TheMessageBus().Find(handle) != nullptr; }

}  // namespace platform
