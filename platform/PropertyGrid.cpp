#include "platform/PropertyGrid.h"

#include "platform/SystemColors.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QIntValidator>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <string_view>

namespace platform {

namespace {
constexpr const char* kBegun = "editBegun";
constexpr int kTextInset = 4;
constexpr int kRowPadding = 4;
constexpr std::size_t kMaxChangedValues = 512;

QEvent::Type UpdateValuesEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
}  // namespace

// Draws every cell as its row asks, or in the grid's colours, and edits whole numbers.
class PropertyGridDelegate : public QStyledItemDelegate {
public:
    explicit PropertyGridDelegate(PropertyGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const PropertyGridItem* item = ItemOf(index);
        if (!item)
            return;
        painter->save();
        painter->setFont(option.font);
        if (item->IsGroup())
            PaintGroup(painter, option, *item);
        else
            PaintCell(painter, option, *item, index.column());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_grid.RowHeight()};
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        PropertyGridItem* item = ItemOf(index);
        if (!item || !item->IsAllowEdit() || index.column() != 1)
            return nullptr;
        auto* editor = new QLineEdit(parent);
        editor->setValidator(new QIntValidator(editor));
        editor->setFrame(false);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        PropertyGridItem* item = ItemOf(index);
        if (!line || !item)
            return;
        line->setText(item->Value().trimmed());
        // The view fills an open editor again whenever the row changes (its own edit taken
        // included): the edit begins only once.
        if (line->property(kBegun).toBool())
            return;
        line->setProperty(kBegun, true);
        if (m_grid.m_beginEdit)
            m_grid.m_beginEdit(*item);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        PropertyGridItem* item = ItemOf(index);
        if (!line || !item || !line->hasAcceptableInput())
            return;
        item->SetValue(QString::number(line->text().toInt()));
        if (m_grid.m_endEdit)
            m_grid.m_endEdit(*item);
    }

private:
    PropertyGridItem* ItemOf(const QModelIndex& index) const {
        QTreeWidgetItem* item = m_grid.itemFromIndex(index);
        return item && item->type() == PropertyGridItem::kItemType ? static_cast<PropertyGridItem*>(item) : nullptr;
    }

    void PaintGroup(QPainter* painter, const QStyleOptionViewItem& option, const PropertyGridItem& item) const {
        painter->fillRect(option.rect, ToQColor(m_grid.GroupBackgroundColor()));
        // A grid with its own caption colour draws every caption in it.
        const PropertyGridItem::CellLook look = item.NameLook();
        const bool gridColour = m_grid.GetCustomColors().groupText != PropertyGrid::kDefaultColor;
        painter->setPen(ToQColor(!gridColour && look.ownText ? look.text : m_grid.GroupTextColor()));
        painter->drawText(option.rect.adjusted(kTextInset, 0, -kTextInset, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          item.Name());
    }

    void PaintCell(QPainter* painter, const QStyleOptionViewItem& option, const PropertyGridItem& item,
                   int column) const {
        const PropertyGridItem::CellLook look = column == 0 ? item.NameLook() : item.ValueLook();
        painter->fillRect(option.rect, ToQColor(look.fill ? look.background : m_grid.BackgroundColor()));
        painter->setPen(ToQColor(look.ownText ? look.text : m_grid.TextColor()));
        DrawCellText(*painter, option.rect.adjusted(kTextInset, 0, -kTextInset, 0),
                     column == 0 ? item.Name() : item.Value());
        // The bottom and right lines, filled: the same pixels as the pen's, at a tenth of the cost.
        const QColor line = ToQColor(m_grid.LineColor());
        const QRect& r = option.rect;
        painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), line);
        painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), line);
    }

    // A number's text that surely fits its box is drawn at the baseline the box would give it, the same
    // pixels without laying the text out in lines; anything else is drawn into the box.
    void DrawCellText(QPainter& painter, const QRect& box, const QString& text) const {
        static constexpr std::u16string_view kNumberChars = u"0123456789 .:-+";
        const bool number = std::all_of(text.begin(), text.end(), [](QChar c) {
            return kNumberChars.find(c.unicode()) != std::u16string_view::npos;
        });
        if (!number) {
            painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
            return;
        }
        // Measured as the painter's device measures (its resolution may not be the screen's).
        const int dpi = painter.device()->logicalDpiY();
        if (painter.font() != m_numberFont || dpi != m_numberDpi) {
            m_numberFont = painter.font();
            m_numberDpi = dpi;
            const QFontMetricsF metrics(m_numberFont, painter.device());
            m_numberAdvance = 0;
            for (char16_t c : kNumberChars)
                m_numberAdvance = std::max(m_numberAdvance, metrics.horizontalAdvance(QChar(c)));
            m_lineHeight = metrics.height();
            m_ascent = metrics.ascent();
        }
        if ((text.size() + 1) * m_numberAdvance <= box.width() && m_lineHeight <= box.height())
            painter.drawText(QPointF(box.left(), box.top() + (box.height() - m_lineHeight) / 2 + m_ascent), text);
        else
            painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    }

    // The widest of the number characters in the font last asked about, and its line.
    mutable QFont m_numberFont;
    mutable int m_numberDpi = 0;
    mutable qreal m_numberAdvance = 0;
    mutable qreal m_lineHeight = 0;
    mutable qreal m_ascent = 0;
    PropertyGrid& m_grid;
};

