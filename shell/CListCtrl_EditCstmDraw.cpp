#include "shell/CListCtrl_EditCstmDraw.h"

#include "platform/GdiDraw.h"
#include "platform/MessageBus.h"
#include "platform/SystemColors.h"
#include "platform/UserMessages.h"
#include "shell/CListEdit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

// Draws the cells through the list's own drawing and edits them in place.
class CListCtrl_EditCstmDraw::EditDelegate : public QStyledItemDelegate {
public:
    explicit EditDelegate(CListCtrl_EditCstmDraw& list) : QStyledItemDelegate(&list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        painter->save();
        painter->setFont(m_list.font());
        m_list.DrawSubItem(*painter, index.row(), index.column(), option.rect);
        painter->restore();
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        m_list.m_editRow = index.row();
        m_list.m_editColumn = index.column();
        return new CListEdit(parent);
    }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const override {
        static_cast<CListEdit*>(editor)->Place(option.rect);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<CListEdit*>(editor)->setText(index.data().toString());
    }
    // The list takes the text itself; the model is not written here. The edit ends when the view
    // has closed the editor (closeEditor).
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        m_list.TakeEditText(index.row(), index.column(), static_cast<CListEdit*>(editor)->text());
    }
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        m_list.m_editColumn = -1;  // also when the edit was cancelled
        QStyledItemDelegate::destroyEditor(editor, index);
    }

private:
    CListCtrl_EditCstmDraw& m_list;
};

CListCtrl_EditCstmDraw::CListCtrl_EditCstmDraw(QWidget* parent) : CListCtrlCustomDrawEx(parent) {
    // A double click edits the cell; it does not flip a check box here.
    disconnect(this, &QTableWidget::cellDoubleClicked, this, nullptr);
    setEditTriggers(QAbstractItemView::DoubleClicked);
    setItemDelegate(new EditDelegate(*this));
    setFont(platform::GdiFont(QApplication::font().family(), -12));
    verticalHeader()->setDefaultSectionSize(22);
}

void CListCtrl_EditCstmDraw::TakeEditText(int row, int column, const QString& text) {
    m_textTaken = true;
    QTableWidgetItem* cell = item(row, column);
    if (cell && !text.isEmpty()) {
        cell->setText(text);
        const platform::LParam place =
            platform::MakeLong(static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row));
        // The text travels as the message's own copy.
        using platform::UM_INPUT_PROPERTY_VALUE_OF_CHANNEL_MAX;
        platform::PostMessage(m_owner, platform::MessageWithBlockInWParam(UM_INPUT_PROPERTY_VALUE_OF_CHANNEL_MAX,
                                                                          text.toStdU16String(), place));
    }
}

// Clearing the current cell while its editor is open would make the view close that editor
// behind the delegate's back, so an edit ends only once the view has closed it, whether its text
// was taken or dropped (Escape). An ended edit leaves no cell current, so Tab does not go on to
// edit the next one.
void CListCtrl_EditCstmDraw::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool dropped = hint == QAbstractItemDelegate::RevertModelCache;
    if (!m_textTaken && !dropped) {
        CListCtrlCustomDrawEx::closeEditor(editor, hint);
        return;
    }
    CListCtrlCustomDrawEx::closeEditor(editor, dropped ? hint : QAbstractItemDelegate::SubmitModelCache);
    ClearEdit();
}

void CListCtrl_EditCstmDraw::ClearEdit() {
    m_textTaken = false;
    m_editColumn = -1;
    clearSelection();
    if (selectionModel())
        selectionModel()->clearCurrentIndex();
}

bool CListCtrl_EditCstmDraw::SelectedNotEditing(int row) const {
    return m_editColumn == -1 && selectionModel() && selectionModel()->isRowSelected(row, QModelIndex());
}

platform::ColorRef CListCtrl_EditCstmDraw::GetCellTextColor(int item, int) const {
    return platform::SystemColor(SelectedNotEditing(item) ? platform::kColorHighlightText : platform::kColorWindowText);
}

platform::ColorRef CListCtrl_EditCstmDraw::GetCellBkColor(int item, int) const {
    if (SelectedNotEditing(item))
        return platform::SystemColor(platform::kColorHighlight);
    return item % 2 == 0 ? kEvenRowColor : kOddRowColor;
}

void CListCtrl_EditCstmDraw::paintEvent(QPaintEvent* event) {
    CListCtrlCustomDrawEx::paintEvent(event);
    const int row = currentIndex().row();
    if (!hasFocus() || row < 0 || columnCount() == 0)
        return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = visualRect(model()->index(row, 0)).united(visualRect(model()->index(row, columnCount() - 1)));
    QPainter painter(viewport());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

QString CListCtrl_EditCstmDraw::FitCellText(const QFontMetrics& metrics, const QString& text, int width) const {
    return FitTextWithEllipsis(text, width, [&metrics](const QString& part) { return metrics.horizontalAdvance(part); });
}

QString CListCtrl_EditCstmDraw::FitTextWithEllipsis(const QString& text, int width,
                                                     const std::function<int(const QString&)>& widthOf) {
    if (widthOf(text) <= width)
        return text;
    const QString dots = QStringLiteral("...");
    qsizetype kept = text.size();
    while (kept > 0 && widthOf(text.left(kept) + dots) > width)
        --kept;
    return text.left(kept) + dots;
}
