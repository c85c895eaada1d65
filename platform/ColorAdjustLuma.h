// Lighter and darker shades of a colour for 3-D edges: the lightness of the
// colour in hue-lightness-saturation moves towards white (n > 0) or black
// (n < 0) by n thousandths of the way; hue and saturation stay.
#pragma once

#include "platform/ColorRef.h"

namespace platform {

// n from -1000 (black) to 1000 (white); 0 gives the colour itself.
ColorRef ColorAdjustLuma(ColorRef color, int n);

}  // namespace platform
