// A small seeded random source whose numbers are the same on every platform
// (the standard distributions are not), so one seed always gives one file.
#pragma once

#include <cstdint>

namespace samplegen {

class SeededRandom {
 public:
  explicit SeededRandom(std::uint64_t seed) : m_state(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

  double Uniform(double low, double high) { return low + (high - low) * Unit(); }

  // Uniform in [0, bound); bound > 0.
  std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }

 private:
  std::uint64_t m_state;
};

}  // namespace samplegen
