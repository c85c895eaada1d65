// The colour chooser: a full colour dialog that starts on a colour and shows
// sixteen custom colours, which it keeps up to date. Tests install a
// ChooseColorScript to answer without a display.
#pragma once

#include "platform/ColorRef.h"

#include <array>
#include <deque>
#include <optional>
#include <vector>

class QWidget;

namespace platform {

using CustomColors = std::array<ColorRef, 16>;

// The chosen colour, or nothing when the user cancelled. customColors holds
// the user's custom colours afterwards.
std::optional<ColorRef> ChooseColor(QWidget* parent, ColorRef initial, CustomColors& customColors);

// The custom colours of the windows that keep none of their own: sixteen
// whites at start, kept for the run.
CustomColors& SharedCustomColors();

struct ColorRequest {
    ColorRef initial = 0;
    CustomColors customColors{};
};

// While one exists, choosers are answered from its queue (an empty queue
// cancels) and every request is kept.
class ChooseColorScript {
public:
    ChooseColorScript();
    ~ChooseColorScript();
    ChooseColorScript(const ChooseColorScript&) = delete;
    ChooseColorScript& operator=(const ChooseColorScript&) = delete;

    void QueueColor(ColorRef color) { m_answers.push_back(color); }
    void QueueCancel() { m_answers.push_back(std::nullopt); }
    const std::vector<ColorRequest>& Requests() const { return m_requests; }

    static ChooseColorScript* Active();
    std::optional<ColorRef> Answer(const ColorRequest& request);

private:
    ChooseColorScript* m_previous = nullptr;
    std::deque<std::optional<ColorRef>> m_answers;
    std::vector<ColorRequest> m_requests;
};

}  // namespace platform
