#include "coursemap/CPropGridPropSegExt.h"

#include "platform/SystemColors.h"

CPropGridPropSegExt::CPropGridPropSegExt(const QString& name, const QString& value)
    : PropertyGridItem(name, value, QStringLiteral("comment")),
      m_nameBackColor(platform::SystemColor(platform::kColorWindow)),
      m_valueBackColor(m_nameBackColor) {}

CPropGridPropSegExt::CPropGridPropSegExt(const QString& groupName)
    : PropertyGridItem(groupName),
      m_nameBackColor(platform::SystemColor(platform::kColorWindow)),
      m_valueBackColor(m_nameBackColor) {}

void CPropGridPropSegExt::SetTextColors(platform::ColorRef name, platform::ColorRef value) {
    if (name == m_nameTextColor && value == m_valueTextColor)
        return;
    m_nameTextColor = name;
    m_valueTextColor = value;
    Redraw();
}

platform::PropertyGridItem::CellLook CPropGridPropSegExt::NameLook() const {
    if (IsGroup())
        return {false, 0, true, m_groupTextColor};
    return {true, m_nameBackColor, true, m_nameTextColor};
}

platform::PropertyGridItem::CellLook CPropGridPropSegExt::ValueLook() const {
    return {true, m_valueBackColor, true, m_valueTextColor};
}