PropertyGrid::PropertyGrid(QWidget* parent) : QTreeWidget(parent) {
    setItemDelegate(new PropertyGridDelegate(*this));
    setUniformRowHeights(true);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    SetHeaderItems({QString(), QString()}, 100);
    ApplyPalette();
}

void PropertyGrid::AddProperty(PropertyGridItem* item) {
    if (!item)
        return;
    addTopLevelItem(item);
    item->setFirstColumnSpanned(item->IsGroup());
}

PropertyGridItem* PropertyGrid::Property(int index) const {
    QTreeWidgetItem* item = topLevelItem(index);
    return item && item->type() == PropertyGridItem::kItemType ? static_cast<PropertyGridItem*>(item) : nullptr;
}

void PropertyGrid::EnableHeaderCtrl(bool enable, const QString& nameTitle, const QString& valueTitle) {
    setHeaderHidden(!enable);
    QStringList titles = HeaderItems();
    titles[0] = nameTitle;
    titles[1] = valueTitle;
    setHeaderLabels(titles);
}

void PropertyGrid::SetHeaderItems(const QStringList& titles, int width) {
    QStringList all = titles;
    while (all.size() < 2)
        all << QString();
    setColumnCount(static_cast<int>(all.size()));
    setHeaderLabels(all);
    for (int c = 0; c < columnCount(); ++c) {
        setColumnWidth(c, width);
        // Items past the two columns stand in the header only.
        setColumnHidden(c, c >= 2);
    }
    FitColumns();
}

QStringList PropertyGrid::HeaderItems() const {
    QStringList titles;
    for (int c = 0; c < columnCount(); ++c)
        titles << headerItem()->text(c);
    return titles;
}

void PropertyGrid::SetLeftColumnWidth(int width) {
    m_leftColumnWidth = std::max(0, width);
    FitColumns();
}

void PropertyGrid::SetCustomColors(const CustomColors& colors) {
    m_custom = colors;
    ApplyPalette();
    viewport()->update();
}

namespace {
ColorRef Either(ColorRef custom, int systemIndex) {
    return custom == PropertyGrid::kDefaultColor ? SystemColor(systemIndex) : custom;
}
}  // namespace

ColorRef PropertyGrid::BackgroundColor() const { return Either(m_custom.background, kColorWindow); }
ColorRef PropertyGrid::TextColor() const { return Either(m_custom.text, kColorWindowText); }
ColorRef PropertyGrid::GroupBackgroundColor() const { return Either(m_custom.groupBackground, kColorBtnFace); }
ColorRef PropertyGrid::GroupTextColor() const { return Either(m_custom.groupText, kColorWindowText); }
ColorRef PropertyGrid::LineColor() const { return Either(m_custom.line, kColorBtnFace); }

