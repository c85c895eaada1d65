// The "Log data property window" pane of the main frame: for each compared lap the lap time (or,
// over time, the distance) and the value of every channel the lap overview shows, at the graph
// cursor, over the small course map with the laps' marks. A drop-down list stands above a
// three-row splitter: grid A with the lap rows, grid B with a group per channel, the map. The
// pane only shows what the cursor messages and the main frame tell it; it stores nothing. While a
// cursor is shown, its lap group and channel rows are those of the window whose cursor it is.
#pragma once

#include "properties/CPropGridPropExt.h"
#include "properties/CursorValueText.h"

#include "platform/MessageWindow.h"
#include "settings/SettingsRecords.h"
#include "settings/WindowRoles.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class AppSettings;
class CLapPropertyGridCtrl;
class CMapView;
class CPropertyView;
class CViewSplitWnd;
class QComboBox;
namespace orvelo {
class LapDataCore;
}

// The lap overview whose cursor the program shows (the main frame knows it), as it stands now;
// no handle while no cursor is shown.
struct CursorWindow {
    platform::WindowHandle handle = platform::kNoWindow;
    int xMode = 0;
    std::uint32_t channelMask = 0;
};

class CPropertiesWnd : public QWidget, public PropertiesPane {
public:
    static constexpr int kFirstLapRowCount = 3;
    static constexpr int kMinGridRow = 40;

