#include "properties/CViewSplitWnd.h"

#include "properties/CPropertiesWnd.h"

CViewSplitWnd::CViewSplitWnd(QWidget* parent) : StaticSplitter(kRows, 1, parent) {
    SetGaps(kBarSize, kBarSize);
    InitRowHeights();
    SetStopTrackingHook([this] { OnStopTracking(); });
}

void CViewSplitWnd::OnStopTracking() {
    for (int row = 0; row < kRows && row < RowCount(); ++row)
        m_rowHeights[static_cast<std::size_t>(row)] = RowInfo(row).current;
    if (m_owner)
        m_owner->ResizeGrids();
}
