// The properties pane's splitter: three rows (grid A, grid B, the small map) in one column, with
// 5-pixel bars. After the user has dragged a bar it keeps the rows' heights and has the pane fit
// its grids to them.
#pragma once

#include "platform/StaticSplitter.h"

#include <vector>

class CPropertiesWnd;

class CViewSplitWnd : public platform::StaticSplitter {
public:
    static constexpr int kRows = 3;
    static constexpr int kBarSize = 5;

    explicit CViewSplitWnd(QWidget* parent = nullptr);

    void SetOwner(CPropertiesWnd* owner) { m_owner = owner; }
    // Three rows, their heights all 0.
    void InitRowHeights() { m_rowHeights.assign(kRows, 0); }
    const std::vector<int>& RowHeights() const { return m_rowHeights; }

private:
    void OnStopTracking();

    CPropertiesWnd* m_owner = nullptr;
    std::vector<int> m_rowHeights;
};
