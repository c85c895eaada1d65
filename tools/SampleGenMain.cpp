// orvelo-samplegen: writes synthetic logger sessions, course-map files and
// random records for trying the program out, for tests and for benchmarks.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tools/SampleSession.h"

namespace {

using samplegen::Session;
using samplegen::SessionOptions;

constexpr const char* kUsage =
    "usage: orvelo-samplegen --out DIR            write the default sample set into DIR\n"
    "       orvelo-samplegen --file PATH [options] write one session\n"
    "options:\n"
    "  --seed N              random seed (default 1)\n"
    "  --laps N              complete laps (default 5)\n"
    "  --duration SECONDS    drive laps for about this long instead of --laps\n"
    "  --rate-mode N         sampling-rate mode 0..3 (default 1)\n"
    "  --samples-per-second N  sample records per second, a divisor of 400; above 100 in mode 3 only\n"
    "                        (default 100, 25, 4 and 100 for rate modes 0..3)\n"
    "  --variant NAME        session shape (see --list-variants)\n"
    "  --circuit NAME        kart, stadium or circle (default kart)\n"
    "  --length METRES       length of one lap (default 1200)\n"
    "  --origin LAT,LON      signed degrees of the circuit centre\n"
    "  --other-every SECONDS write a position record of another kind this often\n"
    "  --map LAP             write a course-map file of that lap instead of a session\n"
    "  --mark-gps            with --map: mark the course as drawn from GPS\n"
    "  --random N            write N random records instead of a session\n"
    "  --list-variants       print the variant names\n";

struct Arguments {
  SessionOptions options;
  std::string outDir;
  std::string file;
  int mapLap = 0;
  bool markGps = false;
  long randomCount = -1;
  bool listVariants = false;
  bool help = false;
};

bool ParseNumber(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0';
}

bool ParseInteger(const char* text, long& value) {
  char* end = nullptr;
  value = std::strtol(text, &end, 10);
  return end != text && *end == '\0';
}

bool ParseArguments(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
    if (name == "--mark-gps") {
      args.markGps = true;
      continue;
    }
    if (name == "--list-variants") {
      args.listVariants = true;
      continue;
    }
    if (name == "--help") {
      args.help = true;
      return true;
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "missing value after %s\n", argv[i]);
      return false;
    }
    const char* value = argv[++i];
    long integer = 0;
    double number = 0.0;
    bool ok = true;
    if (name == "--out") {
      args.outDir = value;
    } else if (name == "--file") {
      args.file = value;
    } else if (name == "--seed") {
      ok = ParseInteger(value, integer) && integer >= 0;
      args.options.seed = static_cast<std::uint64_t>(integer);
    } else if (name == "--laps") {
      ok = ParseInteger(value, integer) && integer > 0 && integer < 100000;
      args.options.laps = static_cast<int>(integer);
    } else if (name == "--duration") {
      ok = ParseNumber(value, number) && number > 0.0 && number < 86400.0 * 7;
      args.options.durationSeconds = number;
    } else if (name == "--rate-mode") {
      ok = ParseInteger(value, integer) && integer >= 0 && integer <= 3;
      args.options.rateMode = static_cast<int>(integer);
    } else if (name == "--samples-per-second") {
      ok = ParseInteger(value, integer) && integer > 0 && 400 % integer == 0;
      args.options.samplesPerSecond = static_cast<int>(integer);
    } else if (name == "--variant") {
      const auto variant = samplegen::ParseVariant(value);
      ok = variant.has_value();
      args.options.variant = variant.value_or(samplegen::Variant::Standard);
    } else if (name == "--circuit") {
      const std::string_view circuit = value;
      ok = circuit == "kart" || circuit == "stadium" || circuit == "circle";
      args.options.circuit = circuit == "stadium"  ? samplegen::CircuitShape::Stadium
                             : circuit == "circle" ? samplegen::CircuitShape::Circle
                                                   : samplegen::CircuitShape::KartTrack;
    } else if (name == "--length") {
      ok = ParseNumber(value, number) && number >= 100.0 && number <= 1e7;
      args.options.circuitLength = number;
    } else if (name == "--origin") {
      ok = std::sscanf(value, "%lf,%lf", &args.options.originLatitude, &args.options.originLongitude) == 2 &&
           std::abs(args.options.originLatitude) < 89.0 && std::abs(args.options.originLongitude) < 180.0;
    } else if (name == "--other-every") {
      ok = ParseNumber(value, number) && number > 0.0;
      args.options.otherKindEverySeconds = number;
    } else if (name == "--map") {
      ok = ParseInteger(value, integer) && integer > 0 && integer < 65536;
      args.mapLap = static_cast<int>(integer);
    } else if (name == "--random") {
      ok = ParseInteger(value, integer) && integer >= 0 && integer <= 10000000;
      args.randomCount = integer;
    } else {
      std::fprintf(stderr, "unknown option %s\n", argv[i - 1]);
      return false;
    }
    if (!ok) {
      std::fprintf(stderr, "bad value for %s: %s\n", argv[i - 1], value);
      return false;
    }
  }
  return true;
}

