// The list of the logging-time window: one row per compared lap (lap number,
// the time of day the logger recorded the sample under the graph cursor, file
// name and path), the lap number drawn in the lap's colour. The times are of
// the cursor of one lap overview; once that window has dropped its cursor, the
// next paint shows none, and a lap without a point under its cursor shows none.
#pragma once

#include "platform/ColorRef.h"
#include "platform/MessageRecords.h"
#include "platform/WindowMessage.h"

#include <QTreeWidget>

#include <functional>
#include <vector>

namespace orvelo {
class LapDataCore;
}

// The cursor the program shows: the lap overview whose it is (none without one) and the records of
// its last move, one per compared lap with a point under it.
struct ShownCursor {
    platform::WindowHandle owner = platform::kNoWindow;
    const std::vector<platform::GraphPoint>* records = nullptr;
};

class CListViewLogTime : public QTreeWidget {
public:
    static constexpr int kRowHeight = 22;
    static constexpr int kListWidth = 60 + 90;
    static constexpr int kMinimumRows = 3;
    static constexpr platform::ColorRef kRowBackground = 0xFAFAFA;

    // shownCursor: the cursor the program shows now.
    CListViewLogTime(orvelo::LapDataCore& core, std::function<ShownCursor()> shownCursor, QWidget* parent);

    // Font, columns and rows.
    void OnInitialUpdate();
    // Rows again from the compared laps; the number of rows.
    int FillRows();
    // The cursor record of one lap: its clock time goes into the row of its compared lap.
    void UpdateClockTime(const platform::GraphPoint& record);

    int RowHeight() const { return m_rowHeight; }
    int RowCount() const { return m_rows; }
    // The height the list needs: at least three rows, and the header.
    int ListHeight() const;
    bool SortAscending() const { return m_sortAscending; }

    // The clock word (hhmmss) as "hh:mm:ss"; empty when it does not fit six digits.
    static QString ClockText(std::int32_t hhmmss);
    // The number of compared laps that have a row.
    static int CountRows(const orvelo::LapDataCore& core);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnColumnClick(int column);
    // The rows' times back to those before any cursor: all, or those of laps without a record.
    void ClearTimes(const std::vector<platform::GraphPoint>* kept);

    orvelo::LapDataCore& m_core;
    std::function<ShownCursor()> m_shownCursor;
    platform::WindowHandle m_timesOf = platform::kNoWindow;  // the window whose cursor the times are of
    QString m_faceName = QStringLiteral("Microsoft Sans Serif");
    int m_rowHeight = kRowHeight;
    int m_rows = 0;
    bool m_sortAscending = true;
};