int PropertyGrid::RowHeight() const { return fontMetrics().height() + kRowPadding; }

void PropertyGrid::SetEditHooks(EditHook begin, EditHook end) {
    m_beginEdit = std::move(begin);
    m_endEdit = std::move(end);
}

bool PropertyGrid::EditItem(PropertyGridItem* item) {
    if (!item || !item->IsAllowEdit() || item->treeWidget() != this)
        return false;
    setCurrentItem(item, 1);
    editItem(item, 1);
    return true;
}

void PropertyGrid::SetValueText(PropertyGridItem& item, const QString& value) {
    m_settingValue = true;
    item.setText(1, value);
    m_settingValue = false;
}

void PropertyGrid::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
    // An open editor is filled again by the tree's own handling.
    if (!m_settingValue || topLeft != bottomRight || state() != NoState) {
        QTreeWidget::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    // A value text: its cell waits for the messages already queued (the cursor's values come in
    // several) and is drawn with the others.
    if (m_valuesToUpdate.size() < kMaxChangedValues)
        m_valuesToUpdate.emplace_back(topLeft);
    else
        m_changedOverflow = true;
    if (!m_updatePosted) {
        m_updatePosted = true;
        QCoreApplication::postEvent(this, new QEvent(UpdateValuesEvent()), Qt::LowEventPriority);
    }
}

void PropertyGrid::customEvent(QEvent* event) {
    if (event->type() == UpdateValuesEvent())
        UpdateChangedValues();
    else
        QTreeWidget::customEvent(event);
}

void PropertyGrid::UpdateChangedValues() {
    m_updatePosted = false;
    if (m_changedOverflow) {
        viewport()->update();
    } else {
        // A grid that is not painted (hidden) keeps a bounded list, past which the next paint is whole.
        for (const QPersistentModelIndex& index : m_valuesToUpdate) {
            const QRect cell = index.isValid() ? visualRect(index) : QRect();
            if (cell.isEmpty() || !viewport()->rect().intersects(cell))
                continue;
            viewport()->update(cell);
            if (m_changedValues.size() < kMaxChangedValues)
                m_changedValues.push_back(index);
            else
                m_changedOverflow = true;
        }
    }
    m_valuesToUpdate.clear();
}

void PropertyGrid::paintEvent(QPaintEvent* event) {
    if (!PaintChangedValues(event->region()))
        QTreeWidget::paintEvent(event);
    m_changedValues.clear();
    m_changedOverflow = false;
}

bool PropertyGrid::PaintChangedValues(const QRegion& region) {
    // The focus frame of the current row is the tree's to draw, and so is an open editor's row.
    if (m_changedValues.empty() || m_changedOverflow || state() != NoState || (hasFocus() && currentIndex().isValid()))
        return false;
    QRegion cells;
    for (const QPersistentModelIndex& index : m_changedValues) {
        if (!index.isValid())
            return false;
        cells += visualRect(index);
    }
    if (!(region - cells).isEmpty())
        return false;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    QPainter painter(viewport());
    QRegion drawn;
    for (const QPersistentModelIndex& index : m_changedValues) {
        option.rect = visualRect(index);
        if (option.rect.isEmpty() || drawn.contains(option.rect) || !region.intersects(option.rect))
            continue;
        drawn += option.rect;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
    return true;
}

void PropertyGrid::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    FitColumns();
}

void PropertyGrid::FitColumns() {
    const int width = viewport()->width();
    const int left = m_leftColumnWidth > 0 ? std::min(m_leftColumnWidth, width) : width / 2;
    setColumnWidth(0, left);
    setColumnWidth(1, std::max(0, width - left));
}

void PropertyGrid::ApplyPalette() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, ToQColor(BackgroundColor()));
    palette.setColor(QPalette::Text, ToQColor(TextColor()));
    setPalette(palette);
}

}  // namespace platform
