#include "graphs/LapOverviewLayout.h"

#include <algorithm>
#include <bit>

namespace graphs {

QRect FirstPlacement(int viewWidth, int slot) {
    int d = 20;
    if (viewWidth > 800)
        d = std::max(5, 16 - std::max(1, (viewWidth - 800) / 16));
    const int width = (viewWidth / d) * (d - 1);
    const int height = (width / 8) * 5 + 4;
    return QRect(10 * slot, 20 * slot, width, height);
}

LapOverviewAreas ComputeAreas(int width, int height, const FrameMetrics& metrics, const LabelRoom& room) {
    const int a = width / 16;
    const int a2 = a / 2;
    const int b = (height - metrics.caption) / 10;
    const int b2 = b / 2;
    const int c = metrics.caption;
    const int f = metrics.frameHeight;
    LapOverviewAreas areas;
    int channelBottom = height + (10 - b) * 2;
    const int channelWidth = (width - a) - a2;
    const int axisLeft = ScaleColumnWidth(channelWidth, room) + kColumnGap + a2;
    int axisTop = channelBottom;
    int axisBottom = height - f - c - 10;
    const int g = axisBottom - axisTop;
    if (g > 46)
        axisTop = channelBottom = height - f - c - 56;
    else if (g < 26)
        axisBottom = height - f - c;
    // Too flat for the axis's labels: the channel rows give it the room.
    if (room.xAxisHeight > 0 && axisBottom - axisTop < room.xAxisHeight)
        axisTop = channelBottom = axisBottom - room.xAxisHeight;
    areas.channels = QRect(QPoint(a2, b2 + 20), QPoint(width - a - 1, channelBottom - 1));
    areas.xAxis = QRect(QPoint(axisLeft, axisTop), QPoint(width - a - 1, axisBottom - 1));
    areas.segments = QRect(QPoint(axisLeft, 5), QPoint(width - a - 1, b2 + 20 - 1));
    return areas;
}

int ScaleColumnWidth(int channelAreaWidth, const LabelRoom& room) {
    return std::max({5, channelAreaWidth / 16, room.scaleColumn});
}

int RowIdealHeight(int areaHeight, int rows) { return rows > 0 ? areaHeight / rows : areaHeight; }

int RowMinimumHeight(int areaHeight) { return std::max(5, areaHeight / 20); }

bool HoldsRows(const QSize& size, int rows, const FrameMetrics& metrics, const LabelRoom& room) {
    if (size.height() < metrics.caption + 2 * metrics.frameHeight)
        return false;
    const LapOverviewAreas areas = ComputeAreas(size.width(), size.height(), metrics, room);
    const int area = areas.channels.height();
    const int graph = areas.channels.width() - ScaleColumnWidth(areas.channels.width(), room) - kColumnGap;
    return graph > 0 && area >= rows * RowMinimumHeight(area) + (rows - 1) * kRowGap;
}

int ChannelCount(std::uint32_t mask) { return std::popcount(mask & 0x3FFFFu); }

std::vector<int> ChannelsOf(std::uint32_t mask) {
    std::vector<int> channels;
    for (int bit = 0; bit < kMaxRows; ++bit) {
        if (mask & (1u << bit))
            channels.push_back(bit + 1);
    }
    return channels;
}

RestoredLayout SaneLayout(const WorkAreaWindowProp& record, const std::vector<std::int32_t>& heights) {
    RestoredLayout layout;
    layout.mask = record.channelMask & 0x3FFFFu;
    if (layout.mask == 0)
        layout.mask = kDefaultChannelMask;
    layout.rows = ChannelCount(layout.mask);
    layout.xAxisMode = record.xAxisMode == 1 ? 1 : 0;
    const long long width = static_cast<long long>(record.right) - record.left;
    const long long height = static_cast<long long>(record.bottom) - record.top;
    constexpr long long kLargest = 1 << 20;
    if (width > 0 && height > 0 && width < kLargest && height < kLargest) {
        layout.placed = true;
        layout.place = QRect(record.left, record.top, static_cast<int>(width), static_cast<int>(height));
    }
    if (static_cast<int>(heights.size()) == layout.rows)
        layout.heights.assign(heights.begin(), heights.end());
    return layout;
}

} // namespace graphs
