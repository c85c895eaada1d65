#include "shell/LapListDelegate.h"

#include "shell/LapListModel.h"

#include "core/LapSelection.h"
#include "platform/ColorRef.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QTreeView>

namespace {

constexpr int kTextInset = 6;
constexpr int kFirstColumnInset = 2;
constexpr int kMaxCutText = 260;
const QColor kGridColour(0xD8, 0xD8, 0xD8);

// The longest prefix of text that fits width together with "...".
QString CutText(const QFontMetrics& metrics, const QString& text, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString ellipsis = QStringLiteral("...");
    QString cut = text.left(kMaxCutText);
    while (!cut.isEmpty() && metrics.horizontalAdvance(cut + ellipsis) > width)
        cut.chop(1);
    return cut + ellipsis;
}

}  // namespace

LapListDelegate::LapListDelegate(const orvelo::LapDataCore& core, const LapListModel& model,
                                 std::function<QString()> currentLapText, QObject* parent)
    : QStyledItemDelegate(parent), m_core(core), m_model(model), m_currentLapText(std::move(currentLapText)) {}

void LapListDelegate::SetFonts(const QFont& listFont, const QFont& boldFont) {
    m_listFont = listFont;
    m_boldFont = boldFont;
}

QRect LapListDelegate::ButtonSquare(const QRect& cell, int column) {
    const int side = cell.height();
    const int left = column == laplist::kBaseColumn ? cell.center().x() - side / 2 + 1 : cell.left();
    return QRect(left, cell.top(), side, side);
}

QSize LapListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int row = m_model.RowOf(index);
    if (row < 0)
        return {QStyledItemDelegate::sizeHint(option, index).width(), kRowHeight};
    const QString text = m_model.Text(row, index.column());
    return {QFontMetrics(m_listFont).horizontalAdvance(text) + 2 * kTextInset + 1, kRowHeight};
}

void LapListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (m_model.GroupOf(index)) {
        PaintGroup(painter, option, index);
        return;
    }
    const int row = m_model.RowOf(index);
    if (row < 0)
        return;
    const int column = index.column();
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const bool selected = (option.state & QStyle::State_Selected) && view && view->hasFocus();
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base));
    painter->setPen(kGridColour);
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    if (column == laplist::kBaseColumn || column == laplist::kOverColumn) {
        PaintButton(painter, option, column, row);
        painter->restore();
        return;
    }
    const QString current = m_currentLapText ? m_currentLapText() : QString();
    const bool bold = (column == laplist::kLapNumberColumn || column == laplist::kTimeColumn) &&
                      !current.isEmpty() && m_model.Text(row, laplist::kLapNumberColumn) == current;
    const QFont& font = bold ? m_boldFont : m_listFont;
    painter->setFont(font);
    painter->setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
    const auto* tree = qobject_cast<const QTreeView*>(option.widget);
    const bool firstShown = tree && tree->header()->visualIndex(column) == 0;
    const int inset = firstShown ? kFirstColumnInset : kTextInset;
    const QRect textRect = option.rect.adjusted(inset, 0, -inset, 0);
    const QString text = CutText(QFontMetrics(font), m_model.Text(row, column), textRect.width());
    painter->drawText(textRect, int(laplist::Columns()[static_cast<std::size_t>(column)].alignment | Qt::AlignVCenter),
                      text);
    painter->restore();
}

void LapListDelegate::PaintButton(QPainter* painter, const QStyleOptionViewItem& option, int column, int row) const {
    orvelo::COLORREF colour = 0;
    const int kind = column == laplist::kBaseColumn ? orvelo::kLapMarkBase : orvelo::kLapMarkOverlay;
    const bool marked = orvelo::GetLapMark(m_core, kind, m_model.Path(row).toStdU16String(),
                                           m_model.Text(row, laplist::kLapNumberColumn).toStdU16String(), colour) != 0;
    const int inset = column == laplist::kBaseColumn ? 2 : 3;
    QRect square = ButtonSquare(option.rect, column).adjusted(inset, inset, -inset, -inset);
    // The lap's colour fills the cell around its button, so it shows whatever the style draws.
    if (marked)
        painter->fillRect(option.rect.adjusted(0, 0, -1, -1), platform::ToQColor(colour));
    QStyleOptionButton button;
    button.rect = square;
    button.state = QStyle::State_Enabled | (marked ? QStyle::State_On : QStyle::State_Off);
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawPrimitive(column == laplist::kBaseColumn ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox,
                         &button, painter, option.widget);
}

void LapListDelegate::PaintGroup(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    LapListModel::PaintGroupRow(painter, option, index.data(Qt::DisplayRole).toString(), m_boldFont);
}
