// The "Channel " page of the setup dialog: the name, maximum and minimum of
// each of the 18 channels in an editable list. Accepted edits go straight
// into the channel tables; "Save" has the main window store them
// (UM_SAVE_CHANNEL_MAX_VALUE), "Reset" puts the built-in values in. Closing
// the dialog puts unsaved edits back, and after a save announces the new
// values (UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME).
#pragma once

#include "shell/CTabPageDlg.h"

#include <QString>

#include <array>
#include <cstdint>

class CListCtrl_EditCstmDraw;
class ChannelSettings;
class QPushButton;

class CEditChannelValue_DlgPage : public CTabPageDlg {
public:
    static constexpr int kChannelCount = 18;
    static constexpr int kMaxNameLength = 32;
    static constexpr int kList = 1081;
    static constexpr int kReset = 401;
    static constexpr int kSave = 426;

    CEditChannelValue_DlgPage(ChannelSettings& channels, platform::WindowHandle mainWindow, QWidget* parent = nullptr);

    // One row per channel with its current values, which are kept as the last saved ones.
    void Fill();
    // The check of an edited cell (column 0 name, 1 maximum, 2 minimum); 1 when a value changed.
    platform::LResult OnInputValue(int row, int column, const QString& text);
    void OnReset();
    void OnSave();
    // The setup dialog closes.
    void OnClosing();

    int ChangeCount() const { return m_changes; }
    bool Saved() const { return m_saved; }
    CListCtrl_EditCstmDraw& List() { return *m_list; }
    QPushButton& SaveButton() { return *m_save; }

private:
    platform::LResult OnName(int row, const QString& text);
    platform::LResult OnMaximum(int row, const QString& text);
    platform::LResult OnMinimum(int row, const QString& text);
    // The box, then the cell shows previous again; result 0.
    platform::LResult Refuse(int row, int column, const QString& text, const QString& previous);
    // An accepted value: the cell shows it; a change is counted.
    platform::LResult Take(std::int32_t* field, std::int32_t value, int row, int column);
    void Changed(int count);
    void SetRow(int row, const QString& name, std::int32_t maximum, std::int32_t minimum);
    void Keep();

    ChannelSettings& m_channels;
    platform::WindowHandle m_mainWindow;
    bool m_saved = false;
    bool m_savedThisTime = false;  // saved at least once while the dialog is open
    std::array<QString, kChannelCount> m_keptNames;
    std::array<std::int32_t, kChannelCount> m_keptMax{};
    std::array<std::int32_t, kChannelCount> m_keptMin{};
    CListCtrl_EditCstmDraw* m_list;
    int m_changes = 0;
    QPushButton* m_save;
};
