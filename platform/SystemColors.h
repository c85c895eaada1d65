// The system colours the windows ask for by index, taken from the
// application's palette so that they follow the desktop's theme.
#pragma once

#include "platform/ColorRef.h"

namespace platform {

// Indexes numbered as the system's colour indexes.
enum SystemColorIndex : int {
    kColorWindow = 5,
    kColorWindowText = 8,
    kColorHighlight = 13,
    kColorHighlightText = 14,
    kColorBtnFace = 15,
    kColorGrayText = 17,
    kColorBtnText = 18,
    kColorBtnHighlight = 20,
};

// The colour of the application's palette (without an application object, a
// palette built on a light grey button face); black for an index not listed.
ColorRef SystemColor(int index);

}  // namespace platform
