#include "platform/MessageSpy.h"

#include "platform/MessageBus.h"

namespace platform {

MessageSpy::MessageSpy() : m_previous(TheMessageBus().Spy()) { TheMessageBus().SetSpy(this); }

MessageSpy::~MessageSpy() { TheMessageBus().SetSpy(m_previous); }

void MessageSpy::Record(SpiedMessage::Kind kind, WindowHandle to, const Message& message) {
    m_entries.push_back({kind, to, message.id, message.wParam, message.lParam});
    if (m_previous)
        m_previous->Record(kind, to, message);
}

std::vector<SpiedMessage> MessageSpy::Of(SpiedMessage::Kind kind, WindowHandle to, std::uint32_t id) const {
    std::vector<SpiedMessage> result;
    for (const SpiedMessage& entry : m_entries) {
        if (entry.kind == kind && (to == kNoWindow || entry.to == to) && (id == 0 || entry.id == id))
            result.push_back(entry);
    }
    return result;
}

}  // namespace platform
