#include "properties/CursorValueText.h"

#include "core/LapTimeText.h"
#include "platform/UserMessages.h"

#include <cstdio>

namespace properties {

int ChannelOfMessage(std::uint32_t id) {
    using namespace platform;
    switch (id) {
    case UM_SET_RPM_DATA_VALUE: return 1;
    case UM_SET_SPEED_DATA_VALUE: return 2;
    case UM_SET_G_HORIZ_DATA_VALUE: return 3;
    case UM_SET_G_VERT_DATA_VALUE: return 4;
    case UM_SET_TEMP1_DATA_VALUE: return 7;
    case UM_SET_TEMP2_DATA_VALUE: return 8;
    case UM_SET_PRESS1_DATA_VALUE: return 5;
    case UM_SET_PRESS2_DATA_VALUE: return 6;
    case UM_SET_HANDLE_DATA_VALUE: return 9;
    case UM_SET_ACCEL_DATA_VALUE: return 10;
    case UM_SET_GEAR_DATA_VALUE: return 12;
    case UM_SET_VOLT_DATA_VALUE: return 11;
    case UM_SET_ANGL_DATA_VALUE: return 13;
    case UM_SET_ANALOG1_VALUE: return 14;
    case UM_SET_ANALOG2_VALUE: return 15;
    case UM_SET_ANALOG3_VALUE: return 16;
    case UM_SET_ANALOG4_VALUE: return 17;
    case UM_SET_ANALOG5_VALUE: return 18;
    default: return 0;
    }
}

namespace {
// A whole number as printf writes it; every cursor move writes dozens of these.
QString Whole(const char* format, std::int32_t value) {
    char text[16];
    const int length = std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text, length);
}
}  // namespace

QString ChannelValueText(int channel, std::int32_t value) {
    // Tenths are divided in single precision, as the values are meant to be shown.
    switch (channel) {
    case 3:
    case 4: return QString::asprintf("%1.1f", static_cast<double>(static_cast<float>(value) / 10.0f));
    case 11: return QString::asprintf("%2.1f", static_cast<double>(static_cast<float>(value) / 10.0f));
    case 9: return Whole("%4d", value - 100);
    default: return Whole("%4d", value);
    }
}

QString LapNumberName(int lapNumber) { return Whole("%3d", lapNumber); }

QString LapTimeValueText(std::uint32_t time) {
    char text[16]{};
    orvelo::FormatLapTimeA(time, text);
    return QString::fromLatin1(text);
}

QString DistanceValueText(std::int32_t distance) { return Whole("%5d", distance); }

}  // namespace properties
