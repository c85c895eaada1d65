#include "properties/CPropGridPropExt.h"

CPropGridPropExt::CPropGridPropExt(const QString& name, const QString& value)
    : PropertyGridItem(name, value, QStringLiteral("comment")) {}

CPropGridPropExt::CPropGridPropExt(const QString& groupName) : PropertyGridItem(groupName) {}

void CPropGridPropExt::SetNameBackColor(platform::ColorRef color) {
    m_nameGrey = properties::NeedsGreyBackground(m_nameTextColor);
    m_nameBackColor = m_nameGrey ? properties::kGreyColor : color;
}

void CPropGridPropExt::SetValueBackColor(platform::ColorRef color) {
    m_valueGrey = properties::NeedsGreyBackground(m_valueTextColor);
    m_valueBackColor = m_valueGrey ? properties::kGreyColor : color;
}

platform::PropertyGridItem::CellLook CPropGridPropExt::Look(platform::ColorRef background,
                                                             platform::ColorRef text) const {
    // A caption only changes its text colour; a plain row keeps the grid's look.
    if (m_groupFlag)
        return {false, 0, true, m_groupTextColor};
    if (m_id >= properties::kPlainRowId)
        return {};
    return {true, background, true, text};
}
