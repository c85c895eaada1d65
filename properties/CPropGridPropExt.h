// A row of the properties pane's grids: a lap-time, distance or channel value row, or the group
// caption above them, drawn in colours of its own. Ids 1 to 18 are channels, 19 lap time, 20
// distance; 21 and above draw like a plain row. A side whose text colour is one of the two light
// colours that cannot be read on the pane's backgrounds gets a grey background instead.
#pragma once

#include "platform/PropertyGridItem.h"

namespace properties {

inline constexpr int kPlainRowId = 21;
inline constexpr int kLapTimeId = 19;
inline constexpr int kDistanceId = 20;
inline constexpr platform::ColorRef kGreyColor = 0x808080;

// Light green (0x00FF00) and aqua (0xFFFF00 as COLORREF) text needs the grey background.
constexpr bool NeedsGreyBackground(platform::ColorRef text) { return text == 0x00FF00 || text == 0xFFFF00; }

}  // namespace properties

class CPropGridPropExt : public platform::PropertyGridItem {
public:
    // A row with the description "comment".
    CPropGridPropExt(const QString& name, const QString& value);
    // A group caption.
    explicit CPropGridPropExt(const QString& groupName);

    int Id() const { return m_id; }
    void SetId(int id) { m_id = id; }
    int RowIndex() const { return m_rowIndex; }
    void SetRowIndex(int row) { m_rowIndex = row; }
    bool GroupFlag() const { return m_groupFlag; }
    // The lap whose number the row's name shows (kNoLap: none).
    static constexpr int kNoLap = -1;
    int NamedLap() const { return m_namedLap; }
    void SetNamedLap(int lapNumber) { m_namedLap = lapNumber; }
    void SetGroupFlag(bool on) { m_groupFlag = on; }

    void SetGroupTextColor(platform::ColorRef color) { m_groupTextColor = color; }
    platform::ColorRef NameTextColor() const { return m_nameTextColor; }
    void SetNameTextColor(platform::ColorRef color) { m_nameTextColor = color; }
    platform::ColorRef ValueTextColor() const { return m_valueTextColor; }
    void SetValueTextColor(platform::ColorRef color) { m_valueTextColor = color; }
    platform::ColorRef NameBackColor() const { return m_nameBackColor; }
    platform::ColorRef ValueBackColor() const { return m_valueBackColor; }
    bool NameGrey() const { return m_nameGrey; }
    bool ValueGrey() const { return m_valueGrey; }

    // The background of that side: the given colour, or grey (flag set) when the side's text
    // colour needs it.
    void SetNameBackColor(platform::ColorRef color);
    void SetValueBackColor(platform::ColorRef color);

    CellLook NameLook() const override { return Look(m_nameBackColor, m_nameTextColor); }
    CellLook ValueLook() const override { return Look(m_valueBackColor, m_valueTextColor); }

private:
    CellLook Look(platform::ColorRef background, platform::ColorRef text) const;

    int m_id = properties::kPlainRowId;
    int m_rowIndex = 0;
    int m_namedLap = kNoLap;
    bool m_groupFlag = false;
    bool m_nameGrey = false;
    bool m_valueGrey = false;
    platform::ColorRef m_groupTextColor = 0;
    platform::ColorRef m_valueBackColor = 0;
    platform::ColorRef m_nameBackColor = 0;
    platform::ColorRef m_nameTextColor = 0;
    platform::ColorRef m_valueTextColor = 0;
};
