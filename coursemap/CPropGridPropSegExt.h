// One row of the segment grid of the course map viewer (a segment number and its length) or the
// caption of a segment group over its rows. A row draws its two cells in colours of its own, so
// the viewer can mark the selected segment's row; a caption draws its name in the caption colour.
#pragma once

#include "platform/PropertyGridItem.h"

class CPropGridPropSegExt : public platform::PropertyGridItem {
public:
    static constexpr platform::ColorRef kCaptionColor = 0x808080;

    // A row with the description "comment".
    CPropGridPropSegExt(const QString& name, const QString& value);
    // A group caption.
    explicit CPropGridPropSegExt(const QString& groupName);

    void SetGroupTextColor(platform::ColorRef color) { m_groupTextColor = color; }
    void SetNameBackColor(platform::ColorRef color) { m_nameBackColor = color; }
    void SetValueBackColor(platform::ColorRef color) { m_valueBackColor = color; }
    // The text colours of both cells.
    void SetTextColors(platform::ColorRef name, platform::ColorRef value);
    platform::ColorRef NameTextColor() const { return m_nameTextColor; }
    platform::ColorRef ValueTextColor() const { return m_valueTextColor; }

    CellLook NameLook() const override;
    CellLook ValueLook() const override;

private:
    platform::ColorRef m_groupTextColor = kCaptionColor;
    platform::ColorRef m_nameBackColor;
    platform::ColorRef m_valueBackColor;
    platform::ColorRef m_nameTextColor = 0;
    platform::ColorRef m_valueTextColor = 0;
};
