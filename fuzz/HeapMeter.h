// Counts the heap bytes the program holds through operator new, for the memory bounds of the fuzz
// targets and the tests that replay them; a limit makes allocations fail as they do when memory runs
// out. Only programs that link HeapMeter.cpp count (it replaces the global operator new and delete).
#pragma once

#include <cstddef>

namespace orvelo::fuzzing {

struct HeapUse {
    std::size_t current = 0; // bytes held now
    std::size_t peak = 0;    // the most held since the last restart
};

HeapUse CurrentHeapUse();

// The peak starts again from what is held now.
void RestartHeapPeak();

// An allocation that would take the bytes held above the limit throws std::bad_alloc; 0 lifts it.
void SetHeapLimit(std::size_t bytes);

} // namespace orvelo::fuzzing
