// libFuzzer target: the program started on any bytes as its settings file, then closed.
#include "fuzz/StartupHarness.h"

#include "fuzz/OffscreenApplication.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    orvelo::fuzzing::StartOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    orvelo::fuzzing::StartAndClose(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
