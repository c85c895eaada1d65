// The Y-scale dialog: changes the displayed maximum and minimum of one
// channel of the active lap overview window with a two-thumb ruler, previews
// the scale and saves the new limits into the channel table. The main frame
// makes it, binds it to a scale pane and its window, and deletes it after it
// reports its end (2092).
#pragma once

#include "graphs/GraphRecords.h"
#include "platform/MessageWindow.h"
#include "settings/WindowRoles.h"

#include <QDialog>

#include <array>

class AppSettings;
class CChannelGraph;
class CRuler_SliderCtrl;
class QComboBox;
class QPushButton;
class QScrollBar;
namespace orvelo {
class LapDataCore;
}

class CYScaleControllableDlg : public QDialog, public YScaleWindow {
public:
    enum ControlId : int { kCombo = 1092, kGraph = 1093, kRuler = 1094, kScrollBar = 1095, kSave = 1096 };
    enum ChannelState : int { kChanged = -1, kClean = 0, kSaved = 1 };

    CYScaleControllableDlg(QWidget* mainWindow, platform::WindowHandle mainFrame, AppSettings& settings,
                           orvelo::LapDataCore& core);
    ~CYScaleControllableDlg() override;

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return m_window.Handle(); }
    // Writes the placement and reports the end to the main frame; once.
    void Shutdown() override;
    platform::WindowPlacement Placement() const override {
        return platform::PlacementToStore(*this, m_restoredPlace);
    }
    int ChannelOf(platform::WindowHandle scaleView) override;
    void Bind(platform::WindowHandle scaleView, platform::WindowHandle lapOverview, int channel) override;

    // The served window's answer to 2097: its rows and channels.
    void TakeChannelViewInfo(int rows, std::uint32_t mask);

    int Channel() const { return m_channel; }
    int DisplayedMax() const { return m_max; }
    int DisplayedMin() const { return m_min; }
    int StateOf(int channel) const;
    CRuler_SliderCtrl& Ruler() { return *m_ruler; }
    const CChannelGraph& Graph() const { return *m_graph; }
    QComboBox& Combo() { return *m_combo; }
    QPushButton& SaveButton() { return *m_save; }

protected:
    void reject() override;

private:
    void Layout();
    bool AskOwners();
    bool FillCombo();
    void SelectChannel(int channel);
    void ApplyChannel();
    void Place(QWidget* mainWindow);
    void OnSelChange();
    void OnRulerValue(const platform::Message& m);
    void OnActivate(const platform::Message& m);
    void OnSave();

    platform::MessageWindow m_window;
    platform::WindowHandle m_mainFrame;
    AppSettings& m_settings;
    QWidget* m_mainWindow;
    platform::WindowHandle m_scaleView = platform::kNoWindow;
    platform::WindowHandle m_lapOverview = platform::kNoWindow;
    int m_channel = 0;
    int m_rows = 0;
    std::uint32_t m_mask = 0;
    bool m_answered = false;
    graphs::ChannelRange m_paneRange;  // the scale pane's, taken when it answers 2098
    CChannelGraph* m_graph;
    CRuler_SliderCtrl* m_ruler;
    QComboBox* m_combo;
    QScrollBar* m_scrollBar;
    QPushButton* m_save;
    int m_max = 0;
    int m_min = 0;
    bool m_savedFlag = false;
    std::array<int, 18> m_states{};
    bool m_placed = false;
    bool m_shutDown = false;
    platform::RestoredPlace m_restoredPlace;
};
