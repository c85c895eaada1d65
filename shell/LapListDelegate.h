// Draws the cells of the lap list: texts cut with "..." inside their insets, the lap number and
// time in bold for the current lap number, the base-lap radio button and the overlay check box
// on the lap's colour when it carries the mark, grid lines, and the group header rows.
#pragma once

#include <QFont>
#include <QStyledItemDelegate>

#include <functional>

namespace orvelo {
class LapDataCore;
}
class LapListModel;

class LapListDelegate : public QStyledItemDelegate {
public:
    static constexpr int kRowHeight = 22;

    // currentLapText: the lap-number text of the current lap, empty when there is none.
    LapListDelegate(const orvelo::LapDataCore& core, const LapListModel& model,
                    std::function<QString()> currentLapText, QObject* parent = nullptr);

    void SetFonts(const QFont& listFont, const QFont& boldFont);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The square of a button cell that takes clicks: as high as the cell, centred in "Base", at
    // the left edge of "Over".
    static QRect ButtonSquare(const QRect& cell, int column);

private:
    void PaintGroup(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void PaintButton(QPainter* painter, const QStyleOptionViewItem& option, int column, int row) const;

    const orvelo::LapDataCore& m_core;
    const LapListModel& m_model;
    std::function<QString()> m_currentLapText;
    QFont m_listFont;
    QFont m_boldFont;
};
