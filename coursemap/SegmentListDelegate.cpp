#include "coursemap/SegmentListDelegate.h"

#include "coursemap/SegmentListModel.h"

#include "core/LapSelection.h"
#include "platform/ColorRef.h"

#include <QPainter>

namespace {
const QColor kGridColour(0xD8, 0xD8, 0xD8);
}  // namespace

SegmentListDelegate::SegmentListDelegate(const orvelo::LapDataCore& core, const SegmentListModel& model,
                                         QObject* parent)
    : QStyledItemDelegate(parent), m_core(core), m_model(model) {}

void SegmentListDelegate::SetFonts(const QFont& listFont, const QFont& boldFont) {
    m_listFont = listFont;
    m_boldFont = boldFont;
}

// The view asks a row's height of every column after the first shown one, and the logger's times
// make a column per sample record: the height is fixed, and no text is laid out for it.
QSize SegmentListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const { return {0, kRowHeight}; }

void SegmentListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (const platform::ListGroup* group = m_model.GroupOf(index)) {
        SegmentListModel::PaintGroupRow(painter, option, group->header, m_boldFont);
        return;
    }
    const int row = m_model.RowOf(index);
    if (row < 0)
        return;
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(kGridColour);
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    if (index.column() == 0) {
        // A compared lap is marked by a bar in its colour.
        const int pathColumn = m_model.ColumnCount() - 1;
        orvelo::COLORREF colour = 0;
        if (orvelo::FindSelectedLap(m_core, m_model.Cell(row, 0).toStdU16String(),
                                    m_model.Cell(row, pathColumn).toStdU16String(), colour) >= 0) {
            const QRect bar(option.rect.left() + kBarLeft, option.rect.top(), kBarRight - kBarLeft, option.rect.height());
            painter->fillRect(bar, platform::ToQColor(colour));
        }
    }
    painter->restore();
}
