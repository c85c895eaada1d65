// The texts of the values at the graph cursor: which channel each cursor message carries, how a
// channel's value is written, and the order of the channel groups in the properties pane.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace properties {

inline constexpr int kChannelCount = 18;

// The channel (1 to 18) of a channel value message; 0 for any other message.
int ChannelOfMessage(std::uint32_t id);

// The channel's value as shown: G values and Volt in tenths, Handle less 100, the others whole.
QString ChannelValueText(int channel, std::int32_t value);
// The name of a value row: the lap number right-aligned in three characters.
QString LapNumberName(int lapNumber);
// A lap time in hundredths as the lap-time text (lower-case hex from ten minutes on).
QString LapTimeValueText(std::uint32_t time);
// A distance in metres, right-aligned in five characters.
QString DistanceValueText(std::int32_t distance);

// The channels in the order their groups stand in the channel grid.
inline constexpr std::array<int, kChannelCount> kChannelGroupOrder = {1, 2,  3, 4,  9,  10, 12, 7,  8,
                                                                     5, 6, 11, 13, 14, 15, 16, 17, 18};

}  // namespace properties
