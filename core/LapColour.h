// Colours of the compared laps: the slot defaults and the generator that colours new slots
// (and the graph pane's new channel pens) from a base colour.
#pragma once

#include "core/LapData.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvelo {

class LapDataCore;

inline constexpr COLORREF kBaseSlotColour = Rgb(124, 252, 0);        // slot 0 after start-up
inline constexpr COLORREF kFirstOverlaySlotColour = Rgb(255, 165, 0); // slot 1 after start-up

// The base lap and overlay laps 1 to 6, as the settings hold them.
inline constexpr std::size_t kLapColorCount = 7;
using LapColorArray = std::array<COLORREF, kLapColorCount>;

// Adds the offsets o1 and o2 (0..254) to the channels as choice k (0..5) says, each sum modulo 256;
// a channel that ends as 0 becomes 255.
COLORREF MixColourOffsets(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int o1, int o2, int k);

// A colour near (red, green, blue). The C runtime generator is seeded with the core's clock in whole
// seconds at every call, so calls within one second repeat the same colour; o1, o2 and k are then
// drawn from core.randomNumber in that order (a test replaces randomNumber to pick them).
COLORREF MakeRandomColour(LapDataCore& core, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
COLORREF MakeRandomColour(LapDataCore& core, COLORREF base);

} // namespace orvelo