void PrintSession(const std::string& path, const Session& session) {
  std::printf("%s: %zu bytes, %zu records, %u laps, rate mode %d, %s\n", path.c_str(), session.bytes.size(),
              session.recordCount, session.lapCount, session.rateMode, session.hasGps ? "GPS" : "no GPS");
  for (const samplegen::ExpectedLap& lap : session.laps) {
    if (lap.savedCourseMark) {
      std::printf("  lap %d  marked as a GPS course  %u m\n", lap.number, lap.distance);
      continue;
    }
    std::printf("  lap %d  %u:%02u.%02u  %u m\n", lap.number, lap.lapTime / 6000, lap.lapTime % 6000 / 100,
                lap.lapTime % 100, lap.distance);
  }
}

bool Write(const std::string& path, const Session& session) {
  if (!samplegen::WriteBytes(path, session.bytes)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  PrintSession(path, session);
  return true;
}

int WriteDefaultSet(const std::string& dir) {
  std::error_code error;
  const std::filesystem::path folder(dir);
  std::filesystem::create_directories(folder / "maps", error);
  if (error) {
    std::fprintf(stderr, "cannot create %s: %s\n", dir.c_str(), error.message().c_str());
    return 1;
  }
  struct Entry {
    const char* name;
    std::uint64_t seed;
    int laps;
    int rateMode;
    samplegen::Variant variant;
  };
  const std::vector<Entry> entries = {
      {"kart-morning.dat", 11, 6, 1, samplegen::Variant::Standard},
      {"kart-midday.dat", 12, 5, 0, samplegen::Variant::OutLap},
      {"kart-afternoon.dat", 13, 4, 3, samplegen::Variant::UnfinishedInLap},
      {"kart-no-gps.dat", 14, 5, 1, samplegen::Variant::NoGps},
  };
  bool ok = true;
  for (const Entry& entry : entries) {
    SessionOptions options;
    options.seed = entry.seed;
    options.laps = entry.laps;
    options.rateMode = entry.rateMode;
    options.variant = entry.variant;
    ok = Write((folder / entry.name).string(), samplegen::GenerateSession(options)) && ok;
  }
  SessionOptions courseOptions;
  courseOptions.seed = 11;
  courseOptions.laps = 6;
  ok = Write((folder / "maps" / "kart-course.dat").string(), samplegen::GenerateMapFile(courseOptions, 3, true)) &&
       ok;
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (argc < 2 || !ParseArguments(argc, argv, args)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (args.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args.listVariants) {
    for (samplegen::Variant variant : samplegen::AllVariants()) {
      std::printf("%.*s\n", static_cast<int>(samplegen::VariantName(variant).size()),
                  samplegen::VariantName(variant).data());
    }
    return 0;
  }
  if (!args.outDir.empty()) {
    return WriteDefaultSet(args.outDir);
  }
  if (args.file.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (args.randomCount >= 0) {
    const auto bytes = samplegen::GenerateRandomRecords(args.options.seed, static_cast<std::size_t>(args.randomCount));
    if (!samplegen::WriteBytes(args.file, bytes)) {
      std::fprintf(stderr, "cannot write %s\n", args.file.c_str());
      return 1;
    }
    std::printf("%s: %zu random records\n", args.file.c_str(), bytes.size() / 64);
    return 0;
  }
  if (args.mapLap > 0) {
    const Session map = samplegen::GenerateMapFile(args.options, args.mapLap, args.markGps);
    if (map.bytes.empty()) {
      std::fprintf(stderr, "the session has no lap %d closed by a lap line\n", args.mapLap);
      return 1;
    }
    return Write(args.file, map) ? 0 : 1;
  }
  return Write(args.file, samplegen::GenerateSession(args.options)) ? 0 : 1;
}
