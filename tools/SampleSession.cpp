// Session generation entry points.
#include "tools/SampleSession.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>

#include "tools/LapTruthTracker.h"
#include "tools/RecordBuilder.h"
#include "tools/SeededRandom.h"
#include "tools/SessionGenerator.h"

namespace samplegen {

Session GenerateSession(const SessionOptions& options) { return SessionGenerator(options).Run(); }

namespace {

std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

// Counts a run of records again as a reader of the given kind would.
void TrackRecords(Session& session, bool mapFile) {
  LapTruthTracker tracker(mapFile);
  const std::size_t count = session.bytes.size() / kRecordSize;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* r = session.bytes.data() + i * kRecordSize;
    const std::uint16_t marker = ReadU16(r);
    if (marker == kSampleMarker || marker == kLapEndMarker) {
      std::array<std::uint16_t, 12> words{};
      for (std::size_t k = 0; k < words.size(); ++k) {
        words[k] = ReadU16(r + 8 + 2 * k);
      }
      tracker.OnSample(marker == kLapEndMarker, ReadU16(r + 2), ReadU16(r + 6), ReadU16(r + 34), words.data(),
                       static_cast<std::int8_t>(r[32]), static_cast<std::int8_t>(r[33]));
    } else {
      const bool gpsValid = (r[37] == 'N' || r[37] == 'S') && (r[46] == 'E' || r[46] == 'W');
      tracker.OnPosition(static_cast<char>(r[0]), ReadU16(r + 30), gpsValid, ReadU16(r + 18), ReadU16(r + 16));
    }
  }
  session.recordCount = count;
  tracker.Finish(session, session.bytes.size() % kRecordSize != 0);
}

}  // namespace

Session GenerateMapFile(const SessionOptions& options, int lapNumber, bool markGpsCourse) {
  Session log = GenerateSession(options);
  Session map;
  map.rateMode = log.rateMode;
  map.hasGps = log.hasGps;
  map.originLatitude = log.originLatitude;
  map.originLongitude = log.originLongitude;
  map.circuitLength = log.circuitLength;
  const auto lap = std::find_if(log.laps.begin(), log.laps.end(), [&](const ExpectedLap& l) {
    return l.number == lapNumber && l.closedBy == LapClose::LapLine;
  });
  if (lap == log.laps.end()) {
    return map;
  }
  map.bytes.assign(log.bytes.begin() + static_cast<std::ptrdiff_t>(lap->firstRecord * kRecordSize),
                   log.bytes.begin() + static_cast<std::ptrdiff_t>(lap->endRecord * kRecordSize));
  for (const DrivenPoint& point : log.positions) {
    if (point.recordIndex >= lap->firstRecord && point.recordIndex < lap->endRecord) {
      DrivenPoint moved = point;
      moved.recordIndex -= lap->firstRecord;
      map.positions.push_back(moved);
    }
  }
  if (markGpsCourse) {
    for (std::size_t offset = 0; offset < map.bytes.size(); offset += kRecordSize) {
      if (map.bytes[offset] == static_cast<std::uint8_t>(kLapLineLetter)) {
        map.bytes[offset + 30] = 0xFF;
        break;
      }
    }
  }
  TrackRecords(map, true);
  return map;
}

SessionOptions HourAtFullRateOptions() {
  SessionOptions options;
  options.durationSeconds = 3600.0;
  options.rateMode = 3;
  options.samplesPerSecond = 400;
  options.seed = 7;
  return options;
}

std::vector<std::uint8_t> GenerateRandomRecords(std::uint64_t seed, std::size_t count) {
  SeededRandom random(seed);
  std::vector<std::uint8_t> bytes(count * kRecordSize);
  static constexpr std::array<char, 4> kHemispheres = {'N', 'S', 'E', 'W'};
  for (std::size_t i = 0; i < count; ++i) {
    std::uint8_t* r = bytes.data() + i * kRecordSize;
    for (std::size_t k = 0; k < kRecordSize; k += 8) {
      const std::uint64_t word = random.Next();
      for (std::size_t b = 0; b < 8; ++b) {
        r[k + b] = static_cast<std::uint8_t>(word >> (8 * b));
      }
    }
    // Mostly records the reader knows, so its lap rules get exercised.
    const std::uint32_t kind = random.Below(100);
    if (kind < 30) {
      PutU16(r, kSampleMarker);
      PutU16(r + 6, static_cast<std::uint16_t>(random.Below(60)));
      PutU16(r + 34, static_cast<std::uint16_t>(random.Below(40)));
    } else if (kind < 40) {
      PutU16(r, kLapEndMarker);
      PutU16(r + 2, static_cast<std::uint16_t>(random.Below(30)));
    } else if (kind < 90) {
      const std::uint32_t letter = random.Below(10);
      r[0] = letter < 6 ? 'G' : (letter < 9 ? 'L' : 'X');
      if (random.Below(2) == 0) {
        r[37] = static_cast<std::uint8_t>(kHemispheres[random.Below(2)]);
        r[46] = static_cast<std::uint8_t>(kHemispheres[2 + random.Below(2)]);
      }
      if (r[0] == 'L' && random.Below(4) != 0) {
        PutU16(r + 30, static_cast<std::uint16_t>(random.Below(65535 - 1000) + 1000));
      }
    }
  }
  return bytes;
}

