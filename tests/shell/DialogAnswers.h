// A requester for the dialog tests: keeps every answer it is sent, with a
// copy of the block wParam points to (the dialog's own storage is gone once
// the dialog ends).
#pragma once

#include "platform/MessageWindow.h"

#include <vector>

template <class Block>
class DialogAnswers {
public:
    struct Answer {
        Block block;
        platform::LParam lParam;
    };

    explicit DialogAnswers(std::uint32_t id) {
        m_window.On(id, [this](const platform::Message& m) {
            if (const Block* block = platform::BlockIn<Block>(m, m.wParam))
                m_answers.push_back({*block, m.lParam});
            return platform::LResult{0};
        });
    }
    platform::WindowHandle Handle() const { return m_window.Handle(); }
    const std::vector<Answer>& Answers() const { return m_answers; }

private:
    platform::MessageWindow m_window;
    std::vector<Answer> m_answers;
};
