// Seven laps of 12,000 samples, 1/100 s and a quarter metre apart, each on the
// same 3-km course with its own swing of the channels, in one log file of the
// core; lap 1 the base lap, the others overlays.
#pragma once

#include "bench/LongLap.h"

#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"

#include <cmath>

namespace benchlap {

constexpr int kComparedLaps = 7;
// RPM, speed, both G, both temperatures, accelerator and gear.
constexpr std::uint32_t kEightChannels = 0x1 | 0x2 | 0x4 | 0x8 | 0x40 | 0x80 | 0x200 | 0x800;

inline void LoadComparedLaps(orvelo::LapDataCore& core) {
    orvelo::LogFile file;
    file.fileId = core.TakeNextFileId();
    file.fullPath = u"/bench/session.log";
    const orvelo::LapAnalysisItem course = LongLap();
    for (int l = 0; l < kComparedLaps; ++l) {
        orvelo::Lap lap;
        lap.lapNumber = static_cast<std::uint32_t>(l + 1);
        for (int k = 0; k < kPoints; ++k) {
            orvelo::PositionRec at;
            at.time = static_cast<std::uint32_t>(k + l * k / 100);
            at.runningDistance = static_cast<std::uint32_t>(k / 4);
            const double phase = k / 400.0 + 0.3 * l;
            at.rpm = static_cast<std::uint32_t>(9000 + 5000 * std::sin(phase));
            at.speed = static_cast<std::uint32_t>(110 + 70 * std::cos(phase));
            at.gHorizRaw = static_cast<std::int32_t>(25 * std::sin(phase * 3));
            at.gVertRaw = static_cast<std::int32_t>(10 * std::cos(phase * 2));
            at.temp1 = static_cast<std::uint32_t>(500 + 50 * std::sin(phase / 4));
            at.temp2 = at.temp1 + 20;
            at.accel = static_cast<std::uint32_t>(50 + 45 * std::sin(phase));
            at.gear = static_cast<std::uint32_t>(3 + 2 * std::sin(phase));
            lap.positions.push_back(at);
        }
        lap.lapTime = lap.positions.back().time;
        lap.distance = lap.positions.back().runningDistance;
        lap.analysisItems.push_back(course);
        file.laps.push_back(std::move(lap));
    }
    core.LogFiles.push_back(std::move(file));
    const orvelo::LogFile& loaded = core.LogFiles.back();
    orvelo::SetBaseLap(core, loaded.fullPath, u"1");
    for (int l = 2; l <= kComparedLaps; ++l)
        orvelo::ToggleOverlayLap(core, loaded.fullPath, orvelo::FormatLapNumber(l));
}

}  // namespace benchlap
