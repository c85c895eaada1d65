// Fitting a lap's course box into a picture: the divisor N counts down from
// the owner's start until the fitted course is smaller than the picture less
// its margins. The small map, the segment edit view and the thumbnails each
// fit this way with their own start, margins, step and mark divisor.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orvelo {
struct LapAnalysisItem;
}

// The picture a course is fitted into.
struct FitFrame {
    int width = 0;
    int height = 0;
    int offsetX = 0;  // where the course centre lands
    int offsetY = 0;
    int marginX = 0;  // the course must stay this much smaller than the picture
    int marginY = 0;
    int step = 1;     // N goes down by this much per try
    int markDivisor = 5;

    // The picture's size (none below 0), the course centre at its middle.
    void Resize(int newWidth, int newHeight) {
        width = std::max(newWidth, 0);
        height = std::max(newHeight, 0);
        offsetX = width / 2;
        offsetY = height / 2;
    }
};

struct CourseFit {
    static constexpr int kFitted = 0;
    static constexpr int kNoWidth = 1;  // also: no scale can fit it (empty box, N below 1)

    int result = kNoWidth;
    int divisor = 0;      // N of the fit
    float scale = 0.0f;   // course metres per pixel
    int centreX = 0;
    int centreY = 0;
    int offsetX = 0;
    int offsetY = 0;
    int left = 0;         // pixel of the largest x
    int right = 0;        // pixel of the smallest x
    int top = 0;          // pixel of the largest y
    int bottom = 0;       // pixel of the smallest y
    int widthExtent = 0;  // left - right
    int heightExtent = 0; // top - bottom
    int markSize = 0;     // heightExtent / the frame's mark divisor

    bool Fitted() const { return result == kFitted; }
    // A point of the course in metres as a pixel: trunc((v - centre) / scale + offset).
    int PixelX(std::int32_t x) const { return ToPixel(x, centreX, offsetX); }
    int PixelY(std::int32_t y) const { return ToPixel(y, centreY, offsetY); }

private:
    // Truncation toward zero, kept inside the int range whatever a stored box holds.
    int ToPixel(std::int64_t value, std::int64_t centre, int offset) const {
        const float pixel = static_cast<float>(value - centre) / scale + static_cast<float>(offset);
        if (!std::isfinite(pixel))
            return 0;
        constexpr float kLimit = 2.0e9f;
        return static_cast<int>(std::clamp(pixel, -kLimit, kLimit));
    }
};

// Fits the item's box, N starting at divisor. A box without width, a scale of
// 0 or N falling below 1 gives kNoWidth.
CourseFit FitCourseBox(const orvelo::LapAnalysisItem& item, const FitFrame& frame, int divisor);
