#include "coursemap/CxSplitterWndExt.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

#include <algorithm>

CxSplitterWndExt::CxSplitterWndExt(int rows, int columns, platform::WindowHandle notify, int identifier,
                                   QWidget* parent)
    : StaticSplitter(std::min(rows, kMaxRowsOrColumns), std::min(columns, kMaxRowsOrColumns), parent),
      m_notify(notify),
      m_identifier(identifier) {
    SetStopTrackingHook([this] { OnStopTracking(); });
}

void CxSplitterWndExt::OnStopTracking() {
    m_columnWidths.clear();
    m_rowHeights.clear();
    for (int c = 0; c < ColumnCount(); ++c)
        m_columnWidths.push_back(ColumnInfo(c).current);
    for (int r = 0; r < RowCount(); ++r)
        m_rowHeights.push_back(RowInfo(r).current);
    platform::PostMessage(m_notify, platform::UM_STOP_TRACKING_SPLITTER, static_cast<platform::WParam>(m_identifier), 0);
}
