// The lap list: one row per lap of every loaded log file, where the user picks the base lap
// ("Base"), the overlay laps ("Over") and the current lap (double click), sorts by any column but
// the file name and path, and groups the rows by file or by folder. Each change goes to the main
// frame as a message; the segment list is fed one row per lap.
#pragma once

#include "shell/LapListGrouping.h"

#include "core/LapColour.h"
#include "platform/MessageRecords.h"
#include "platform/MessageWindow.h"

#include <QFont>
#include <QTreeView>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvelo {
class LapDataCore;
struct LogFile;
}
class LapListDelegate;
class LapListModel;
class SegmentListFeed;

// The record of a right click on the list header: the column (-1 none) and the screen position.
struct HeaderHitRecord {
    std::int32_t column = -1;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The lap colours as the settings store keeps them ("Lap_Color_Prop"): op 1 writes colors, any
// other op reads them into colors; 0 on success, and only then the colour table takes them and
// the compared laps are recoloured from it. builtIn, when they cannot be read: the built-in
// colours become the table, the compared laps are recoloured, and they are returned.
struct LapColorAccess {
    std::function<int(int op, orvelo::LapColorArray& colors)> setting;
    std::function<orvelo::LapColorArray()> builtIn;
};

class CListViewEx : public QTreeView {
public:
    static constexpr int kGroupIndent = 12;
    // Commands the pane posts to the view as messages.
    static constexpr std::uint32_t kCmdResetOverLap = 32795;
    static constexpr std::uint32_t kCmdGroupByFile = 32810;
    static constexpr std::uint32_t kCmdGroupByFolder = 32811;

    CListViewEx(orvelo::LapDataCore& core, platform::WindowHandle mainWindow, platform::WindowHandle pane,
                QWidget* parent = nullptr);
    ~CListViewEx() override;

    platform::WindowHandle Handle() const { return m_window.Handle(); }
    void SetSegmentList(SegmentListFeed* feed);

    // Fonts, columns, the lap colours; once after creation.
    void OnInitialUpdate(const LapColorAccess& colors);

    // The answer to 2000 and 2027: lists the files not listed yet; with the row count 0, all of them.
    void Fill();
    // The answer to 2021: every file that is not hidden, listed again.
    void FullRefill();
    void SetRowCount(int count) { m_rowCount = count; }
    int RowCountMember() const { return m_rowCount; }
    // 2042: lParam a course block whose map path becomes the block's; lParam 0 and wParam not 0: zeroed.
    void UpdateCurrentLapBlock(platform::WParam wParam, const platform::MapInfoBlock* block);
    void ZeroCurrentLapBlock();
    const platform::MapInfoBlock& CurrentLapBlock() const { return m_currentLap; }
    // The lap-number text of the current lap, in full (the block has room for three digits).
    const QString& CurrentLapText() const { return m_currentLapText; }

    // The lap colours in effect (the compared laps have taken them): kept for the overlay
    // toggles, and the list is redrawn.
    void SetLapColors(const orvelo::LapColorArray& colors);
    const orvelo::LapColorArray& LapColors() const { return m_lapColors; }

    // Grouping: 1 by file, 2 by folder; 0 none.
    int GroupingMode() const { return m_groupingMode; }
    void GroupBy(int mode);
    void DisableGrouping();
    void ResetOverLap();
    const LapListGrouping& Grouping() const { return m_grouping; }

    // The user's actions, at a viewport position where they need one.
    void OnClick(const QPoint& pos);
    void OnDblClk();
    void OnColumnClick(int column);
    void OnHeaderRightClick(const QPoint& headerPos);
    void ShowGroupMenu(const QPoint& viewportPos, const QPoint& globalPos);

    LapListModel& Model() { return *m_model; }
    // Whether the next click on the column sorts ascending.
    bool SortFlag(int column) const { return m_sortFlags[static_cast<std::size_t>(column)] != 0; }
    // The centre of a lap row's cell in viewport coordinates (for the button columns, of its square).
    QPoint CellCentre(int row, int column) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // A row, then the focus rectangle around the whole of it when it is the focused row.
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void MapMessages();
    // The laps of the files as rows, in one go.
    void InsertFileRows(const std::vector<const orvelo::LogFile*>& files);
    bool FailedToLoad(const orvelo::LogFile& file) const;
    void SetColumnWidths();
    void ClearEverything();
    // The row's lap, for the core: its lap-number text and full path.
    std::u16string LapNumberOf(int row) const;
    std::u16string PathOf(int row) const;
    void PostRedrawLapGraph();
    void ShowAllGroups();

    orvelo::LapDataCore& m_core;
    platform::MessageWindow m_window;
    platform::WindowHandle m_mainWindow;
    platform::WindowHandle m_pane;
    LapListModel* m_model;
    LapListDelegate* m_delegate;
    LapListGrouping m_grouping;
    SegmentListFeed* m_segmentList = nullptr;
    QFont m_listFont;
    QFont m_boldFont;
    int m_charWidth = 9;
    int m_rowCount = 0;
    std::int32_t m_lastDblClkItem = -1;
    platform::MapInfoBlock m_currentLap{};
    QString m_currentLapText;
    int m_sortColumn = -1;
    std::uint8_t m_sortAscending = 0;
    std::array<std::uint8_t, 17> m_sortFlags{};
    int m_groupingMode = 0;
    bool m_shownGrouped = false;
    int m_clientWidth = 0;
    orvelo::LapColorArray m_lapColors{};
};
