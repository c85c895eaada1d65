// The tick loop of the session generator and the records it writes.
#include "tools/SessionGenerator.h"

#include <algorithm>
#include <cmath>

namespace samplegen {

namespace {

constexpr std::int64_t kTicksPerSecond = 400;
constexpr double kTickSeconds = 1.0 / kTicksPerSecond;
constexpr std::array<double, 4> kPressureFullScale = {100.0, 200.0, 500.0, 1000.0};

std::int8_t ClampI8(double value) {
  return static_cast<std::int8_t>(std::clamp<long>(std::lround(value), -128, 127));
}

std::uint8_t ClampU8(double value, long high = 255) {
  return static_cast<std::uint8_t>(std::clamp<long>(std::lround(value), 0, high));
}

std::uint16_t ClampU16(double value) {
  return static_cast<std::uint16_t>(std::clamp<long>(std::lround(value), 0, 65535));
}

double GearRatio(int gear) { return 108.0 * std::pow(1.22, 6 - gear); }  // RPM per km/h

int DefaultSamplesPerSecond(int rateMode) {
  static constexpr std::array<int, 4> kRates = {100, 25, 4, 100};
  return kRates[static_cast<std::size_t>(rateMode)];
}

}  // namespace

SessionGenerator::SessionGenerator(const SessionOptions& options)
    : m_options(options),
      m_circuit(options.circuit, options.circuitLength),
      m_random(options.seed ^ 0x5A17E5EEDULL),
      m_tracker(false) {
  ApplyVariant();
}

void SessionGenerator::ApplyVariant() {
  m_rateMode = std::clamp(m_options.rateMode, 0, 3);
  int rate = m_options.samplesPerSecond;
  if (rate <= 0 || kTicksPerSecond % rate != 0 || (rate > 100 && m_rateMode != 3)) {
    rate = DefaultSamplesPerSecond(m_rateMode);
  }
  m_ticksPerSample = kTicksPerSecond / rate;
  m_ticksPerPosition = m_rateMode == 3 ? 20 : 40;
  // Both follow the fixes, not the samples: a step is the metres driven between two fixes at the
  // fix's speed, and G Horiz. * 0.98 * (the square of the fixes' interval) / step the turn between
  // them, so the same driving gives the same G Horiz. at every sample rate.
  m_speedFactor = m_ticksPerPosition == 20 ? 0.013888f : 0.02777f;
  m_turnPeriod = m_ticksPerPosition == 20 ? 0.0025f : 0.01f;

  if (m_options.durationSeconds > 0.0) {
    const double lapSeconds = m_circuit.NominalLapSeconds() / 0.965;
    m_lapsToDrive = std::max(1, static_cast<int>(std::lround(m_options.durationSeconds / lapSeconds)));
  } else {
    m_lapsToDrive = std::max(1, m_options.laps);
  }

  double latitude = m_options.originLatitude;
  double longitude = m_options.originLongitude;
  switch (m_options.variant) {
    case Variant::Standard: break;
    case Variant::NoGps: m_hasGps = false; break;
    case Variant::SouthernWestern:
      latitude = -23.70135;
      longitude = -46.69712;
      break;
    case Variant::PrimeMeridian:
      latitude = 51.47791;
      longitude = 0.0;
      break;
    case Variant::Equator:
      latitude = 0.0;
      longitude = 32.58021;
      break;
    case Variant::OutLap: m_outLap = true; break;
    case Variant::UnfinishedInLap: m_inLap = true; break;
    case Variant::EndsAfterLapEnd: m_dropFinalLine = true; break;
    case Variant::LapClosedByGps: m_gpsClosesFinalLap = true; break;
    case Variant::PartialRecord: m_partialRecord = true; break;
    case Variant::ZeroSpeedLap: m_zeroSpeedLap = m_lapsToDrive >= 2 ? 2 : 1; break;
    case Variant::NoPositionLap:
      m_lapsToDrive = std::max(m_lapsToDrive, 2);
      m_noPositionLap = m_lapsToDrive >= 3 ? 2 : 1;
      break;
    case Variant::NoPositionFinalLap:
      m_noPositionLap = m_lapsToDrive;
      m_dropFinalLine = true;
      break;
  }
  m_session.originLatitude = latitude;
  m_session.originLongitude = longitude;

  m_pace.resize(static_cast<std::size_t>(m_lapsToDrive) + 1);
  for (std::size_t k = 0; k < m_pace.size(); ++k) {
    // The first lap is slower (tyres still cold); each lap has its own pace.
    const double pace = k == 0 ? m_random.Uniform(0.91, 0.94) : m_random.Uniform(0.95, 0.99);
    m_pace[k] = m_options.circuit == CircuitShape::Circle ? 1.0 : pace;
  }
}

double SessionGenerator::PaceAt(double distance) const {
  if (m_inLapOpen) {
    return 0.6;
  }
  if (distance < 0.0) {
    return 0.85;
  }
  const double laps = distance / m_circuit.Length();
  const auto index = std::min(static_cast<std::size_t>(laps), m_pace.size() - 1);
  const std::size_t next = std::min(index + 1, m_pace.size() - 1);
  const double fraction = laps - std::floor(laps);
  if (fraction <= 0.9) {
    return m_pace[index];
  }
  return m_pace[index] + (fraction - 0.9) / 0.1 * (m_pace[next] - m_pace[index]);
}

void SessionGenerator::StartDriving() {
  const double length = m_circuit.Length();
  m_distance = m_outLap ? -0.55 * length : 0.0;
  m_outLapOpen = m_outLap;
  m_speed = m_outLap ? 0.0 : PaceAt(0.0) * m_circuit.SpeedLimitAt(0.0);
  m_nextLine = m_outLap ? 0.0 : length;
  m_startDistance = m_distance;
  m_lastSampleTick = -m_ticksPerSample;
  m_nextOtherKind = m_options.otherKindEverySeconds;

  const double positionSeconds = static_cast<double>(m_ticksPerPosition) * kTickSeconds;
  m_lastPositionDistance = m_distance - m_speed * positionSeconds;
  const CircuitModel::Point before = m_circuit.PointAt(m_distance - std::max(m_speed * positionSeconds, 0.5));
  const CircuitModel::Point here = m_circuit.PointAt(m_distance);
  m_lastHeading = std::atan2(here.north - before.north, here.east - before.east);
  m_lastPoint = m_circuit.PointAt(m_lastPositionDistance);
  m_gear = 1;
  while (m_gear < 6 && m_speed * 3.6 * GearRatio(m_gear) > 13200.0) {
    ++m_gear;
  }

  const double seconds = m_circuit.NominalLapSeconds() / 0.9 * (m_lapsToDrive + (m_outLap ? 1 : 0) +
                                                                (m_inLap ? 1 : 0));
  const double perSecond = static_cast<double>(kTicksPerSecond) / static_cast<double>(m_ticksPerSample) +
                           static_cast<double>(kTicksPerSecond) / static_cast<double>(m_ticksPerPosition);
  const auto records = static_cast<std::size_t>(seconds * perSecond * 1.05) + 64;
  m_session.bytes.resize(records * kRecordSize);
}

std::uint8_t* SessionGenerator::NextRecord() {
  const std::size_t needed = (m_recordCount + 1) * kRecordSize;
  if (needed > m_session.bytes.size()) {
    m_session.bytes.resize(std::max(needed, m_session.bytes.size() * 2));
  }
  return m_session.bytes.data() + (m_recordCount++) * kRecordSize;
}

std::int64_t SessionGenerator::Centiseconds(std::int64_t tick) const {
  return tick >= 0 ? tick / 4 : -((-tick + 3) / 4);
}

std::uint32_t SessionGenerator::ClockWord() const {
  constexpr std::int64_t kDay = 86400;
  const std::int64_t seconds = ((m_options.startClockSeconds + m_tick / kTicksPerSecond) % kDay + kDay) % kDay;
  return static_cast<std::uint32_t>((seconds / 3600) * 10000 + (seconds / 60 % 60) * 100 + seconds % 60);
}

int SessionGenerator::CurrentLap() const {
  if (m_outLapOpen) {
    return 0;
  }
  return m_inLapOpen ? m_lapsToDrive + 1 : m_lapsDone + 1;
}

bool SessionGenerator::ZeroSpeedNow() const { return m_zeroSpeedLap > 0 && CurrentLap() == m_zeroSpeedLap; }

Session SessionGenerator::Run() {
  StartDriving();
  // A bound on the loop whatever the options; a session never comes near it.
  const double limitSeconds = m_circuit.NominalLapSeconds() * 3.0 * (m_lapsToDrive + 2) + 600.0;
  const auto tickLimit = static_cast<std::int64_t>(limitSeconds * kTicksPerSecond);
  while (!m_finished && m_tick < tickLimit) {
    Tick();
  }
  m_session.bytes.resize(m_recordCount * kRecordSize);
  if (m_partialRecord) {
    AppendPartialRecord();
  }
  m_tracker.Finish(m_session, m_partialRecord);
  m_session.recordCount = m_recordCount;
  m_session.rateMode = m_rateMode;
  m_session.hasGps = m_hasGps;
  m_session.circuitLength = m_circuit.Length();
  m_session.drivenSeconds = static_cast<double>(m_tick) * kTickSeconds;
  return std::move(m_session);
}

void SessionGenerator::Tick() {
  AccumulateChannels();
  const bool isSample = m_tick % m_ticksPerSample == 0;
  const bool isPosition = m_tick % m_ticksPerPosition == 0;
  // The lap line is written at the first whole 1/100 s after it is crossed;
  // on a position tick it takes the place of that tick's fix.
  if (!m_inLapOpen && m_tick % 4 == 0 && m_distance >= m_nextLine) {
    HandleLapLine(isSample, isPosition ? TakePositionState() : LineState());
  } else {
    if (isSample) {
      EmitSample(false, 0);
    }
    if (isPosition) {
      const PositionState state = TakePositionState();
      if (m_noPositionLap == 0 || CurrentLap() != m_noPositionLap) {
        char letter = kGpsFixLetter;
        const double seconds = static_cast<double>(m_tick) * kTickSeconds;
        if (m_options.otherKindEverySeconds > 0.0 && seconds >= m_nextOtherKind) {
          const char other = m_options.otherKindLetter;
          letter = (other == 'G' || other == 'L') ? 'X' : other;
          m_nextOtherKind += m_options.otherKindEverySeconds;
        }
        EmitPosition(letter, state);
      }
      if (m_inLapOpen && m_distance >= m_inLapEnd) {
        m_finished = true;
      }
    }
  }
  if (!m_finished) {
    Advance();
  }
}

void SessionGenerator::HandleLapLine(bool isSample, const PositionState& state) {
  if (m_outLapOpen) {
    if (isSample) {
      EmitSample(false, 0);
    }
    EmitPosition(kLapLineLetter, state);
    m_outLapOpen = false;
    m_nextLine = m_circuit.Length();
    return;
  }
  const int lap = m_lapsDone + 1;
  const bool finalLap = lap == m_lapsToDrive;
  EmitSample(true, static_cast<std::uint16_t>(m_options.firstLapNumber + m_lapsDone));
  if (lap != m_noPositionLap) {
    if (finalLap && m_gpsClosesFinalLap) {
      EmitPosition(kGpsFixLetter, state);
    } else if (!(finalLap && m_dropFinalLine)) {
      EmitPosition(kLapLineLetter, state);
    }
  }
  ++m_lapsDone;
  m_nextLine += m_circuit.Length();
  if (finalLap) {
    if (m_inLap) {
      m_inLapOpen = true;
      m_inLapEnd = m_distance + 0.6 * m_circuit.Length();
    } else {
      m_finished = true;
    }
  }
}

SessionGenerator::PositionState SessionGenerator::LineState() const {
  // A lap line between two fixes: the speed of the moment, and the turn a
  // step of that speed makes on the bend, without disturbing the fixes' chords.
  PositionState state;
  state.point = m_circuit.PointAt(m_distance);
  state.speed = ClampU16(m_speed * 3.6);
  if (state.speed > 0) {
    const double step = static_cast<double>(m_speedFactor * static_cast<float>(state.speed));
    const double unit = static_cast<double>(0.98f * m_turnPeriod) / step;
    state.gHoriz = ClampI8(-m_circuit.CurvatureAt(m_distance) * step / unit);
  }
  return state;
}

SessionGenerator::PositionState SessionGenerator::TakePositionState() {
  PositionState state;
  state.point = m_circuit.PointAt(m_distance);
  const double positionSeconds = static_cast<double>(m_ticksPerPosition) * kTickSeconds;
  state.speed = ClampU16((m_distance - m_lastPositionDistance) / positionSeconds * 3.6);
  const double de = state.point.east - m_lastPoint.east;
  const double dn = state.point.north - m_lastPoint.north;
  const double heading = std::hypot(de, dn) > 1e-6 ? std::atan2(dn, de) : m_lastHeading;
  // A right turn lowers the heading; G Horiz. is positive turning right. The
  // value is the lateral acceleration that turns the heading along the chord
  // (G * 0.98 * period / step), with the rounding carried to the next position.
  const double wanted = -CircuitModel::WrapAngle(heading - m_lastHeading) + m_turnCarry;
  if (state.speed > 0) {
    const double unit = static_cast<double>(0.98f * m_turnPeriod) /
                        static_cast<double>(m_speedFactor * static_cast<float>(state.speed));
    state.gHoriz = ClampI8(wanted / unit);
    m_turnCarry = wanted - state.gHoriz * unit;
  } else {
    m_turnCarry = wanted;
  }
  m_lastHeading = heading;
  m_lastPoint = state.point;
  m_lastPositionDistance = m_distance;
  return state;
}

void SessionGenerator::AccumulateChannels() {
  const double kmh = m_speed * 3.6;
  const double rpm = std::max(2200.0, kmh * GearRatio(m_gear)) + m_random.Uniform(-25.0, 25.0);
  const double fullScale1 = kPressureFullScale[m_options.press1Range & 3];
  const double fullScale2 = kPressureFullScale[m_options.press2Range & 3];
  m_now = {
      ClampU16(rpm),
      ClampU16(ZeroSpeedNow() ? 0.0 : kmh),
      ClampU16(m_temp1),
      ClampU16(m_temp2),
      ClampU16(fullScale1 * std::clamp(-m_accel / 13.0, 0.0, 0.95)),
      ClampU16(fullScale2 * (0.25 + 0.6 * rpm / 14000.0)),
  };
  for (std::size_t k = 0; k < m_now.size(); ++k) {
    m_channelMin[k] = m_channelsOpen ? std::min(m_channelMin[k], m_now[k]) : m_now[k];
    m_channelMax[k] = m_channelsOpen ? std::max(m_channelMax[k], m_now[k]) : m_now[k];
  }
  m_channelsOpen = true;
}

void SessionGenerator::Advance() {
  double target = PaceAt(m_distance) * m_circuit.SpeedLimitAt(m_distance);
  if (m_outLapOpen && m_distance < m_startDistance + 150.0) {
    target = std::min(target, 40.0 / 3.6);  // pit lane
  }
  const double next = m_speed < target
                          ? std::min(target, m_speed + CircuitModel::DriveLimit(m_speed) * kTickSeconds)
                          : std::max(target, m_speed - CircuitModel::kBrakeLimit * kTickSeconds);
  const double accel = (next - m_speed) / kTickSeconds;
  m_accel += (accel - m_accel) * (kTickSeconds / 0.05);
  const double step = 0.5 * (m_speed + next) * kTickSeconds;
  m_distance += step;
  m_driven += step;
  m_speed = next;

  const double throttle = accel > 0.2 ? 1.0 : (accel < -1.0 ? 0.0 : 0.45);
  m_throttle += (throttle - m_throttle) * (kTickSeconds / 0.15);
  const double elapsed = static_cast<double>(m_tick) * kTickSeconds;
  const double water = 420.0 + 160.0 * (1.0 - std::exp(-elapsed / 240.0)) + 25.0 * m_throttle;
  m_temp1 += (water - m_temp1) * (kTickSeconds / 6.0);
  m_temp2 += (380.0 + 420.0 * m_throttle - m_temp2) * (kTickSeconds / 1.2);

  const double kmh = m_speed * 3.6;
  if (m_gear < 6 && kmh * GearRatio(m_gear) > 13200.0) {
    ++m_gear;
  } else if (m_gear > 1 && kmh * GearRatio(m_gear - 1) < 11000.0) {
    --m_gear;
  }
  ++m_tick;
}

void SessionGenerator::EmitSample(bool lapEnd, std::uint16_t lapNumber) {
  SampleFields fields;
  fields.lapEnd = lapEnd;
  fields.lapNumber = lapNumber;
  fields.rateMode = static_cast<std::uint8_t>(m_rateMode);
  const std::int64_t seconds = m_tick / kTicksPerSecond;
  fields.twoDigitValue = m_hasGps ? static_cast<std::uint8_t>(8 + (seconds / 23) % 5) : 0;
  fields.timeStep = static_cast<std::uint16_t>(Centiseconds(m_tick) - Centiseconds(m_lastSampleTick));
  const auto metres = static_cast<std::int64_t>(std::floor(m_driven));
  fields.distanceStep = static_cast<std::uint16_t>(metres - m_lastSampleMetres);
  for (std::size_t k = 0; k < m_channelMin.size(); ++k) {
    fields.words[2 * k] = m_channelMin[k];
    fields.words[2 * k + 1] = m_channelMax[k];
  }
  const double lateral = -m_speed * m_speed * m_circuit.CurvatureAt(m_distance);
  fields.valueA = ClampI8(lateral / 0.98);
  fields.valueB = ClampI8(m_accel / 0.98);
  WriteSampleRecord(NextRecord(), fields);
  m_tracker.OnSample(lapEnd, lapNumber, fields.timeStep, fields.distanceStep, fields.words.data(), fields.valueA,
                     fields.valueB);
  m_lastSampleTick = m_tick;
  m_lastSampleMetres = metres;
  m_channelsOpen = false;
}

void SessionGenerator::EmitPosition(char letter, const PositionState& state) {
  const double fullScale1 = kPressureFullScale[m_options.press1Range & 3];
  const double curvature = m_circuit.CurvatureAt(m_distance);
  const double elapsed = static_cast<double>(m_tick) * kTickSeconds;
  PositionFields fields;
  fields.letter = letter;
  fields.press1Range = static_cast<std::uint8_t>(m_options.press1Range & 3);
  fields.press2Range = static_cast<std::uint8_t>(m_options.press2Range & 3);
  // The lap line carries the number of the lap it ends (one below the first on the out-lap).
  const int lineNumber = m_options.firstLapNumber + m_lapsDone - (m_outLapOpen ? 1 : 0);
  fields.word = letter == kLapLineLetter ? static_cast<std::uint16_t>(lineNumber) : ++m_recordWord;
  fields.gHoriz = state.gHoriz;
  fields.gVert = ClampI8(m_accel / 0.98);
  fields.press1 = m_now[4];
  fields.press2 = m_now[5];
  fields.handle = ClampU8(100.0 - curvature * 250.0, 200);
  fields.accelRaw = ClampU8(m_throttle * 200.0, 200);
  fields.temp1 = m_now[2];
  fields.temp2 = m_now[3];
  fields.rpm = m_now[0];
  fields.speed = ZeroSpeedNow() ? std::uint16_t{0} : state.speed;
  fields.distanceOffset =
      static_cast<std::uint16_t>(static_cast<std::int64_t>(std::floor(m_driven)) - m_lastSampleMetres);
  fields.gear = static_cast<std::uint8_t>(m_gear);
  fields.volt = static_cast<std::uint8_t>(13 + static_cast<int>(m_random.Below(3)) - 1);
  fields.angl = ClampI8(std::clamp(-curvature * 600.0, -90.0, 90.0));
  fields.ana = {ClampU8(m_throttle * 100.0), ClampU8(100.0 * fields.press1 / fullScale1),
                ClampU8(90.0 + 10.0 * m_throttle + m_random.Uniform(-2.0, 2.0)),
                ClampU8(std::max(20.0, 200.0 - elapsed / 36.0)), ClampU8(25.0 + 5.0 * std::sin(elapsed / 60.0))};
  // A lap line holds 16 bits of lap time; a longer lap's line stops short of 0xFF00, the saved-course mark.
  fields.timeField = letter == kLapLineLetter
                         ? static_cast<std::uint16_t>(std::min<std::uint32_t>(m_tracker.RunningTime(), 0xFEFF))
                         : static_cast<std::uint16_t>(Centiseconds(m_tick) - Centiseconds(m_lastSampleTick));
  fields.longWord = ClockWord();

  DrivenPoint driven;
  driven.recordIndex = m_recordCount;
  driven.east = state.point.east;
  driven.north = state.point.north;
  driven.letter = letter;
  driven.circuitMetres = m_distance;
  driven.seconds = static_cast<double>(m_tick) * kTickSeconds;
  if (m_hasGps) {
    const GeoPoint geo =
        OffsetToLatLon(m_session.originLatitude, m_session.originLongitude, driven.east, driven.north);
    driven.latitude = geo.latitude;
    driven.longitude = geo.longitude;
    fields.latitude = EncodeLatitude(geo.latitude);
    fields.longitude = EncodeLongitude(geo.longitude);
    fields.fixQuality = '1';
  }
  WritePositionRecord(NextRecord(), fields);
  m_tracker.OnPosition(letter, fields.timeField, m_hasGps, fields.speed, fields.rpm);
  m_session.positions.push_back(driven);
}

void SessionGenerator::AppendPartialRecord() {
  SampleFields fields;
  fields.rateMode = static_cast<std::uint8_t>(m_rateMode);
  fields.timeStep = static_cast<std::uint16_t>(std::max<std::int64_t>(1, m_ticksPerSample / 4));
  std::array<std::uint8_t, kRecordSize> record{};
  WriteSampleRecord(record.data(), fields);
  const auto count = static_cast<std::size_t>(std::clamp(m_options.partialBytes, 1, 63));
  m_session.bytes.insert(m_session.bytes.end(), record.begin(), record.begin() + static_cast<std::ptrdiff_t>(count));
}

}  // namespace samplegen
