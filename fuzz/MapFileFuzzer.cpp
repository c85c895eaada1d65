// libFuzzer target: any bytes as a course-map file, loaded as the program loads it (read and courses)
// in every map drawing mode.
#include "core/Utf8Text.h"
#include "fuzz/FileLoadHarness.h"
#include "fuzz/FuzzInputFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static orvelo::fuzzing::FuzzInputFile file("map");
    static const std::u16string path = orvelo::FromUtf8(file.Path());
    file.Write(data, size);
    orvelo::fuzzing::LoadInEveryDrawMode(path, data, size, orvelo::fuzzing::LoadedKind::Map);
    return 0;
}
