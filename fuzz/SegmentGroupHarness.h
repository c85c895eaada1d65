// Segment groups from any stored "Map_Seg_Info" values handed to what uses them: both readings of the
// store (the course map viewer's and the application's), the ends checked against a course, the
// segment strip's boundaries and band positions at several zooms, and the segment list's map times,
// on every lap of a generated session. Shared by the fuzz target and the tests that replay findings.
//
// Input: the group count word, a 16-bit length and that many bytes of records, then for each record
// (at most kMaxPairValues) a 16-bit length and the bytes of its pair value.
#pragma once

#include "fuzz/SettingsLoadHarness.h"
#include "platform/MessageBox.h"
#include "platform/RegistryMemoryBackend.h"
#include "settings/AppSettings.h"
#include "settings/SegmentGroupStore.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsStore.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/SegmentGroupCodec.h"
#include "coursemap/SegmentTimes.h"
#include "graphs/SegmentBoundaries.h"
#include "tools/SampleSession.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>

namespace orvelo::fuzzing {

[[noreturn]] inline void SegmentFault(const char* what)
{
    std::fprintf(stderr, "segments: %s\n", what);
    std::abort();
}

class SegmentGroupCycle {
public:
    static constexpr std::size_t kMaxPairValues = 8;

    SegmentGroupCycle()
    {
        samplegen::SessionOptions options;
        options.laps = 3;
        options.circuitLength = 600.0;
        const std::string path = m_dir.filePath(QStringLiteral("session.dat")).toStdString();
        if (!m_dir.isValid() || !samplegen::WriteBytes(path, samplegen::GenerateSession(options).bytes))
            SegmentFault("the session cannot be written");
        FileListEntry entry;
        entry.fullPath = QString::fromStdString(path).toStdU16String();
        EditLogFileList(m_core, kFileListAdd, entry);
        LoadPendingLogFiles(m_core, 3);
        if (m_core.LogFiles.empty() || m_core.LogFiles[0].laps.empty())
            SegmentFault("the session does not load");
    }

    void Run(const std::uint8_t* data, std::size_t size)
    {
        platform::MessageBoxRecorder boxes;
        AppSettings settings(std::make_unique<platform::RegistryMemoryBackend>(), ButtonFace());
        Store(settings.Store(), data, size);
        SegmentGroupStore store(settings.Store());
        std::deque<SegmentGroup> loaded;
        LoadSegmentGroups(settings.Store(), loaded);
        for (const SegmentGroup& group : loaded)
            Use(group);
        for (const SegmentGroup& group : store.ReadViewerGroups())
            Use(group);
    }

private:
    static std::size_t Length(const std::uint8_t*& p, const std::uint8_t* end)
    {
        if (end - p < 2)
            return 0;
        const std::size_t n = p[0] | (p[1] << 8);
        p += 2;
        return std::min<std::size_t>(n, static_cast<std::size_t>(end - p));
    }

    static void Store(SettingsStore& store, const std::uint8_t* data, std::size_t size)
    {
        const QString key = settings::SubKeyPath(settings::kMapSegInfo);
        const std::uint8_t* p = data;
        const std::uint8_t* end = data + size;
        if (end - p >= 4) {
            std::uint32_t count = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
            store.RegWriteDword(key, QStringLiteral("Seg_GrpInfo_Count"), reinterpret_cast<std::int32_t*>(&count));
            p += 4;
        }
        const std::size_t recordBytes = Length(p, end);
        const std::uint8_t* records = p;
        store.RegWriteBinary(key, QStringLiteral("Seg_info_Prop"), records, static_cast<std::uint32_t>(recordBytes));
        p += recordBytes;
        for (std::size_t i = 0; i < kMaxPairValues && (i + 1) * kSegmentGroupRecordBytes <= recordBytes; ++i) {
            const SegmentGroupRecord record = DecodeSegmentGroupRecord(records + i * kSegmentGroupRecordBytes);
            const std::size_t n = Length(p, end);
            store.RegWriteBinary(key, QString::fromStdU16String(SegmentPairValueName(record.groupId)), p,
                                 static_cast<std::uint32_t>(n));
            p += n;
        }
    }

    // Ends strictly ascending, above 0 and not beyond the course.
    static void CheckEnds(const std::vector<int>& ends, std::int64_t last, const char* what)
    {
        std::int64_t previous = 0;
        for (const int end : ends) {
            if (end <= previous || end > last)
                SegmentFault(what);
            previous = end;
        }
    }

    // As the segment list takes a group: no more segments than its pairs measure.
    static SegmentGroup Listed(SegmentGroup group)
    {
        group.segmentCount = std::clamp(group.segmentCount, 0, static_cast<int>(group.pairs.size()) + 1);
        return group;
    }

    void Use(const SegmentGroup& group) const
    {
        for (const Lap& lap : m_core.LogFiles[0].laps) {
            if (lap.analysisItems.empty() || lap.analysisItems.front().coursePoints.empty())
                continue;
            const auto& course = lap.analysisItems.front().coursePoints;
            const std::int64_t last = course.back().cumulativeDistance;
            SegmentGroup checked = group;
            CheckSegmentEnds(checked, &course, static_cast<std::int64_t>(lap.distance));
            std::vector<int> ends;
            for (const SegmentPair& pair : checked.pairs)
                ends.push_back(pair.cumulativeDistance);
            CheckEnds(ends, std::max<std::int64_t>(last, lap.distance), "checked ends not ascending within the course");
            if (checked.segmentCount < 0 || UsablePairCount(checked) != checked.pairs.size())
                SegmentFault("checked group counts more pairs than it has");

            const graphs::SegmentBoundaries bounds = graphs::BoundariesOf(group, &lap);
            CheckEnds(bounds.distances, last, "strip boundaries not ascending within the course");
            const int span = static_cast<int>(last);
            const int time = static_cast<int>(lap.lapTime);
            for (const auto& [zoomSpan, start] : {std::pair{span, 0}, std::pair{span / 2, span / 4},
                                                  std::pair{std::max(span / 50, 1), span - 1}, std::pair{1, 0}}) {
                for (const int width : {1, 400, 4000}) {
                    graphs::StripPositions(bounds.distances, width, zoomSpan, start);
                    graphs::StripPositions(bounds.times, width, std::max(time / (span / std::max(zoomSpan, 1) + 1), 1),
                                           start);
                }
            }
            int start = 0;
            graphs::SegmentAt(bounds.distances, span / 2, &start);

            for (const auto& times : {segtimes::MapTimes(lap, Listed(group)), segtimes::MapTimes(lap, Listed(checked))}) {
                for (const auto& t : times) {
                    if (t && *t < 0)
                        SegmentFault("a map time below 0");
                }
            }
        }
    }

    QTemporaryDir m_dir;
    LapDataCore m_core;
};

} // namespace orvelo::fuzzing
