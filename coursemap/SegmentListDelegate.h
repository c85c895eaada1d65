// Draws the segment list: 22-pixel rows with grid lines, the group header rows, and in the first
// column of a compared lap's row a bar in the lap's colour.
#pragma once

#include <QFont>
#include <QStyledItemDelegate>

namespace orvelo {
class LapDataCore;
}
class SegmentListModel;

class SegmentListDelegate : public QStyledItemDelegate {
public:
    static constexpr int kRowHeight = 22;
    static constexpr int kBarLeft = 2;  // from the cell's left edge
    static constexpr int kBarRight = 8;

    SegmentListDelegate(const orvelo::LapDataCore& core, const SegmentListModel& model, QObject* parent = nullptr);

    void SetFonts(const QFont& listFont, const QFont& boldFont);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const orvelo::LapDataCore& m_core;
    const SegmentListModel& m_model;
    QFont m_listFont;
    QFont m_boldFont;
};
