// libFuzzer target: any bytes as the user's settings file, loaded, read setting by setting, saved and
// loaded again.
#include "fuzz/SettingsLoadHarness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static orvelo::fuzzing::SettingsFileCycle cycle;
    cycle.Run(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
