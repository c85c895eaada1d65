// The splitter of the segment edit frame: a static splitter (at most 3 x 3) that, after a drag
// of a bar that was let go, records every column's width and row's height and posts
// UM_STOP_TRACKING_SPLITTER (its identifier, 0) to the window it notifies. A cancelled drag
// reports nothing.
#pragma once

#include "platform/StaticSplitter.h"
#include "platform/WindowMessage.h"

#include <vector>

class CxSplitterWndExt : public platform::StaticSplitter {
public:
    static constexpr int kMaxRowsOrColumns = 3;

    CxSplitterWndExt(int rows, int columns, platform::WindowHandle notify, int identifier, QWidget* parent = nullptr);

    // Set by the owner once the rows and columns are laid out.
    void SetReady(bool ready) { m_ready = ready; }
    bool Ready() const { return m_ready; }
    const std::vector<int>& ColumnWidths() const { return m_columnWidths; }
    const std::vector<int>& RowHeights() const { return m_rowHeights; }

private:
    void OnStopTracking();

    platform::WindowHandle m_notify;
    int m_identifier;
    bool m_ready = false;
    std::vector<int> m_columnWidths;
    std::vector<int> m_rowHeights;
};
