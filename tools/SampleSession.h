// Synthetic logger sessions for tests, benchmarks and the demo: a vehicle
// driven round a closed circuit, written as 64-byte records, with the truth
// (laps, counts, driven positions) that a reader of the file must reproduce.
//
// What the records hold:
// - Sample records at the rate of SessionOptions::samplesPerSecond; words
//   0..11 are min/max pairs of RPM, Speed (km/h), Temp.1, Temp.2, Press.1 and
//   Press.2 since the previous sample record; byte 32 is the lateral and byte
//   33 the longitudinal acceleration in tenths of g (positive right / forward).
// - 'G' fixes every 0.1 s (every 0.05 s in rate mode 3); Speed is the average
//   since the previous fix, and G Horiz. the lateral acceleration in tenths of
//   g that turns the heading along the driven path between two fixes, the same
//   at every sample rate, so dead reckoning (step = speed factor x Speed,
//   turn = G x 0.98 x 0.01 s, 0.0025 s in mode 3) follows the path. The
//   rounding is carried from fix to fix so each lap's turns add up to one
//   clockwise turn.
// - Each lap ends, at the first whole 1/100 s past the line, with a lap-end
//   record followed at once by its 'L', which carries the sum of the lap's
//   time steps. Fixes and lap lines carry the clock time (hhmmss) and
//   coordinates placed so that the course projection gives back the driven
//   metres (see OffsetToLatLon).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace samplegen {

// Shapes of session. Each one changes the standard session in one way only.
enum class Variant {
  Standard,           // complete laps, GPS on every position record
  NoGps,              // hemisphere letters and coordinates 0: dead reckoning only
  SouthernWestern,    // circuit in the southern and western hemispheres
  PrimeMeridian,      // circuit crossing longitude 0 (fixes switch between 'E' and 'W')
  Equator,            // circuit crossing latitude 0 (fixes switch between 'N' and 'S')
  OutLap,             // records before the first lap line; that 'L' closes the out lap, no lap is made of it
  UnfinishedInLap,    // samples and fixes after the last 'L', without a lap-end record
  EndsAfterLapEnd,    // the final 'L' is left out: the file ends after a lap-end record
  LapClosedByGps,     // the final 'L' is replaced by a 'G' fix
  PartialRecord,      // 1..63 bytes of a further record at the end of the file
  ZeroSpeedLap,       // lap 2 (lap 1 when there is one lap) reports Speed 0 throughout
  NoPositionLap,      // lap 2 (lap 1 of two) has no position records and no 'L'; the next lap's
                      // first 'G' closes it; at least two laps are driven
  NoPositionFinalLap, // the last lap has no position records and no 'L'; the file ends after its lap-end record
};

enum class CircuitShape {
  KartTrack,  // a twisty closed track with straights, sweepers and hairpins
  Stadium,    // two straights joined by two half circles
  Circle,     // constant radius, driven at constant speed
};

struct SessionOptions {
  std::uint64_t seed = 1;
  int laps = 5;                       // complete laps (ignored when durationSeconds > 0)
  double durationSeconds = 0.0;       // > 0: drive about this long (whole laps; laps is then ignored)
  int rateMode = 1;                   // 0..3: sample periods 0.01, 0.04, 0.25, 0.0025 s
  // Sample records per second, a divisor of 400. 0 gives 100, 25, 4 and 100
  // by rate mode, so every time step is at least 1/100 s. 400 (mode 3 only)
  // writes one record per 2.5 ms sample: three steps in four are then 0, which
  // the lap-time sums carry but sample-time statistics stop at.
  int samplesPerSecond = 0;
  Variant variant = Variant::Standard;
  CircuitShape circuit = CircuitShape::KartTrack;
  double circuitLength = 1200.0;      // metres of one lap, at least 100
  // Where the circuit's centre lies: the (0, 0) of the driven positions.
  double originLatitude = 35.37126;   // degrees, negative = south (Variant may override)
  double originLongitude = 138.92741; // degrees, negative = west (Variant may override)
  int startClockSeconds = 14 * 3600 + 30 * 60;  // time of day of the first record
  double otherKindEverySeconds = 0.0; // > 0: every so often a fix is written with otherKindLetter
  char otherKindLetter = 'X';
  std::uint8_t press1Range = 0;       // range codes written in every position record
  std::uint8_t press2Range = 2;
  int partialBytes = 37;              // PartialRecord: bytes of the cut record (1..63)
  int firstLapNumber = 1;
};

// How the reader closes a lap.
enum class LapClose { LapLine, GpsFix, EndOfFile };

// Extremes over the sample and lap-end records the reader collects for a lap.
struct ChannelTruth {
  std::array<std::uint16_t, 12> wordMin{};  // per channel word of the sample records
  std::array<std::uint16_t, 12> wordMax{};
  int peakA = 0;            // largest |byte 32| (tenths of g)
  int peakB = 0;            // largest |byte 33|
  std::uint16_t maxSpeed = 0;  // largest Speed of the lap's position records
  std::uint16_t maxRpm = 0;    // largest RPM of the lap's position records
};

