#include "shell/LapColorPropagation.h"

#include "shell/ColorSettings.h"

#include "core/LapColour.h"
#include "core/LapSelection.h"

int LapColorSettingToCore(ColorSettings& colorSettings, orvelo::LapDataCore& core, int op,
                          platform::ColorRef* colors)
{
    const int result = colorSettings.LapColorSetting(op, colors);
    // Only slots in use pass the colour on to a lap: a freed slot's lap is no longer compared.
    if (result == 0)
        orvelo::ApplyLapColors(core, colorSettings.LapColorTable());
    return result;
}
