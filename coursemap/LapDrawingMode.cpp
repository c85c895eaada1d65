#include "coursemap/LapDrawingMode.h"

#include "core/CourseBuilder.h"
#include "platform/MessageBox.h"

#include <QString>

namespace lapmode {

int DrawingMode(const orvelo::LapAnalysisItem& item) {
    if (item.mapDrawMode >= 1)
        return item.mapDrawMode;
    return item.gpsDrawFlag != 0 ? orvelo::kMapDrawGps
           : item.offsetFlag != 0 ? orvelo::kMapDrawOffsetOn
                                  : orvelo::kMapDrawOffsetOff;
}

int CheckedCommand(const orvelo::LapAnalysisItem& item) {
    return item.offsetFlag != 0 ? kOffsetOn : item.gpsDrawFlag != 0 ? kGps : kOffsetOff;
}

int ChangeDrawingMode(orvelo::LapDataCore& core, orvelo::Lap& lap, int gps, int offset, QWidget* owner) {
    if (lap.analysisItems.empty())
        return 0;
    orvelo::LapAnalysisItem& item = lap.analysisItems.front();
    const std::int32_t oldOffset = item.offsetFlag;
    const std::int32_t oldMode = item.mapDrawMode;
    item.gpsDrawFlag = gps;
    item.offsetFlag = offset;
    item.mapDrawMode = gps != 0 ? orvelo::kMapDrawGps : offset != 0 ? orvelo::kMapDrawOffsetOn : orvelo::kMapDrawOffsetOff;
    const int built = orvelo::RebuildLapGeometry(core, lap);
    if (built <= 0)
        return built;
    orvelo::LapAnalysisItem& kept = lap.analysisItems.front();
    kept.offsetFlag = oldOffset;
    kept.mapDrawMode = oldMode;
    platform::ShowMessageBox(owner, QStringLiteral("Warning , Cannot draw Map , Nothing GPS data"), QStringLiteral("OK"),
                             platform::kMbIconWarning);
    return 1;
}

}  // namespace lapmode
