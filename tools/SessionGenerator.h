// Drives a simulated vehicle round a circuit tick by tick (1/400 s) and writes
// the sample, lap-end and position records a logger would, with their truth.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/CircuitModel.h"
#include "tools/LapTruthTracker.h"
#include "tools/RecordBuilder.h"
#include "tools/SampleSession.h"
#include "tools/SeededRandom.h"

namespace samplegen {

class SessionGenerator {
 public:
  explicit SessionGenerator(const SessionOptions& options);

  // Drives the whole session; call once.
  Session Run();

 private:
  // The state of the position written at the current tick.
  struct PositionState {
    CircuitModel::Point point;
    std::uint16_t speed = 0;
    std::int8_t gHoriz = 0;
  };

  void ApplyVariant();
  void StartDriving();
  bool SessionOver() const;
  void Tick();
  void HandleLapLine(bool isSample, const PositionState& state);
  PositionState LineState() const;
  void AccumulateChannels();
  void Advance();
  PositionState TakePositionState();
  double PaceAt(double distance) const;
  std::uint8_t* NextRecord();
  void EmitSample(bool lapEnd, std::uint16_t lapNumber);
  void EmitPosition(char letter, const PositionState& state);
  void AppendPartialRecord();
  std::uint32_t ClockWord() const;
  std::int64_t Centiseconds(std::int64_t tick) const;
  bool ZeroSpeedNow() const;
  int CurrentLap() const;

  SessionOptions m_options;
  CircuitModel m_circuit;
  SeededRandom m_random;
  LapTruthTracker m_tracker;
  Session m_session;

  // What to write.
  int m_rateMode = 1;
  int m_lapsToDrive = 1;
  std::int64_t m_ticksPerSample = 16;
  std::int64_t m_ticksPerPosition = 40;
  bool m_hasGps = true;
  bool m_outLap = false;
  bool m_inLap = false;
  bool m_dropFinalLine = false;
  bool m_gpsClosesFinalLap = false;
  bool m_partialRecord = false;
  int m_zeroSpeedLap = 0;    // lap of the session (1-based) whose Speed reads 0
  int m_noPositionLap = 0;   // lap of the session without position records
  float m_speedFactor = 0.02777f;
  float m_turnPeriod = 0.01f;  // s^2
  std::vector<double> m_pace;  // per lap of the session, index 0 = lap 1

  // Vehicle.
  std::int64_t m_tick = 0;
  double m_distance = 0.0;     // along the circuit from the start line; negative on the out-lap
  double m_driven = 0.0;       // metres since the first record
  double m_speed = 0.0;        // m/s
  double m_accel = 0.0;        // m/s^2, smoothed
  double m_throttle = 0.0;     // 0..1, smoothed
  double m_temp1 = 300.0;
  double m_temp2 = 350.0;
  int m_gear = 1;
  double m_startDistance = 0.0;
  double m_inLapEnd = 0.0;
  double m_nextLine = 0.0;
  int m_lapsDone = 0;
  bool m_outLapOpen = false;
  bool m_inLapOpen = false;
  bool m_finished = false;

  // Position chords, for Speed and for the turn carried by G Horiz.
  CircuitModel::Point m_lastPoint;
  double m_lastPositionDistance = 0.0;
  double m_lastHeading = 0.0;
  double m_turnCarry = 0.0;

  // Records.
  std::int64_t m_lastSampleTick = 0;
  std::int64_t m_lastSampleMetres = 0;
  std::uint16_t m_recordWord = 0;
  double m_nextOtherKind = 0.0;
  // RPM, Speed, Temp.1, Temp.2, Press.1, Press.2 now and since the last sample record.
  std::array<std::uint16_t, 6> m_now{};
  std::array<std::uint16_t, 6> m_channelMin{};
  std::array<std::uint16_t, 6> m_channelMax{};
  bool m_channelsOpen = false;
  std::size_t m_recordCount = 0;
};

}  // namespace samplegen
