// orvelo-fuzz-seeds: writes the seed corpora of the fuzz targets. Log seeds are small generated
// sessions of every shape, course-map seeds are laps cut from them (both with files of every hostile
// shape), settings seeds are settings files written through the settings store, start-up seeds what
// the program saves at close.
#include "tools/SampleSession.h"

#ifdef ORVELO_FUZZ_SETTINGS_SEEDS
#include "fuzz/SettingsSeeds.h"
#include "fuzz/StartupSeeds.h"
#endif

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Arguments {
    std::string logDir;
    std::string mapDir;
    std::string settingsDir;
    std::string startupDir;
    std::string segmentsDir;
    std::string windowsDir;
    std::size_t maxBytes = 64 * 64;
    std::size_t hostileBytes = 0;
};

constexpr const char* kUsage =
    "usage: orvelo-fuzz-seeds [--log DIR] [--map DIR] [--settings DIR] [--startup DIR] [--segments DIR]\n"
    "                         [--windows DIR] [--max-bytes N] [--hostile-bytes N]\n";

bool ParseArguments(int argc, char** argv, Arguments& args)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--log")
            args.logDir = value;
        else if (name == "--map")
            args.mapDir = value;
        else if (name == "--settings")
            args.settingsDir = value;
        else if (name == "--startup")
            args.startupDir = value;
        else if (name == "--segments")
            args.segmentsDir = value;
        else if (name == "--windows")
            args.windowsDir = value;
        else if (name == "--max-bytes")
            args.maxBytes = std::strtoul(value, nullptr, 10);
        else if (name == "--hostile-bytes")
            args.hostileBytes = std::strtoul(value, nullptr, 10);
        else
            return false;
    }
    return argc % 2 == 1 && args.maxBytes > 0;
}

// Sessions small enough for the fuzzers: short circuits, one sample a second, one or two laps.
std::vector<samplegen::SessionOptions> SmallSessions()
{
    std::vector<samplegen::SessionOptions> sessions;
    std::uint64_t seed = 1;
    for (const samplegen::Variant variant : samplegen::AllVariants()) {
        for (int rateMode = 0; rateMode <= 3; ++rateMode) {
            for (const auto circuit : {samplegen::CircuitShape::KartTrack, samplegen::CircuitShape::Stadium,
                                       samplegen::CircuitShape::Circle}) {
                samplegen::SessionOptions options;
                options.seed = seed++;
                options.variant = variant;
                options.rateMode = rateMode;
                options.circuit = circuit;
                options.samplesPerSecond = 1;
                options.circuitLength = 40.0;
                options.laps = 2;
                options.partialBytes = static_cast<int>(options.seed % 63) + 1;
                options.otherKindEverySeconds = circuit == samplegen::CircuitShape::Stadium ? 1.5 : 0.0;
                sessions.push_back(options);
            }
        }
    }
    return sessions;
}