std::vector<std::uint8_t> GenerateHostileRecords(HostileShape shape, std::size_t count) {
  SampleFields lapEnd;
  lapEnd.lapEnd = true;
  lapEnd.lapNumber = 1;
  lapEnd.timeStep = 10;
  lapEnd.distanceStep = 2;
  PositionFields fix;
  fix.speed = 100;
  fix.fixQuality = '1';
  fix.latitude = EncodeLatitude(35.5);
  fix.longitude = EncodeLongitude(139.25);
  PositionFields line = fix;
  line.letter = kLapLineLetter;
  line.timeField = 10;
  std::vector<std::uint8_t> bytes(count * kRecordSize);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint8_t* record = bytes.data() + i * kRecordSize;
    const bool first = i == 0;
    const bool even = i % 2 == 0;
    const bool secondHalf = i >= count / 2;
    switch (shape) {
      case HostileShape::LapLines: first ? WriteSampleRecord(record, lapEnd) : WritePositionRecord(record, line); break;
      case HostileShape::LapEndsAndLines: even ? WriteSampleRecord(record, lapEnd) : WritePositionRecord(record, line); break;
      case HostileShape::LapEndsAndFixes: even ? WriteSampleRecord(record, lapEnd) : WritePositionRecord(record, fix); break;
      case HostileShape::LapEnds: WriteSampleRecord(record, lapEnd); break;
      case HostileShape::Fixes: first ? WriteSampleRecord(record, lapEnd) : WritePositionRecord(record, fix); break;
      case HostileShape::FixesAndLines:
        first ? WriteSampleRecord(record, lapEnd) : WritePositionRecord(record, even ? line : fix);
        break;
      case HostileShape::FixesThenLapLines:
        if (first || i == count / 2) {
          WriteSampleRecord(record, lapEnd);
        } else {
          WritePositionRecord(record, secondHalf ? line : fix);
        }
        break;
      case HostileShape::Zeros: break;
    }
  }
  return bytes;
}

std::string_view HostileShapeName(HostileShape shape) {
  switch (shape) {
    case HostileShape::LapLines: return "lap-lines";
    case HostileShape::LapEndsAndLines: return "lap-ends-and-lines";
    case HostileShape::LapEndsAndFixes: return "lap-ends-and-fixes";
    case HostileShape::LapEnds: return "lap-ends";
    case HostileShape::Fixes: return "fixes";
    case HostileShape::FixesAndLines: return "fixes-and-lines";
    case HostileShape::FixesThenLapLines: return "fixes-then-lap-lines";
    case HostileShape::Zeros: return "zeros";
  }
  return "";
}

std::vector<HostileShape> AllHostileShapes() {
  return {HostileShape::LapLines, HostileShape::LapEndsAndLines, HostileShape::LapEndsAndFixes,
          HostileShape::LapEnds, HostileShape::Fixes, HostileShape::FixesAndLines,
          HostileShape::FixesThenLapLines, HostileShape::Zeros};
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    return false;
  }
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

GeoPoint OffsetToLatLon(double originLatitude, double originLongitude, double east, double north) {
  // The reader turns degrees into radians with this factor, measures north
  // on a 6357 km radius and east on the parallel of the fix's whole degrees.
  constexpr double kRadiansPerDegree = 0.017453292522222223;
  GeoPoint p;
  p.latitude = originLatitude + north / 6357000.0 / kRadiansPerDegree;
  const double radius = 6378000.0 * std::cos(std::trunc(std::fabs(p.latitude)) * kRadiansPerDegree);
  p.longitude = originLongitude + east / radius / kRadiansPerDegree;
  return p;
}

std::string_view VariantName(Variant variant) {
  switch (variant) {
    case Variant::Standard: return "standard";
    case Variant::NoGps: return "no-gps";
    case Variant::SouthernWestern: return "south-west";
    case Variant::PrimeMeridian: return "prime-meridian";
    case Variant::Equator: return "equator";
    case Variant::OutLap: return "out-lap";
    case Variant::UnfinishedInLap: return "in-lap";
    case Variant::EndsAfterLapEnd: return "ends-after-lap-end";
    case Variant::LapClosedByGps: return "gps-closed-lap";
    case Variant::PartialRecord: return "partial-record";
    case Variant::ZeroSpeedLap: return "zero-speed-lap";
    case Variant::NoPositionLap: return "no-position-lap";
    case Variant::NoPositionFinalLap: return "no-position-final-lap";
  }
  return "standard";
}

std::vector<Variant> AllVariants() {
  return {Variant::Standard,        Variant::NoGps,          Variant::SouthernWestern,
          Variant::PrimeMeridian,   Variant::Equator,        Variant::OutLap,
          Variant::UnfinishedInLap, Variant::EndsAfterLapEnd, Variant::LapClosedByGps,
          Variant::PartialRecord,   Variant::ZeroSpeedLap,   Variant::NoPositionLap,
          Variant::NoPositionFinalLap};
}

std::optional<Variant> ParseVariant(std::string_view name) {
  for (Variant v : AllVariants()) {
    if (VariantName(v) == name) {
      return v;
    }
  }
  return std::nullopt;
}

}  // namespace samplegen
