#include "platform/ColorAdjustLuma.h"

#include <algorithm>

namespace platform {

ColorRef ColorAdjustLuma(ColorRef color, int n) {
    if (n == 0)
        return color & 0xFFFFFF;
    n = std::clamp(n, -1000, 1000);
    const QColor hsl = ToQColor(color).toHsl();
    int lightness = hsl.lightness();
    lightness += n > 0 ? (255 - lightness) * n / 1000 : lightness * n / 1000;
    return FromQColor(QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), std::clamp(lightness, 0, 255)));
}

}  // namespace platform
