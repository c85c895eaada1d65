// libFuzzer target: any bytes as the settings file, parsed and then read setting by setting.
#include "fuzz/SettingsLoadHarness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    orvelo::fuzzing::LoadSettingsText(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
