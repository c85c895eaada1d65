// "Map Property Dialog": the colours of the course maps (course lines,
// background, labels, position mark). On OK with changes it sends
// UM_MAP_PROPERTY (block, changes) to the requesting map view, which stores
// the block. Every pick of black also raises the block's extra-layer word.
#pragma once

#include "settings/SettingsRecords.h"
#include "shell/ColorPropertyDialog.h"

#include <array>

class ColorPickButton;
class ColorSettings;

class CCSMapPropertyDlg : public ColorPropertyDialog {
public:
    static constexpr int kOk = 1055;
    static constexpr int kReset = 1064;
    static constexpr int kFirstButton = 50001;  // 50001 to 50006
    // The words of the block that buttons 50001 to 50006 edit.
    static constexpr std::array<int, 6> kButtonWords = {0, 1, 2, 6, 7, 8};
    static constexpr int kBlackCountWord = 11;

    // colors gives the built-in map colours for Reset.
    CCSMapPropertyDlg(platform::WindowHandle requester, const MapViewProperty& property, const ColorSettings& colors,
                      QWidget* parent);

    const MapViewProperty& EditedProperty() const { return m_property; }
    int ChangeCount() const { return m_changes; }
    ColorPickButton* Button(int index) const { return m_buttons[static_cast<std::size_t>(index)]; }

private:
    void OnPick(int index, platform::ColorRef color);
    void Answer() override;
    void Reset() override;

    const ColorSettings& m_colorSettings;
    MapViewProperty m_property;
    int m_changes = 0;
    std::array<ColorPickButton*, 6> m_buttons{};
};