// One complete lap as the log reader must produce it.
struct ExpectedLap {
  int number = 0;                  // bytes 2-3 of its lap-end record
  std::uint32_t lapTime = 0;       // 1/100 s: the 'L' value, or the running time when not closed by 'L'
  std::uint32_t distance = 0;      // metres: sum of the distance steps incl. the lap-end record's
  std::uint32_t sampleCount = 0;   // sample records since the previous close + 1
  std::uint32_t positionCount = 0; // position records since the previous close before the lap-end record + 1
  std::uint32_t recordCount = 0;   // records read from the file up to and including the lap-end record
  std::size_t firstRecord = 0;     // record range [firstRecord, endRecord) the log reader keeps for the lap
  std::size_t endRecord = 0;
  std::size_t positionRecords = 0; // position records in that range
  LapClose closedBy = LapClose::LapLine;
  bool gpsSign = false;            // more position records with valid hemisphere letters than without
  bool zeroSpeed = false;          // every Speed of the lap is 0
  bool savedCourseMark = false;    // course-map reader: closed by an 'L' carrying the course mark
  ChannelTruth channels;
};

// The driven position at one position record.
struct DrivenPoint {
  std::size_t recordIndex = 0;
  double east = 0.0;        // metres from the origin
  double north = 0.0;
  double latitude = 0.0;    // degrees written into the record (signed); 0 without GPS
  double longitude = 0.0;
  char letter = 'G';
  double circuitMetres = 0.0;  // driven along the circuit from the first lap line (negative on an out-lap)
  double seconds = 0.0;        // since the first record
};

struct Session {
  std::vector<std::uint8_t> bytes;
  std::vector<ExpectedLap> laps;         // complete laps in file order
  std::optional<std::pair<std::size_t, std::size_t>> trailingLap;  // records of the unfinished lap
  // Log files: records after the last close that hold no position record; the
  // reader keeps them as a last lap numbered 0 (an empty range when none).
  std::optional<std::pair<std::size_t, std::size_t>> emptyLastLap;
  std::size_t recordCount = 0;           // complete records in bytes
  int expectedReadResult = 0;            // 0, or -1 when the file ends in a partial record
  std::uint32_t lapCount = 0;            // lap-end records
  std::uint32_t totalTime = 0;           // 1/100 s, as the reader sums it
  std::uint32_t totalDistance = 0;       // metres
  int lowestLap = 1000;
  int highestLap = 0;
  bool savedCourseMark = false;          // course-map file whose first 'L' carries 0xFF in byte 30
  int rateMode = 0;
  bool hasGps = true;
  double originLatitude = 0.0;           // degrees, the (0, 0) of the driven positions
  double originLongitude = 0.0;
  double circuitLength = 0.0;            // metres of the circuit's centre line
  double drivenSeconds = 0.0;
  std::vector<DrivenPoint> positions;    // one per position record, in file order
};

// A log file of the options' shape.
Session GenerateSession(const SessionOptions& options);

// One hour at rate mode 3 with 400 samples a second (about 96 MB): the size the
// load benchmarks measure.
SessionOptions HourAtFullRateOptions();

// A course-map file: the records of lap `lapNumber` of the session the options
// describe, as a log file holds them; with markGpsCourse the first 'L' gets
// byte 30 = 0xFF. The truth describes the file as the course-map reader reads it.
Session GenerateMapFile(const SessionOptions& options, int lapNumber, bool markGpsCourse);

// `count` records of random bytes and random record kinds, the same for a seed.
std::vector<std::uint8_t> GenerateRandomRecords(std::uint64_t seed, std::size_t count);

// Files that make a reader hold as much as it can for each byte read, for the memory bounds.
enum class HostileShape {
  LapLines,          // a lap-end record, then lap lines: every line closes a lap of one record
  LapEndsAndLines,   // lap-end and lap-line pairs: laps of one sample and one position (no course)
  LapEndsAndFixes,   // lap-end and GPS-fix pairs: every fix closes a lap and opens the next
  LapEnds,           // lap-end records only: one lap of samples
  Fixes,             // a lap-end record, then GPS fixes: one lap of positions
  FixesAndLines,     // a lap-end record, then GPS-fix and lap-line pairs: laps of two positions, each
                     // with a course; in a course map they all hold the records of the first
  FixesThenLapLines, // a lap-end record and GPS fixes, then a lap-end record and lap lines: in a course
                     // map every line closes a lap that holds the records of all the fixes
  Zeros,             // zero bytes only: position records of no known kind; no lap is closed
};
std::vector<std::uint8_t> GenerateHostileRecords(HostileShape shape, std::size_t count);
std::string_view HostileShapeName(HostileShape shape);
std::vector<HostileShape> AllHostileShapes();

// Writes the bytes to a file; false when it cannot be written completely.
bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Latitude and longitude in signed degrees of a point east/north metres from the
// origin, placed so that the reader's projection gives those metres back.
struct GeoPoint {
  double latitude = 0.0;
  double longitude = 0.0;
};
GeoPoint OffsetToLatLon(double originLatitude, double originLongitude, double east, double north);

std::string_view VariantName(Variant variant);
std::optional<Variant> ParseVariant(std::string_view name);
std::vector<Variant> AllVariants();

}  // namespace samplegen
