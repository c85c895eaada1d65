// A splitter of fixed rows and columns, one pane in each cell, as the graph windows, the
// properties pane and the segment edit frame use. Each row and column has an ideal and a minimum
// size. Rows are laid out from the top at their ideal sizes and the last row takes what is left;
// a row whose ideal size is below its minimum is hidden (size 0), and one that would get less
// than its minimum gives its room to the row above. Columns follow the same rule across. The bars
// between rows can be dragged (Esc or losing the mouse cancels); the bars between columns cannot.
// A drag that is let go sets the ideal size of the row above the bar and runs the stop-tracking
// hook once; a cancelled drag changes nothing and reports nothing.
#pragma once

#include <QWidget>

#include <functional>
#include <vector>

class QRubberBand;

namespace platform {

class StaticSplitter : public QWidget {
public:
    struct Info {
        int ideal = 0;
        int min = 0;
        int current = 0;  // as last laid out
    };

    StaticSplitter(int rows, int columns, QWidget* parent = nullptr);

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    // Pixels between two rows and between two columns (where the bars are).
    void SetGaps(int rowGap, int columnGap);

    // The splitter becomes the pane's parent.
    void SetPane(int row, int column, QWidget* pane);
    QWidget* Pane(int row, int column) const;

    void SetRowInfo(int row, int ideal, int min);
    void SetColumnInfo(int column, int ideal, int min);
    Info RowInfo(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }
    Info ColumnInfo(int column) const { return m_columns.at(static_cast<std::size_t>(column)); }
    // Lays the panes out again from the ideal sizes.
    void RecalcLayout();

    // The layout rule: the sizes of the rows (or columns) in a length of total with gap pixels
    // between two of them.
    static std::vector<int> LayoutSizes(const std::vector<Info>& infos, int total, int gap);

    // Dragging the bar under row bar (0 to rows - 2) to y (splitter coordinates, kept inside the
    // splitter). What the mouse does, callable on its own.
    void StartTracking(int bar);
    void TrackTo(int y);
    void StopTracking(bool accepted);
    bool Tracking() const { return m_trackedBar >= 0; }
    // The bar under y; -1 when none.
    int RowBarAt(int y) const;

    void SetStopTrackingHook(std::function<void()> hook) { m_stopTrackingHook = std::move(hook); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int RowTop(int row) const;
    void ShowTracker();

    std::vector<Info> m_rows;
    std::vector<Info> m_columns;
    std::vector<QWidget*> m_panes;  // row by row
    int m_rowGap = 3;
    int m_columnGap = 3;
    int m_trackedBar = -1;
    int m_trackY = 0;
    QRubberBand* m_tracker = nullptr;
    std::function<void()> m_stopTrackingHook;
};

}  // namespace platform
