// Reader-side counting of generated records: laps, counts, totals and extremes.
#include "tools/LapTruthTracker.h"

#include <algorithm>
#include <cstdlib>

namespace samplegen {

LapTruthTracker::LapTruthTracker(bool mapFile) : m_mapFile(mapFile) {}

void LapTruthTracker::NoteSampleChannels(const std::uint16_t* words, std::int8_t valueA, std::int8_t valueB) {
  for (std::size_t k = 0; k < 12; ++k) {
    if (!m_channelsSeeded) {
      m_channels.wordMin[k] = words[k];
      m_channels.wordMax[k] = words[k];
    } else {
      m_channels.wordMin[k] = std::min(m_channels.wordMin[k], words[k]);
      m_channels.wordMax[k] = std::max(m_channels.wordMax[k], words[k]);
    }
  }
  m_channelsSeeded = true;
  m_channels.peakA = std::max(m_channels.peakA, std::abs(static_cast<int>(valueA)));
  m_channels.peakB = std::max(m_channels.peakB, std::abs(static_cast<int>(valueB)));
}

void LapTruthTracker::OnSample(bool lapEnd, std::uint16_t lapNumber, std::uint16_t timeStep,
                               std::uint16_t distanceStep, const std::uint16_t* words, std::int8_t valueA,
                               std::int8_t valueB) {
  ++m_records;
  m_time += timeStep;
  m_distance += distanceStep;
  NoteSampleChannels(words, valueA, valueB);
  if (!lapEnd) {
    ++m_samples;
    return;
  }
  ++m_lapEnds;
  m_lowest = std::min<int>(m_lowest, lapNumber);
  m_highest = std::max<int>(m_highest, lapNumber);
  m_fileDistance += m_distance;
  if (m_mapFile) {
    // The course-map reader starts the lap afresh and takes the records since
    // the previous lap-end record.
    m_lap = OpenLap{};
    m_lap.firstRecord = m_scratchFirst;
    m_lap.endRecord = m_records;
    m_scratchFirst = m_records;
  }
  m_lap.number = lapNumber;
  m_lap.distance = m_distance;
  m_lap.sampleCount = m_samples + 1;
  m_lap.recordCount = static_cast<std::uint32_t>(m_records);
  m_lap.positionCount = m_positions + 1;
  m_pending = true;
}

void LapTruthTracker::OnPosition(char letter, std::uint16_t timeField, bool gpsValid, std::uint16_t speed,
                                 std::uint16_t rpm) {
  ++m_records;
  ++m_positions;
  m_gpsBalance += gpsValid ? 1 : -1;
  auto collect = [&] {
    ++m_lapPositions;
    m_channels.maxSpeed = std::max(m_channels.maxSpeed, speed);
    m_channels.maxRpm = std::max(m_channels.maxRpm, rpm);
  };
  if (letter == 'G') {
    if (m_pending) {
      m_pending = false;
      m_fileTime += m_time;
      CloseLap(m_time, LapClose::GpsFix, m_records);
      m_positions = 1;
      m_distance = 0;
      m_time = 0;
    }
    collect();
    return;
  }
  if (letter == 'L') {
    if (m_mapFile && timeField > 59999 && (timeField >> 8) == 0xFF) {
      m_courseMark = true;
    }
    m_fileTime += timeField;
    m_time = 0;
    m_distance = 0;
    m_pending = false;
    if (m_lapEnds > 0) {
      collect();
      CloseLap(timeField, LapClose::LapLine, m_records);
      m_positions = 0;
    } else {
      // The out-lap's line: its samples and positions, and the line itself, leave the lap; its
      // records stay.
      m_samples = 0;
      m_positions = 0;
      m_gpsBalance = 0;
      m_lapPositions = 0;
      m_channels = ChannelTruth{};
      m_channelsSeeded = false;
    }
    return;
  }
  collect();
}

void LapTruthTracker::CloseLap(std::uint32_t lapTime, LapClose how, std::size_t endRecord) {
  ExpectedLap lap;
  lap.number = m_lap.number;
  lap.lapTime = lapTime;
  lap.distance = m_lap.distance;
  lap.sampleCount = m_lap.sampleCount;
  lap.positionCount = m_lap.positionCount;
  lap.recordCount = m_lap.recordCount;
  lap.firstRecord = m_lap.firstRecord;
  lap.endRecord = m_mapFile ? m_lap.endRecord : endRecord;
  lap.positionRecords = m_lapPositions;
  lap.closedBy = how;
  lap.gpsSign = m_gpsBalance > 0;
  lap.zeroSpeed = m_lapPositions > 0 && m_channels.maxSpeed == 0;
  lap.savedCourseMark = m_courseMark;
  lap.channels = m_channels;
  m_laps.push_back(lap);

  m_gpsBalance = 0;
  m_samples = 0;
  m_courseMark = false;
  m_channels = ChannelTruth{};
  m_channelsSeeded = false;
  m_lapPositions = 0;
  if (!m_mapFile) {
    m_lap = OpenLap{};
    m_lap.firstRecord = endRecord;
  }
}

void LapTruthTracker::Finish(Session& session, bool endsInPartialRecord) {
  session.expectedReadResult = endsInPartialRecord ? -1 : 0;
  // A log file cut off in its last record is finished as if it ended before it; a course-map read stops.
  if (!endsInPartialRecord || !m_mapFile) {
    if (m_pending) {
      m_pending = false;
      m_fileTime += m_time;
      // The lap stays the last one of the file: no fresh lap follows it.
      CloseLap(m_time, LapClose::EndOfFile, m_records);
    } else if (m_lapPositions > 0) {
      const std::size_t first = m_mapFile ? m_scratchFirst : m_lap.firstRecord;
      session.trailingLap = std::make_pair(first, m_records);
    } else if (!m_mapFile) {
      session.emptyLastLap = std::make_pair(m_lap.firstRecord, m_records);
    }
  }
  session.laps = std::move(m_laps);
  session.lapCount = m_lapEnds;
  session.totalTime = m_fileTime;
  session.totalDistance = m_fileDistance;
  session.lowestLap = m_lowest;
  session.highestLap = m_highest;
  session.savedCourseMark = false;
  for (const ExpectedLap& lap : session.laps) {
    session.savedCourseMark = session.savedCourseMark || lap.savedCourseMark;
  }
}

}  // namespace samplegen
