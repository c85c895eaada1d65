// libFuzzer target: any bytes as a log file, loaded as the program loads it, each lap written back as
// a course-map file and opened again as a course map.
#include "fuzz/FuzzInputFile.h"
#include "fuzz/FuzzScratchFolder.h"
#include "fuzz/RoundTripHarness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static orvelo::fuzzing::FuzzInputFile file("roundtrip");
    static orvelo::fuzzing::FuzzScratchFolder folder("roundtrip");
    file.Write(data, size);
    orvelo::fuzzing::RoundTrip(file.Path(), folder.Path()).Run();
    return 0;
}
