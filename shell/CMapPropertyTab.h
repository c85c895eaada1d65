// The "Map " page of the setup dialog: the global map drawing mode (offset
// OFF, offset ON, GPS). "Save" writes it to the settings at once and tells
// the window to notify (the setup dialog) with UM_CHANGED_GLOBAL_MAP_DRAW_MODE;
// closing the dialog does not undo it.
#pragma once

#include "shell/CTabPageDlg.h"

class ChannelSettings;
class QButtonGroup;
class QPushButton;

class CMapPropertyTab : public CTabPageDlg {
public:
    static constexpr int kOffsetOff = 422;
    static constexpr int kOffsetOn = 423;
    static constexpr int kGps = 424;
    static constexpr int kSave = 416;

    explicit CMapPropertyTab(ChannelSettings& channels, QWidget* parent = nullptr);

    void SetNotifyWindow(platform::WindowHandle window) { m_notify = window; }
    // The radios show the global mode; nothing to save.
    void Init();
    void OnRadio();
    void OnSave();

    // 0 to 2 for modes 1 to 3.
    int Choice() const { return m_choice; }
    bool Changed() const { return m_changed; }
    QPushButton& SaveButton() { return *m_save; }

private:
    ChannelSettings& m_channels;
    platform::WindowHandle m_notify = platform::kNoWindow;
    int m_choice = 0;
    int m_kept = 0;
    QButtonGroup* m_radios;
    QPushButton* m_save;
    bool m_changed = false;
};
