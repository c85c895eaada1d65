// "Lap Color Property": the colours of the base lap and overlay laps 1 to 6.
// On OK with changes it sends UM_LAP_COLOR_PROPERTY (colours, changes) to the
// requester (the lap list pane, which stores them) and posts (0, changes) to
// the small course map, which repaints.
#pragma once

#include "shell/ColorPropertyDialog.h"

#include <array>

class ColorPickButton;

class CLapColorPropDlg : public ColorPropertyDialog {
public:
    using Colors = std::array<platform::ColorRef, 7>;
    static constexpr int kOk = 1045;
    static constexpr int kReset = 1047;
    static constexpr int kFirstButton = 40000;  // base lap; 40001 to 40006 overlay laps 1 to 6

    CLapColorPropDlg(platform::WindowHandle requester, platform::WindowHandle mapWindow, const Colors& colors,
                     QWidget* parent);

    const Colors& EditedColors() const { return m_colors; }
    int ChangeCount() const { return m_changes; }
    ColorPickButton* Button(int lap) const { return m_buttons[static_cast<std::size_t>(lap)]; }

private:
    void OnPick(int lap, platform::ColorRef color);
    void Answer() override;
    void Reset() override;

    platform::WindowHandle m_mapWindow;
    Colors m_colors;
    int m_changes = 0;
    std::array<ColorPickButton*, 7> m_buttons{};
};
