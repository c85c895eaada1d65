// The segment strip of lap overviews in the program: each strip takes the segment group of the
// shown course whenever the main frame hands it out, whether its window was there before the
// course was opened, came back at start, or was opened after.
#include "ProgramHarness.h"

#include "shell/LapListTestSupport.h"

#include "graphs/CLapOverviewDlg.h"
#include "graphs/CSegInfoPlotView.h"
#include "graphs/CSegSplitterWnd.h"
#include "graphs/CSegView.h"
#include "settings/SegmentGroupStore.h"

#include "core/FileLists.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

#include <set>

#include <gtest/gtest.h>

namespace {

using namespace platform;

void Drain() {
    for (int i = 0; i < 4; ++i)
        ShellHarness::Drain();
}

class SegmentStripHandOutTest : public ::testing::Test {
protected:
    void SetUp() override { log = files.Write(QStringLiteral("session.dat"), 3, 4); }
    void LoadLaps(ProgramHarness& program) {
        ASSERT_EQ(testsupport::LoadLogs(program.Core(), {log}), 0);
        SendMessage(program.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
        SetBase(program, 0);
    }
    static void SetBase(ProgramHarness& program, std::size_t lap) {
        const orvelo::LogFile& file = program.Core().LogFiles[0];
        orvelo::SetBaseLap(program.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[lap].lapNumber));
        PostMessage(program.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
        Drain();
    }
    // A group of `segments` segments stored for the session as a course map, its ends spread over
    // the map lap's course, as the course map viewer saves one.
    void StoreGroup(ProgramHarness& program, std::int32_t segments) {
        const auto& course = program.Core().MapFiles.at(0).laps.at(0).analysisItems.front().coursePoints;
        const auto count = static_cast<std::int32_t>(course.size());
        orvelo::SegmentGroup group;
        group.groupId = 41;
        group.mapPath = log.toStdU16String();
        group.groupName = u"Default Info.1";
        group.segmentCount = segments;
        for (std::int32_t k = 1; k <= segments; ++k) {
            const std::int32_t end = k == segments ? count - 1 : k * count / (segments + 1);
            group.pairs.push_back({course[static_cast<std::size_t>(end)].cumulativeDistance, end});
        }
        std::deque<orvelo::SegmentGroup> groups = {group};
        ASSERT_EQ(SegmentGroupStore(program.Settings().Store()).Save(groups, group), 0);
        PostMessage(program.Frame().Handle(), UM_SAVE_SEGMENT_GROUP_INFO, 0, 0);
        Drain();
    }
    // File > Map Open on the session, with a group of three segments stored for it.
    void OpenMapWithGroup(ProgramHarness& program) {
        orvelo::FileListEntry entry;
        entry.fullPath = log.toStdU16String();
        orvelo::EditMapFileList(program.Core(), orvelo::kFileListAdd, entry);
        ASSERT_EQ(orvelo::LoadPendingMapFiles(program.Core(), 3), 0);
        StoreGroup(program, 3);
        SendMessage(program.Frame().Handle(), UM_VIEW_READ_MAP_FILE, 0, 1);
        Drain();
        ASSERT_TRUE(program.Frame().Properties()->MapHasSegmentGroup());
    }
    static COrveloView& View(ProgramHarness& program) { return *program.WorkAreas().front()->View(); }
    static CLapOverviewDlg* Open(ProgramHarness& program) {
        View(program).OnLapOverviewGraph();
        Drain();
        return dynamic_cast<CLapOverviewDlg*>(View(program).GraphWindows().back().window);
    }
    // The segment colours the strip's band row shows, on the line below its labels.
    static std::set<ColorRef> ShownSegments(CLapOverviewDlg& window) {
        std::set<ColorRef> shown;
        auto* strip = dynamic_cast<CSegSplitterWnd*>(window.SegmentStrip());
        CSegInfoPlotView* bands = strip ? strip->LeftSegmentPane() : nullptr;
        if (!bands)
            return shown;
        bands->grab();  // painted, as on screen
        const QImage& picture = bands->Picture();
        for (int k = 0; k < bands->SegmentCount(); ++k) {
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixel(x, picture.height() - 1) == ToQColor(bands->SegmentColor(k)).rgb())
                    shown.insert(bands->SegmentColor(k));
            }
        }
        return shown;
    }
    static std::size_t TopBoundaries(CLapOverviewDlg& window) {
        auto* strip = dynamic_cast<CSegSplitterWnd*>(window.SegmentStrip());
        return strip ? strip->Top().Boundaries().distances.size() : 0;
    }

    testsupport::SessionDir files;
    QString log;
    platform::RegistryTree saved;
};

TEST_F(SegmentStripHandOutTest, AnOverviewOpenedBeforeTheMapShowsEverySegmentAsOneOpenedAfterIt) {
    ProgramHarness h;
    ASSERT_TRUE(h.Start());
    LoadLaps(h);
    CLapOverviewDlg* before = Open(h);
    ASSERT_TRUE(before);
    OpenMapWithGroup(h);
    SetBase(h, 1);
    CLapOverviewDlg* after = Open(h);
    ASSERT_TRUE(after);
    for (CLapOverviewDlg* window : {before, after}) {
        EXPECT_EQ(window->SegmentMode(), 1);
        EXPECT_EQ(ShownSegments(*window).size(), 3u);
        EXPECT_EQ(TopBoundaries(*window), 2u);
    }

    // The viewer's OK with the group of the same course now in four segments: both strips take it.
    StoreGroup(h, 4);
    PostMessage(h.Frame().Handle(), UM_SEGMENT_EDIT_REPLACE, 0, 0);
    Drain();
    for (CLapOverviewDlg* window : {before, after}) {
        EXPECT_EQ(ShownSegments(*window).size(), 3u);  // the course colours, taken in turn
        EXPECT_EQ(TopBoundaries(*window), 3u);
    }
}

TEST_F(SegmentStripHandOutTest, AnOverviewRestoredAtStartShowsEverySegmentOfTheMapOpenedLater) {
    {
        ProgramHarness first;
        ASSERT_TRUE(first.Start());
        ASSERT_TRUE(Open(first));
        first.Close();
        saved = first.Saved();
    }
    ProgramHarness h(saved);
    ASSERT_TRUE(h.Start());
    Drain();
    auto* restored = dynamic_cast<CLapOverviewDlg*>(View(h).GraphWindows().at(0).window);
    ASSERT_TRUE(restored);
    LoadLaps(h);
    OpenMapWithGroup(h);
    SetBase(h, 2);
    EXPECT_EQ(restored->SegmentMode(), 1);
    EXPECT_EQ(ShownSegments(*restored).size(), 3u);
    EXPECT_EQ(TopBoundaries(*restored), 2u);
}

}  // namespace
