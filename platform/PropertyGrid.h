// A property grid: groups of name and value rows in two columns under a header, each group a
// caption across the grid that opens and closes. Cells are drawn in the grid's colours (system
// colours unless custom ones are set) or in those their row asks for. Values can be typed in
// where a row allows it, as whole numbers; hooks run when an edit begins and when it is taken.
#pragma once

#include "platform/ColorRef.h"
#include "platform/PropertyGridItem.h"

#include <QStringList>
#include <QPersistentModelIndex>
#include <QTreeWidget>

#include <functional>
#include <vector>

namespace platform {

class PropertyGrid : public QTreeWidget {
public:
    // A custom colour left at this is the system's.
    static constexpr ColorRef kDefaultColor = 0xFFFFFFFF;

    struct CustomColors {
        ColorRef background = kDefaultColor;
        ColorRef text = kDefaultColor;
        ColorRef groupBackground = kDefaultColor;
        ColorRef groupText = kDefaultColor;
        ColorRef descriptionBackground = kDefaultColor;
        ColorRef descriptionText = kDefaultColor;
        ColorRef line = kDefaultColor;
        bool operator==(const CustomColors&) const = default;
    };

    explicit PropertyGrid(QWidget* parent = nullptr);

    // A top row (usually a group); the grid takes it.
    void AddProperty(PropertyGridItem* item);
    PropertyGridItem* Property(int index) const;
    int PropertyCount() const { return topLevelItemCount(); }

    // The header over the name and value columns, shown or not.
    void EnableHeaderCtrl(bool enable, const QString& nameTitle, const QString& valueTitle);
    // The header's items from scratch, each width pixels; the grid shows the first two over its
    // name and value columns.
    void SetHeaderItems(const QStringList& titles, int width);
    QStringList HeaderItems() const;
    // The name column's width; 0 (the default) gives it half the grid.
    void SetLeftColumnWidth(int width);

    void SetCustomColors(const CustomColors& colors);
    const CustomColors& GetCustomColors() const { return m_custom; }
    // The colours in effect: the custom ones, or the system's where they are not set.
    ColorRef BackgroundColor() const;
    ColorRef TextColor() const;
    ColorRef GroupBackgroundColor() const;
    ColorRef GroupTextColor() const;
    ColorRef LineColor() const;

    // The height of every row.
    int RowHeight() const;

    // Typing a whole number into a row that allows it: begin runs once the editor is open, end
    // once the typed value is in the row (not when the edit is abandoned).
    using EditHook = std::function<void(PropertyGridItem&)>;
    void SetEditHooks(EditHook begin, EditHook end);
    // Opens the editor on the row's value; false when the row cannot be edited.
    bool EditItem(PropertyGridItem* item);

    // Sets a row's value text; the cell is drawn again once the messages queued so far are handled,
    // so that values set one after another are drawn in one paint.
    void SetValueText(PropertyGridItem& item, const QString& value);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) override;
    void customEvent(QEvent* event) override;

private:
    friend class PropertyGridDelegate;
    // Draws the changed value cells straight through the delegate when they are all the paint asks
    // for; false when the tree must be drawn as usual.
    bool PaintChangedValues(const QRegion& region);
    void FitColumns();
    void ApplyPalette();

    CustomColors m_custom;
    int m_leftColumnWidth = 0;
    EditHook m_beginEdit;
    EditHook m_endEdit;
    void UpdateChangedValues();

    bool m_settingValue = false;
    bool m_updatePosted = false;
    std::vector<QPersistentModelIndex> m_valuesToUpdate;
    std::vector<QPersistentModelIndex> m_changedValues;
    bool m_changedOverflow = false;
};

}  // namespace platform
