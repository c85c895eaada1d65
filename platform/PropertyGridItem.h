// One row of a PropertyGrid: a group caption (a top row across the grid with its rows under
// it) or a row with a name and a value. The grid asks the row how its two cells look each time
// it draws them; a plain row leaves them to the grid's colours.
#pragma once

#include "platform/ColorRef.h"

#include <QString>
#include <QTreeWidgetItem>

namespace platform {

class PropertyGridItem : public QTreeWidgetItem {
public:
    static constexpr int kItemType = QTreeWidgetItem::UserType + 1;

    // How one cell is drawn: its background filled in a colour of its own or the grid's, its text
    // in a colour of its own or the grid's.
    struct CellLook {
        bool fill = false;
        ColorRef background = 0;
        bool ownText = false;
        ColorRef text = 0;
    };

    // A group caption.
    explicit PropertyGridItem(const QString& groupName);
    // A row.
    PropertyGridItem(const QString& name, const QString& value, const QString& description);

    bool IsGroup() const { return m_group; }
    QString Name() const { return text(0); }
    void SetName(const QString& name);
    QString Value() const { return text(1); }
    void SetValue(const QString& value);
    // The value read as a whole number; ok false when it is not one.
    int IntValue(bool* ok = nullptr) const { return Value().trimmed().toInt(ok); }
    const QString& Description() const { return m_description; }

    // The row takes the sub item (or the grid does, once this row is in it).
    void AddSubItem(PropertyGridItem* item) { addChild(item); }
    // Takes the sub item out, deleting it when destroy; false when it is not a sub item.
    bool RemoveSubItem(PropertyGridItem* item, bool destroy = true);
    int SubItemCount() const { return childCount(); }
    PropertyGridItem* SubItem(int index) const;

    // Shown or hidden, expanded or collapsed: only once in a grid.
    void Show(bool show) { setHidden(!show); }
    bool IsVisible() const { return !isHidden(); }
    void Expand(bool expand) { setExpanded(expand); }
    bool IsExpanded() const { return isExpanded(); }
    // Draws the row again.
    void Redraw() { emitDataChanged(); }

    // Whether the value can be typed in (a whole number, through the grid's integer editor).
    void AllowEdit(bool allow) { m_allowEdit = allow; }
    bool IsAllowEdit() const { return m_allowEdit && !m_group; }

    // How the name and the value cell are drawn; by default with the grid's colours.
    virtual CellLook NameLook() const { return {}; }
    virtual CellLook ValueLook() const { return {}; }

private:
    bool m_group = false;
    bool m_allowEdit = false;
    QString m_description;
};

}  // namespace platform
