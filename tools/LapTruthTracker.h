// Follows the records a generator writes the way the file readers count them,
// so that a generated session carries the laps and totals a reader must produce.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/SampleSession.h"

namespace samplegen {

class LapTruthTracker {
 public:
  // mapFile: count like the course-map reader (a lap's records end at its
  // lap-end record; closing a lap keeps the lap's number and records).
  explicit LapTruthTracker(bool mapFile = false);

  // A sample record (lapEnd false) or lap-end record; words points at 12 words.
  void OnSample(bool lapEnd, std::uint16_t lapNumber, std::uint16_t timeStep, std::uint16_t distanceStep,
                const std::uint16_t* words, std::int8_t valueA, std::int8_t valueB);

  // A position record; gpsValid when both hemisphere letters are valid.
  void OnPosition(char letter, std::uint16_t timeField, bool gpsValid, std::uint16_t speed, std::uint16_t rpm);

  // End of data: moves the laps and totals into the session. A partial record
  // at the end of a course-map file stops the read before the end-of-data
  // rules run; a log file is finished before it all the same.
  void Finish(Session& session, bool endsInPartialRecord);

  // The lap time a reader has summed so far, which is what an 'L' must carry.
  std::uint32_t RunningTime() const { return m_time; }

 private:
  struct OpenLap {
    int number = 0;
    std::uint32_t distance = 0;
    std::uint32_t sampleCount = 0;
    std::uint32_t positionCount = 0;
    std::uint32_t recordCount = 0;
    std::size_t firstRecord = 0;
    std::size_t endRecord = 0;  // course-map reader: end of the records copied at the lap-end record
  };

  void CloseLap(std::uint32_t lapTime, LapClose how, std::size_t endRecord);
  void NoteSampleChannels(const std::uint16_t* words, std::int8_t valueA, std::int8_t valueB);

  bool m_mapFile;
  OpenLap m_lap;
  ChannelTruth m_channels;          // over the samples and positions collected for the open lap
  bool m_channelsSeeded = false;
  std::size_t m_lapPositions = 0;   // position records collected for the open lap
  std::size_t m_scratchFirst = 0;   // course-map reader: first record after the last lap-end record
  std::size_t m_records = 0;        // records read
  std::uint32_t m_lapEnds = 0;      // lap-end records read
  std::uint32_t m_time = 0;         // running lap time
  std::uint32_t m_distance = 0;     // running lap distance
  std::uint32_t m_positions = 0;    // position records of the lap
  std::uint32_t m_samples = 0;      // sample records of the lap
  int m_gpsBalance = 0;
  bool m_pending = false;
  bool m_courseMark = false;
  std::uint32_t m_fileTime = 0;
  std::uint32_t m_fileDistance = 0;
  int m_lowest = 1000;
  int m_highest = 0;
  std::vector<ExpectedLap> m_laps;
};

}  // namespace samplegen
