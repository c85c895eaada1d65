// COLORREF: the colour word kept in every stored record and message,
// 0x00BBGGRR (red in the low byte). The only conversions to and from QColor.
#pragma once

#include <QColor>

#include <cstdint>

namespace platform {

using ColorRef = std::uint32_t;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
    return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(ColorRef color) { return static_cast<int>(color & 0xFF); }
constexpr int GreenOf(ColorRef color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int BlueOf(ColorRef color) { return static_cast<int>((color >> 16) & 0xFF); }

// The top byte of a COLORREF is ignored; the result is opaque.
inline QColor ToQColor(ColorRef color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }
// Alpha is dropped.
inline ColorRef FromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return MakeColorRef(rgb.red(), rgb.green(), rgb.blue());
}

}  // namespace platform
