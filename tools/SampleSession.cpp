// Session generation entry points.
#include "tools/SampleSession.h"

#include <cmath>
#include <fstream>

namespace samplegen {

Session GenerateSession(const SessionOptions& options) {
  Session session;
  session.rateMode = options.rateMode;
  session.originLatitude = options.originLatitude;
  session.originLongitude = options.originLongitude;
  session.circuitLength = options.circuitLength;
  return session;
}

Session GenerateMapFile(const SessionOptions& options, int lapNumber, bool markGpsCourse) {
  (void)lapNumber;
  Session session = GenerateSession(options);
  session.savedCourseMark = markGpsCourse;
  return session;
}

std::vector<std::uint8_t> GenerateRandomRecords(std::uint64_t seed, std::size_t count) {
  std::vector<std::uint8_t> bytes(count * 64);
  std::uint64_t state = seed;
  for (auto& b : bytes) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    b = static_cast<std::uint8_t>(state >> 56);
  }
  return bytes;
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
  GeoPoint p;
  p.latitude = originLatitude + north / 6357000.0 * 180.0 / 3.141592653589793;
  const double radius = 6378000.0 * std::cos(std::trunc(std::fabs(p.latitude)) * 3.141592653589793 / 180.0);
  p.longitude = originLongitude + east / radius * 180.0 / 3.141592653589793;
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
