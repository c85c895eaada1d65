// libFuzzer target: any bytes as a log file, loaded as the program loads it (read, courses, lap
// statistics) in every map drawing mode.
#include "core/Utf8Text.h"
#include "fuzz/FileLoadHarness.h"
#include "fuzz/FuzzInputFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static orvelo::fuzzing::FuzzInputFile file("log");
    static const std::u16string path = orvelo::FromUtf8(file.Path());
    file.Write(data, size);
    orvelo::fuzzing::LoadInEveryDrawMode(path, data, size, orvelo::fuzzing::LoadedKind::Log);
    return 0;
}
