// libFuzzer target: several log and course-map files loaded together, laps compared, made current
// and recoloured, files closed and opened again, courses redrawn (FileSetHarness.h says how an input
// is read).
#include "fuzz/FileSetHarness.h"
#include "fuzz/FuzzScratchFolder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static orvelo::fuzzing::FuzzScratchFolder folder("files");
    orvelo::fuzzing::FileSetRun(data, size, folder.Path()).Run();
    return 0;
}
