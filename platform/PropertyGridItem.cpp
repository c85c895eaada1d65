#include "platform/PropertyGridItem.h"

#include "platform/PropertyGrid.h"

namespace platform {

PropertyGridItem::PropertyGridItem(const QString& groupName) : QTreeWidgetItem(kItemType), m_group(true) {
    setText(0, groupName);
    setFlags(Qt::ItemIsEnabled);
}

PropertyGridItem::PropertyGridItem(const QString& name, const QString& value, const QString& description)
    : QTreeWidgetItem(kItemType), m_description(description) {
    setText(0, name);
    setText(1, value);
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
}

void PropertyGridItem::SetName(const QString& name) {
    if (text(0) != name)
        setText(0, name);
}

void PropertyGridItem::SetValue(const QString& value) {
    if (text(1) == value)
        return;
    if (auto* grid = dynamic_cast<PropertyGrid*>(treeWidget()))
        grid->SetValueText(*this, value);
    else
        setText(1, value);
}

bool PropertyGridItem::RemoveSubItem(PropertyGridItem* item, bool destroy) {
    if (!item || item->parent() != this)
        return false;
    removeChild(item);
    if (destroy)
        delete item;
    return true;
}

PropertyGridItem* PropertyGridItem::SubItem(int index) const {
    QTreeWidgetItem* item = child(index);
    return item && item->type() == kItemType ? static_cast<PropertyGridItem*>(item) : nullptr;
}

}  // namespace platform