    // cursorWindow: the window whose cursor is shown; without it the pane counts none as shown.
    CPropertiesWnd(QWidget* parent, orvelo::LapDataCore& core, AppSettings& settings,
                   platform::WindowHandle mainFrame, std::function<CursorWindow()> cursorWindow = {});
    ~CPropertiesWnd() override;

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return m_window.Handle(); }
    platform::WindowHandle MapWindow() const override;
    std::u16string ShownMapPath() const override;
    bool MapHasSegmentGroup() const override;

    // Rows and grids after a size change; does nothing until created and while the splitter is hidden.
    void AdjustLayout();
    // After the user dragged a splitter bar: the grids follow the rows, the map row's height is kept.
    void ResizeGrids();
    // The height of grid A's row for n lap rows of height r: the rows, two more, a pixel each.
    static int LapGroupHeight(int n, int r) { return (n + 2) * r + n + 2; }

    CLapPropertyGridCtrl& GridA() { return *m_gridA; }
    CLapPropertyGridCtrl& GridB() { return *m_gridB; }
    CViewSplitWnd& Splitter() { return *m_splitter; }
    CMapView& Map() { return *m_map; }
    QComboBox& Combo() { return *m_combo; }
    CPropGridPropExt& ChannelGroup(int channel) { return *m_channelGroups[static_cast<std::size_t>(channel - 1)]; }
    CPropGridPropExt& LapTimeGroup() { return *m_lapTimeGroup; }
    CPropGridPropExt& DistanceGroup() { return *m_distanceGroup; }
    // The value rows of a channel (empty while it has none), the lap-time and distance rows.
    std::vector<CPropGridPropExt*> ChannelRows(int channel) const;
    std::vector<CPropGridPropExt*> LapTimeRows() const { return m_lapTimeRows.value_or(Rows{}); }
    std::vector<CPropGridPropExt*> DistanceRows() const { return m_distanceRows.value_or(Rows{}); }
    int XAxisMode() const { return m_xMode; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Rows = std::vector<CPropGridPropExt*>;

    // Creation and layout (CPropertiesWnd.cpp).
    void CreateSplitter();
    void MapMessages();
    void OnFirstFocus();
    void FitLapGroup();
    // Grid A's row back at its first height; the map keeps its own.
    void FitStartLapRow();
    platform::LResult OnDrawMapOnView(const platform::Message& m);
    void OnLapRowsChanged(bool keepValues = false);

    // Rows and values (CPropertiesWndRows.cpp).
    // Without a value the row names its lap and shows nothing.
    void SetChannelValue(int channel, int lapNumber, int row, std::optional<std::int32_t> value);
    void SetLapTimeValue(int lapNumber, int row, std::optional<std::uint32_t> time);
    void SetDistanceValue(int lapNumber, int row, std::optional<std::int32_t> distance);
    // A cursor value: one of a press waits until the press has placed its cursor.
    void OnCursorValue(const platform::Message& m);
    void WriteCursorValue(const platform::Message& m);
    // The press placed its cursor: the rows become its window's, then take the values held.
    void OnCursorPlaced();
    CursorWindow ShownCursorWindow() const;
    // With no cursor shown: the lap group and channels of the window last activated.
    void ShowActivatedWindow();
    // The lap group of an axis; while the start groups are shown only the axis is kept.
    void SetXAxisMode(int mode);
    void BuildChannelGroups();
    // keepValues: the compared laps are the same, so the rows that stay keep what they show.
    void RebuildRows(bool keepValues = false);
    void ShowLapGroup(bool keepValues = false);
    void BuildLapRows();
    void DeleteLapRows();
    void ClearLapRowValues();
    void AddChannelRows(int channel);
    void DeleteChannelRows(int channel);
    void RebuildChannelRows(int channel);
    void UpdateChannelGroup(int channel, bool keepValues);
    void ClearChannelRowValues(int channel);
    void UpdateChannelNames();
    void ClearAllValues();
    // The groups as the pane shows them before any lap is compared: no rows, no channel but the first.
    void ShowStartGroups();
    bool InMask(int channel, std::uint32_t mask) const { return (mask >> (channel - 1) & 1u) != 0; }
    CPropGridPropExt* ShownLapGroup() const;
    Rows* ShownLapRows();

    // Colours (CPropertiesWndColors.cpp).
    platform::ColorRef SlotColor(int row) const;
    platform::ColorRef ChannelLapColor(int channel, int row);
    void ChannelBaseColors(int channel, platform::ColorRef& background, platform::ColorRef& text) const;
    void ColorLapRow(CPropGridPropExt& row, int index) const;
    void RecolorLapRows();
    // Every value row of the channels shown, with its channel's background.
    void RecolorValueRows(const std::function<void(CPropGridPropExt&, platform::ColorRef)>& recolor);
    void RecolorChannelRows();
    void RecolorChannelLapColors();
    void RecolorChannelBackgrounds();
    void ApplyGridColors();

    platform::MessageWindow m_window;
    orvelo::LapDataCore& m_core;
    AppSettings& m_settings;
    platform::WindowHandle m_mainFrame;

    CViewSplitWnd* m_splitter = nullptr;
    CPropertyView* m_viewA = nullptr;
    CPropertyView* m_viewB = nullptr;
    CLapPropertyGridCtrl* m_gridA = nullptr;
    CLapPropertyGridCtrl* m_gridB = nullptr;
    CMapView* m_map = nullptr;
    QComboBox* m_combo = nullptr;
    bool m_created = false;
    bool m_firstLayout = true;
    bool m_dockingPanelPosted = false;
    int m_mapRowHeight = 0;
    OverviewWindowColors m_viewColors;

    CPropGridPropExt* m_lapTimeGroup = nullptr;
    CPropGridPropExt* m_distanceGroup = nullptr;
    std::array<CPropGridPropExt*, properties::kChannelCount> m_channelGroups{};
    std::array<std::optional<Rows>, properties::kChannelCount> m_valueRows;
    std::optional<Rows> m_lapTimeRows;
    std::optional<Rows> m_distanceRows;
    int m_lapRowCount = kFirstLapRowCount;
    std::uint32_t m_channelMask = 0;
    int m_lastBuiltCount = 0;
    std::uint32_t m_lastBuiltMask = 0;
    int m_xMode = 0;
    int m_lastShownMode = -1;
    std::function<CursorWindow()> m_cursorWindow;
    // The window last activated (by a click, opened, its work area shown): its axis and channels.
    int m_activatedMode = 0;
    std::uint32_t m_activatedMask = 0;
    std::optional<int> m_pressAxis;  // the axis of the window last pressed, until it places its cursor
    std::vector<platform::Message> m_pressValues;  // that press's values so far
};
