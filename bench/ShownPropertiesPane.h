// A properties pane as the benchmarks use it: shown, its small map on the
// first lap of the first log file, told how many laps are compared.
#pragma once

#include "properties/CPropertiesWnd.h"

#include "coursemap/CMapView.h"
#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/AppSettings.h"

#include <memory>

namespace benchpane {

inline std::unique_ptr<CPropertiesWnd> ShownPane(orvelo::LapDataCore& core, AppSettings& settings, int height,
                                                 int comparedLaps) {
    const orvelo::LogFile& file = core.LogFiles[0];
    auto pane = std::make_unique<CPropertiesWnd>(nullptr, core, settings, platform::kNoWindow);
    pane->resize(260, height);
    pane->show();
    CourseBlock course;
    const std::u16string number = orvelo::FormatLapNumber(file.laps[0].lapNumber);
    platform::MapInfoBlock::Put(course.info.path.data(), platform::MapInfoBlock::kPathChars, file.fullPath);
    platform::MapInfoBlock::Put(course.info.shortText.data(), platform::MapInfoBlock::kShortTextChars, number);
    course.lap = {orvelo::FileSet::Log, file.fileId, 0};
    pane->Map().SetCourse(static_cast<platform::WParam>(orvelo::SetCurrentLap(core, number, file.fullPath)), &course);
    platform::SendMessage(pane->Handle(), platform::UM_REDRAW_LAP_GRAPH, static_cast<platform::WParam>(comparedLaps), 0);
    return pane;
}

}  // namespace benchpane
