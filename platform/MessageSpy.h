// Records every message the bus posts, sends, delivers or drops, for tests.
// While one exists it is installed on the bus; the previous one comes back
// when it goes.
#pragma once

#include "platform/WindowMessage.h"

#include <vector>

namespace platform {

struct SpiedMessage {
    enum class Kind { Posted, Sent, Delivered, Dropped };
    Kind kind;
    WindowHandle to;
    std::uint32_t id;
    WParam wParam;
    LParam lParam;
};

class MessageSpy {
public:
    MessageSpy();
    ~MessageSpy();
    MessageSpy(const MessageSpy&) = delete;
    MessageSpy& operator=(const MessageSpy&) = delete;

    void Record(SpiedMessage::Kind kind, WindowHandle to, const Message& message);
    const std::vector<SpiedMessage>& Entries() const { return m_entries; }
    // The entries of one kind, optionally only those to one window or with one id.
    std::vector<SpiedMessage> Of(SpiedMessage::Kind kind, WindowHandle to = kNoWindow, std::uint32_t id = 0) const;
    void Clear() { m_entries.clear(); }

private:
    MessageSpy* m_previous = nullptr;
    std::vector<SpiedMessage> m_entries;
};

}  // namespace platform
