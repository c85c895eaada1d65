// A window for tests that receives every message and keeps it with its payload.
#pragma once

#include "platform/MessageWindow.h"

#include <map>
#include <vector>

namespace testsupport {

class RecordingWindow {
public:
    RecordingWindow() {
        m_window.OnAny([this](const platform::Message& m) {
            m_received.push_back(m);
            const auto answer = m_answers.find(m.id);
            return answer != m_answers.end() ? answer->second : platform::LResult{1};
        });
    }
    // The result the window gives for a message (1 unless told).
    void Answer(std::uint32_t id, platform::LResult result) { m_answers[id] = result; }
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
    std::map<std::uint32_t, platform::LResult> m_answers;
};

}  // namespace testsupport
