#include "shell/CListCtrlCustomDrawEx.h"

#include "platform/GdiDraw.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
constexpr platform::ColorRef kSelectedText = 0xFFFFFF;
constexpr platform::ColorRef kText = 0x000000;
constexpr platform::ColorRef kSelectedBack = 0xC56A31;
constexpr platform::ColorRef kOddBack = 0xFFF0DE;
constexpr platform::ColorRef kEvenBack = 0xFFFFFF;
constexpr int kCellInset = 4;
}  // namespace

// Hands each cell's drawing to the list's own operations while its own drawing is on; the focus
// is shown around the row, never around one cell.
class CListCtrlCustomDrawEx::CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(CListCtrlCustomDrawEx& list) : QStyledItemDelegate(&list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (!m_list.OwnDrawing()) {
            QStyleOptionViewItem cell = option;
            cell.state &= ~QStyle::State_HasFocus;
            QStyledItemDelegate::paint(painter, cell, index);
            return;
        }
        painter->save();
        painter->setFont(m_list.font());
        m_list.DrawSubItem(*painter, index.row(), index.column(), option.rect);
        painter->restore();
        if (index.column() == 0 && index.flags().testFlag(Qt::ItemIsUserCheckable)) {
            QStyleOptionViewItem check = option;
            initStyleOption(&check, index);
            check.text.clear();
            check.backgroundBrush = Qt::NoBrush;
            check.state &= ~QStyle::State_Selected;
            check.features = QStyleOptionViewItem::HasCheckIndicator;
            m_list.style()->drawControl(QStyle::CE_ItemViewItem, &check, painter, &m_list);
        }
    }

private:
    CListCtrlCustomDrawEx& m_list;
};

CListCtrlCustomDrawEx::CListCtrlCustomDrawEx(QWidget* parent) : QTableWidget(parent) {
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    // A selected row (a cell editor keeps one) would otherwise turn every header text bold, too
    // wide for a column that fits its normal text.
    horizontalHeader()->setHighlightSections(false);
    setItemDelegate(new CellDelegate(*this));
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OnDblClk(row); });
    connect(this, &QTableWidget::currentCellChanged, viewport(), qOverload<>(&QWidget::update));
}

CListCtrlCustomDrawEx::~CListCtrlCustomDrawEx() = default;

void CListCtrlCustomDrawEx::SetOwnDrawing(bool on) {
    m_ownDrawing = on;
    viewport()->update();
}

void CListCtrlCustomDrawEx::paintEvent(QPaintEvent* event) {
    QTableWidget::paintEvent(event);
    const int row = currentRow();
    if (!hasFocus() || row < 0 || columnCount() == 0)
        return;
    const int last = columnCount() - 1;
    const int top = rowViewportPosition(row);
    QPainter painter(viewport());
    platform::GdiFocusRect(painter, columnViewportPosition(0), top,
                           columnViewportPosition(last) + columnWidth(last), top + rowHeight(row));
}

void CListCtrlCustomDrawEx::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    viewport()->update();
}

void CListCtrlCustomDrawEx::focusOutEvent(QFocusEvent* event) {
    QTableWidget::focusOutEvent(event);
    viewport()->update();
}

bool CListCtrlCustomDrawEx::IsChecked(int row) const {
    const QTableWidgetItem* cell = item(row, 0);
    return cell && cell->checkState() == Qt::Checked;
}

void CListCtrlCustomDrawEx::SetChecked(int row, bool checked) {
    if (QTableWidgetItem* cell = item(row, 0))
        cell->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void CListCtrlCustomDrawEx::SetAllChecked(bool checked) {
    for (int r = 0; r < rowCount(); ++r)
        SetChecked(r, checked);
}

void CListCtrlCustomDrawEx::OnDblClk(int row) {
    if (row >= 0 && row < rowCount())
        SetChecked(row, !IsChecked(row));
}

platform::ColorRef CListCtrlCustomDrawEx::GetCellTextColor(int item, int) const {
    return selectionModel() && selectionModel()->isRowSelected(item, QModelIndex()) ? kSelectedText : kText;
}

platform::ColorRef CListCtrlCustomDrawEx::GetCellBkColor(int item, int) const {
    if (selectionModel() && selectionModel()->isRowSelected(item, QModelIndex()))
        return kSelectedBack;
    return item % 2 != 0 ? kOddBack : kEvenBack;
}

int CListCtrlCustomDrawEx::GetColumnTextWidth(const QFontMetrics& metrics, int column) const {
    if (rowCount() == 0)
        return -1;
    int widest = 0;
    for (int r = 0; r < rowCount(); ++r) {
        if (const QTableWidgetItem* cell = item(r, column))
            widest = std::max(widest, metrics.horizontalAdvance(cell->text()));
    }
    return widest;
}

void CListCtrlCustomDrawEx::DrawSubItem(QPainter& painter, int item, int subItem, const QRect& rect) {
    painter.fillRect(rect, platform::ToQColor(GetCellBkColor(item, subItem)));
    const QRect inner = rect.adjusted(kCellInset, kCellInset, -kCellInset, -kCellInset);
    const QTableWidgetItem* cell = this->item(item, subItem);
    if (!cell || inner.width() <= 0)
        return;
    const QFontMetrics metrics(painter.font());
    const int spare = inner.height() - metrics.height();
    const QRect line(inner.left(), inner.top() + spare / 2 + spare % 2, inner.width(), metrics.height());
    const QTableWidgetItem* head = horizontalHeaderItem(subItem);
    const Qt::Alignment horizontal =
        head ? Qt::Alignment(head->textAlignment()) & Qt::AlignHorizontal_Mask : Qt::AlignLeft;
    painter.setPen(platform::ToQColor(GetCellTextColor(item, subItem)));
    painter.drawText(line, int(horizontal | Qt::AlignVCenter) | Qt::TextSingleLine,
                     FitCellText(metrics, cell->text(), line.width()));
}

QString CListCtrlCustomDrawEx::FitCellText(const QFontMetrics& metrics, const QString& text, int width) const {
    return metrics.elidedText(text, Qt::ElideRight, width);
}