// Writes the bytes as seed number `index`; false when they are too large or cannot be written.
bool WriteSeed(const std::string& dir, const char* prefix, int index, const std::vector<std::uint8_t>& bytes,
               std::size_t maxBytes)
{
    if (bytes.empty() || bytes.size() > maxBytes)
        return false;
    const std::string path = dir + "/" + prefix + "-" + std::to_string(index);
    if (!samplegen::WriteBytes(path, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return true;
}

// A session that does not fit is driven again over shorter circuits, then with one lap.
samplegen::Session FittingSession(samplegen::SessionOptions options, std::size_t maxBytes)
{
    samplegen::Session session = samplegen::GenerateSession(options);
    const double length = options.circuitLength;
    for (const int laps : {2, 1}) {
        for (const double shorter : {0.5, 0.25, 0.125}) {
            if (session.bytes.size() <= maxBytes)
                return session;
            options.laps = laps;
            options.circuitLength = length * shorter;
            session = samplegen::GenerateSession(options);
        }
    }
    return session;
}

// Files of every hostile shape, as large as the readers' targets take them (whole records): the
// costs that grow faster than a file show only in large inputs, which mutation alone reaches slowly.
int WriteHostileSeeds(const std::string& dir, const Arguments& args)
{
    int written = 0;
    for (const samplegen::HostileShape shape : samplegen::AllHostileShapes())
        written += WriteSeed(dir, "hostile", static_cast<int>(shape),
                             samplegen::GenerateHostileRecords(shape, args.hostileBytes / 64), args.hostileBytes);
    return written;
}

int WriteLogSeeds(const Arguments& args)
{
    int written = 0;
    int index = 0;
    for (const samplegen::SessionOptions& options : SmallSessions())
        written += WriteSeed(args.logDir, "session", index++, FittingSession(options, args.maxBytes).bytes,
                             args.maxBytes);
    for (std::uint64_t seed = 1; seed <= 8; ++seed)
        written += WriteSeed(args.logDir, "random", static_cast<int>(seed),
                             samplegen::GenerateRandomRecords(seed, 4 * seed), args.maxBytes);
    return written + WriteHostileSeeds(args.logDir, args);
}

int WriteMapSeeds(const Arguments& args)
{
    int written = 0;
    int index = 0;
    for (samplegen::SessionOptions options : SmallSessions()) {
        options.circuitLength = 20.0;
        for (const bool markGps : {false, true})
            written += WriteSeed(args.mapDir, "course", index++, samplegen::GenerateMapFile(options, 1, markGps).bytes,
                                 args.maxBytes);
    }
    return written + WriteHostileSeeds(args.mapDir, args);
}

void PutWord(std::vector<std::uint8_t>& bytes, std::uint32_t word, std::size_t size = 4)
{
    for (std::size_t i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
}

// Segment-group seeds in the segment target's layout: the count, the records, each group's pairs.
int WriteSegmentSeeds(const Arguments& args)
{
    using Pairs = std::vector<std::pair<std::int32_t, std::int32_t>>;
    const std::vector<std::vector<Pairs>> seeds = {
        {{{100, 10}, {250, 25}, {600, 60}}},
        {{{INT32_MIN, -1}, {INT32_MAX, INT32_MAX}, {100, 5}}},
        {{{INT32_MIN, 100}, {INT32_MAX, 200}, {-5, 300}, {1200, 400}}, {{300, 30}, {200, 20}}},
    };
    int written = 0;
    for (std::size_t index = 0; index < seeds.size(); ++index) {
        const std::vector<Pairs>& groups = seeds[index];
        std::vector<std::uint8_t> bytes;
        PutWord(bytes, static_cast<std::uint32_t>(groups.size()));
        PutWord(bytes, static_cast<std::uint32_t>(groups.size() * 796), 2);
        for (std::size_t g = 0; g < groups.size(); ++g) {
            PutWord(bytes, static_cast<std::uint32_t>(groups[g].size()));
            PutWord(bytes, static_cast<std::uint32_t>(7 + g));
            bytes.resize(bytes.size() + 2 * (260 + 128) + 8, 0);
            PutWord(bytes, 1);
        }
        for (const Pairs& pairs : groups) {
            PutWord(bytes, static_cast<std::uint32_t>(8 * (pairs.size() + 1)), 2);
            for (const auto& [distance, index] : pairs) {
                PutWord(bytes, static_cast<std::uint32_t>(distance));
                PutWord(bytes, static_cast<std::uint32_t>(index));
            }
            PutWord(bytes, 0);
            PutWord(bytes, 0);
        }
        written += WriteSeed(args.segmentsDir, "groups", static_cast<int>(index), bytes, args.maxBytes);
    }
    return written;
}

// Window-record seeds in the window target's layout: each chosen value once at a place far off the
// screen, once at the integer limits.
int WriteWindowSeeds(const Arguments& args)
{
    int written = 0;
    for (int choice = 0; choice < 16; ++choice) {
        for (const bool limits : {false, true}) {
            std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(choice)};
            for (const std::uint32_t word : {44u, 0u, 1u, 0u, 0u, 0u, 0u})
                PutWord(bytes, word);
            for (const std::int32_t edge : limits ? std::vector<std::int32_t>{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}
                                                  : std::vector<std::int32_t>{5000, 3000, 5400, 3300})
                PutWord(bytes, static_cast<std::uint32_t>(edge));
            written += WriteSeed(args.windowsDir, "window", 2 * choice + (limits ? 1 : 0), bytes, args.maxBytes);
        }
    }
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    Arguments args;
    if (!ParseArguments(argc, argv, args)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!args.logDir.empty())
        std::printf("log seeds: %d\n", WriteLogSeeds(args));
    if (!args.mapDir.empty())
        std::printf("course-map seeds: %d\n", WriteMapSeeds(args));
    if (!args.segmentsDir.empty())
        std::printf("segment-group seeds: %d\n", WriteSegmentSeeds(args));
    if (!args.windowsDir.empty())
        std::printf("window-record seeds: %d\n", WriteWindowSeeds(args));
    if (!args.settingsDir.empty() || !args.startupDir.empty()) {
#ifdef ORVELO_FUZZ_SETTINGS_SEEDS
        if (!args.settingsDir.empty())
            std::printf("settings seeds: %d\n", orvelo::fuzzing::WriteSettingsSeeds(args.settingsDir));
        if (!args.startupDir.empty())
            std::printf("start-up seeds: %d\n", orvelo::fuzzing::WriteStartupSeeds(args.startupDir));
#else
        std::fputs("settings and start-up seeds need the Qt layers (ORVELO_GUI)\n", stderr);
        return 2;
#endif
    }
    return 0;
}
