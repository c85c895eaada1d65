// The splitter of the graph windows: rows one above the other whose borders
// the user drags, each row a pane of fixed width on the left (a scale) and a
// pane taking the rest (a graph), which cannot be resized. When a row border
// is let go after a drag, UM_STOP_TRACKING_PLOT (rows) is posted to the
// window that owns the splitter.
#pragma once

#include "graphs/LapOverviewLayout.h"

#include "platform/WindowMessage.h"

#include <QSplitter>

#include <vector>

class CxSplitterWnd : public QSplitter {
public:
    static constexpr int kRowGap = graphs::kRowGap;
    static constexpr int kColumnGap = graphs::kColumnGap;

    CxSplitterWnd(int rows, platform::WindowHandle owner, QWidget* parent);

    int RowCount() const { return count(); }
    // The splitter's row becomes the panes' parent.
    void SetPanes(int row, QWidget* left, QWidget* right);
    QWidget* Pane(int row, int column) const;
    // Width of the left column in every row; the right column starts kColumnGap further.
    void SetLeftColumnWidth(int width);
    int LeftColumnWidth() const { return m_leftWidth; }
    // Every row at the ideal height, none below the minimum; heights (one per row), when
    // given, take the place of the ideal.
    void SetRowHeights(int ideal, int minimum, const std::vector<int>& heights = {});
    std::vector<int> RowHeights() const;

    // Set by the owner once its panes exist, cleared while it rebuilds them.
    bool Ready() const { return m_ready; }
    void SetReady(bool ready) { m_ready = ready; }

    // Posts the end of a row drag to the owner.
    void ReportStopTracking();

protected:
    QSplitterHandle* createHandle() override;

private:
    platform::WindowHandle m_owner;
    int m_leftWidth = 0;
    bool m_ready = false;
};
