// Carries the stored lap colours into the laps being compared: LapColorTable, then the first seven
// slots of the core's SelectedLaps and the display colours of the laps in the active ones.
#pragma once

#include "platform/ColorRef.h"

class ColorSettings;

namespace orvelo {
class LapDataCore;
}

// LapColorSetting (op 1 writes the seven colours, any other op reads them into colors); when that
// succeeded the core takes the table. Returns LapColorSetting's result: 0 ok, non-zero failure.
int LapColorSettingToCore(ColorSettings& colorSettings, orvelo::LapDataCore& core, int op,
                          platform::ColorRef* colors);
