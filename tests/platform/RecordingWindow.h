// A window for tests that receives every message and keeps it with its payload.
#pragma once

#include "platform/MessageWindow.h"

#include <vector>

namespace testsupport {

class RecordingWindow {
public:
    RecordingWindow() {
        m_window.OnAny([this](const platform::Message& m) {
            m_received.push_back(m);
            return platform::LResult{1};
        });
    }
    platform::WindowHandle Handle() const { return m_window.Handle(); }
    std::vector<platform::Message> Of(std::uint32_t id) const {
        std::vector<platform::Message> found;
        for (const platform::Message& m : m_received) {
            if (m.id == id)
                found.push_back(m);
        }
        return found;
    }

private:
    platform::MessageWindow m_window;
    std::vector<platform::Message> m_received;
};

}  // namespace testsupport
