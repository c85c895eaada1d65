// Where a lap overview window and its parts go: the first placement in its
// work-area view, the three areas of its client (segment strip, channel rows,
// X scale) and the widths of the scale and graph columns, and what of a saved
// layout may be taken back.
#pragma once

#include "graphs/WorkAreaWindowProp.h"

#include <QRect>

#include <cstdint>
#include <vector>

namespace graphs {

// The window's frame as the layout reads it: caption height, frame width and height.
struct FrameMetrics {
    int caption = 0;
    int frameWidth = 0;
    int frameHeight = 0;
};

// The least room the scales need to show their labels whole: the scale column's width and the X
// axis's height (0: no least).
struct LabelRoom {
    int scaleColumn = 0;
    int xAxisHeight = 0;
    bool operator==(const LabelRoom&) const = default;
};

struct LapOverviewAreas {
    QRect segments;
    QRect channels;
    QRect xAxis;
};

inline constexpr std::uint32_t kDefaultChannelMask = 0x3; // "RPM" and "Speed"
inline constexpr int kMaxRows = 18;
// The bar between two channel rows, and the gap between a row's scale and its graph.
inline constexpr int kRowGap = 3;
inline constexpr int kColumnGap = 3;

// The first placement in a view whose client is viewWidth wide: (10 slot, 20 slot) and a size
// that shrinks relative to wider views.
QRect FirstPlacement(int viewWidth, int slot);
// The three areas for a window of width x height; the X axis and the scale column are given at
// least the room their labels need.
LapOverviewAreas ComputeAreas(int width, int height, const FrameMetrics& metrics, const LabelRoom& room = {});
// The scale column of the channel rows (and so the X scale's indent) for a channel area this wide.
int ScaleColumnWidth(int channelAreaWidth, const LabelRoom& room = {});
// Row heights: the ideal (area / rows) and the minimum of each.
int RowIdealHeight(int areaHeight, int rows);
int RowMinimumHeight(int areaHeight);
// Whether a window of this size holds its title bar and frame, its margins and that many rows at
// their minimum height with the bars between them.
bool HoldsRows(const QSize& size, int rows, const FrameMetrics& metrics, const LabelRoom& room = {});

int ChannelCount(std::uint32_t mask);
// The channels of a mask, lowest first (the rows' order).
std::vector<int> ChannelsOf(std::uint32_t mask);

// What a saved record gives back: rows follow the mask (0x3 when empty), the saved row heights
// only when there is one per row, the place and size only when both are positive.
struct RestoredLayout {
    std::uint32_t mask = kDefaultChannelMask;
    int rows = 2;
    int xAxisMode = 0;
    bool placed = false;
    QRect place;
    std::vector<int> heights;
};
RestoredLayout SaneLayout(const WorkAreaWindowProp& record, const std::vector<std::int32_t>& heights);

} // namespace graphs
