// The segment list: one row per lap of the loaded log files (the lap list's rows) with the lap
// number, a column per segment with its time, the file name and the path. The times are the
// logger's own (its sample records' time steps, "Varnek Segment time") or those measured on the
// lap's positions against the segment group of the course the small map shows ("Map Segment
// info"). The lap list inserts and groups the rows; this fills and sorts the segment cells and
// marks the compared laps with a bar in their colour.
#pragma once

#include "platform/MessageWindow.h"

#include "core/LapData.h"

#include <QFont>
#include <QTreeView>

#include <cstdint>
#include <string>
#include <vector>

namespace orvelo {
class LapDataCore;
struct LogFile;
}
class SegmentListDelegate;
class SegmentListModel;
namespace seglist {
struct Row;
}

class CSeglistview : public QTreeView {
public:
    static constexpr int kLoggerTimes = 0;
    static constexpr int kMapTimes = 1;
    static constexpr int kCmdLoggerTimes = 11;
    static constexpr int kCmdMapSegmentInfo = 12;
    static constexpr int kFirstSegmentColumns = 6;

    CSeglistview(orvelo::LapDataCore& core, platform::WindowHandle mainFrame, QWidget* parent = nullptr);
    ~CSeglistview() override;

    platform::WindowHandle Handle() const { return m_window.Handle(); }
    SegmentListModel& Model() { return *m_model; }
    int Mode() const { return m_mode; }
    int SegmentColumnCount() const;
    // "Seg. 1 time" ... "Seg.10 time".
    static QString SegmentTitle(int segment);

    // What the lap list tells it (see SegmentListFeed).
    // A row for each lap of the files, in one go (the lap list's rows).
    void InsertLapRows(const std::vector<const orvelo::LogFile*>& files);
    void ResetList();
    void DeleteExtraColumns();
    void GrowSortFlags();
    void NumberRows();
    void RemoveAllRows();
    void SetRedraw(bool on);
    void RemoveGroups();
    void EnableGroupView();
    void InsertGroup(const QString& header, int id);
    int AssignRowsToGroup(int mode, int id, const QString& key);

    // A click on a column's header: sorts by it, descending first (not "File name" and "Path").
    void OnColumnClick(int column);
    // The context menu's commands.
    void OnMenuCommand(int id);

    // The width a double-click on the column's divider gives it: its title's and its widest text's.
    int sizeHintForColumn(int column) const override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnInitialUpdate();
    void InsertColumns();
    void AdjustSegmentColumns();
    void FitColumnWidths();
    // keep: the widths the columns had before the model was reset; else the made or fitted ones.
    void LayOutColumnWidths(bool keep);
    void SetColumnWidths();
    void RememberColumnWidths();
    void RestoreColumnWidths();
    static int MadeWidth(int column, int segments);
    // Each segment column's largest time, -1 where it has none.
    std::vector<int> LargestTimes() const;
    // "File name" or "Path": its title's width or the widest name of a file with rows, padded.
    int FileColumnWidth(int column) const;
    void RefillLoggerTimes();
    platform::LResult OnSegmentEditReplace(const platform::Message& m);
    // Each loaded log file's laps with the first row that shows them.
    struct LapRow {
        const orvelo::Lap* lap;
        int row;
    };
    std::vector<LapRow> LapRows() const;
    // A segment cell: a time of 0 to 59999 hundredths shown as lap-time text, else nothing.
    static std::uint16_t TimeCell(std::int64_t time);
    void SetTimeCell(int row, int segment, std::int64_t time);

    orvelo::LapDataCore& m_core;
    platform::MessageWindow m_window;
    platform::WindowHandle m_mainFrame;
    SegmentListModel* m_model;
    SegmentListDelegate* m_delegate;
    QFont m_listFont;
    int m_mode = kLoggerTimes;
    int m_loggerSegments = kFirstSegmentColumns;
    int m_mapSegments = 0;
    orvelo::SegmentGroup m_group;
    std::vector<std::uint8_t> m_sortFlags;
    bool m_redrawOff = false;
    bool m_fitPending = false;
    // Widths were fitted once: from then on an empty list too is fitted, not given made widths.
    bool m_fitted = false;
    // The widths before the model's last reset, by column, and how many segment columns there were.
    std::vector<int> m_keptWidths;
    int m_keptSegments = 0;
};
