// The status bar's texts for the map drawing modes (1 offset OFF, 2 offset
// ON, 3 GPS).
#pragma once

#include <QString>

inline QString MapDrawModeText(int mode) {
    switch (mode) {
    case 2: return QStringLiteral(" offset ON");
    case 3: return QStringLiteral(" GPS ");
    default: return QStringLiteral(" offset OFF");
    }
}
