#include "coursemap/CourseFit.h"

#include "core/LapData.h"

#include <algorithm>

CourseFit FitCourseBox(const orvelo::LapAnalysisItem& item, const FitFrame& frame, int divisor) {
    CourseFit fit;
    fit.centreX = item.centreX;
    fit.centreY = item.centreY;
    fit.offsetX = frame.offsetX;
    fit.offsetY = frame.offsetY;
    // Spans as unsigned: a box never filled reads as a huge span, which fits nowhere.
    const auto spanX = static_cast<float>(static_cast<std::uint32_t>(item.spanX));
    const auto spanY = static_cast<float>(static_cast<std::uint32_t>(item.spanY));
    const int step = std::max(frame.step, 1);
    for (int n = divisor; n >= 1; n -= step) {
        const float scale = std::max(spanX / static_cast<float>(n), spanY / static_cast<float>(n));
        if (!(scale > 0.0f) || !std::isfinite(scale))
            return fit;
        fit.divisor = n;
        fit.scale = scale;
        fit.left = fit.PixelX(item.maxX);
        fit.right = fit.PixelX(item.minX);
        fit.top = fit.PixelY(item.maxY);
        fit.bottom = fit.PixelY(item.minY);
        fit.widthExtent = fit.left - fit.right;
        fit.heightExtent = fit.top - fit.bottom;
        fit.markSize = fit.heightExtent / std::max(frame.markDivisor, 1);
        if (fit.widthExtent == 0)
            return fit;
        if (fit.heightExtent < frame.height - frame.marginY && fit.widthExtent < frame.width - frame.marginX) {
            fit.result = CourseFit::kFitted;
            return fit;
        }
    }
    return fit;
}
