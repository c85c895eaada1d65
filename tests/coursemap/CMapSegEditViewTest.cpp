// The map segment edit view driven by the viewer's messages and the mouse on a generated lap of
// 2500 m: adding, clearing and typed lengths with their reports, selection, drags, the tip, the
// labels and the menu, and random runs in which the view and its renderer never disagree.
#include "EditViewHarness.h"

#include "platform/CColorToolTipWnd.h"
#include "platform/PopupMenu.h"

#include <QContextMenuEvent>

#include <random>

#include <gtest/gtest.h>

namespace {

using namespace testmap;
using platform::MakeLong;
using Ends = std::vector<int>;

TEST(CMapSegEditViewTest, AddClearAndTypedLengthsChangeTheEndsAndReportTheCount) {
    EditViewHarness h;
    ASSERT_TRUE(h.edit->CourseDrawn());
    const platform::LParam viewer = static_cast<platform::LParam>(h.frame.Handle());
    h.Send(platform::UM_ADD_SEGMENT, 0, viewer);
    EXPECT_EQ(h.edit->SegmentEnds(), (Ends{1250, 2500}));
    h.Send(platform::UM_ADD_SEGMENT, 0, viewer);
    EXPECT_EQ(h.edit->SegmentEnds(), (Ends{1250, 1875, 2500}));
    EXPECT_EQ(h.RendererEnds(), h.edit->SegmentEnds());
    EXPECT_EQ(h.Reported(), (std::vector<int>{2, 3}));

    struct Case {
        Ends before;
        std::uint32_t message;
        int select;
        Ends after;
    };
    const Case cases[] = {
        {{1000, 1501, 2500}, platform::UM_ADD_SEGMENT, 2, {1000, 1251, 1501, 2500}},
        {{1000, 1800, 2000, 2500}, platform::UM_CLEAR_SEGMENT, 2, {1000, 2000, 2500}},
        {{1000, 1200, 2000, 2500}, platform::UM_CLEAR_SEGMENT, 2, {1200, 2000, 2500}},
        {{1000, 2500}, platform::UM_CLEAR_SEGMENT, 0, {}},
        {{2500}, platform::UM_CLEAR_SEGMENT, 1, {}},  // the only segment: all go
        {{1000, 2500}, platform::UM_RESET_SEGMENT, 1, {}},
    };
    for (const Case& c : cases) {
        h.Show(c.before);
        if (c.select > 0)
            h.Select(c.select);
        EXPECT_EQ(h.edit->SelectedSegment(), c.select);
        const std::size_t reports = h.Reported().size();
        h.Send(c.message, 0, viewer);
        EXPECT_EQ(h.edit->SegmentEnds(), c.after) << c.message << " " << c.select;
        EXPECT_EQ(h.RendererEnds(), c.after);
        ASSERT_EQ(h.Reported().size(), reports + 1);
        EXPECT_EQ(h.Reported().back(), static_cast<int>(c.after.size()));
        EXPECT_EQ(h.edit->SelectedSegment(), 0);
    }

    // The last of 1000/2500 typed in: its start moves; the same length, or a longer one, changes nothing.
    const std::pair<int, int> lengths[] = {{1200, 1}, {1500, 0}, {1600, -1}};
    for (const auto& [length, result] : lengths) {
        h.Show({1000, 2500});
        const std::size_t reports = h.Reported().size();
        EXPECT_EQ(h.Send(platform::UM_SEGMENT_LENGTH_CHANGED, 0, MakeLong(length, 2)), result) << length;
        EXPECT_EQ(h.edit->SegmentEnds(), result == 1 ? (Ends{1300, 2500}) : (Ends{1000, 2500}));
        EXPECT_EQ(h.RendererEnds(), h.edit->SegmentEnds());
        EXPECT_EQ(h.Reported().size(), reports + (result == 1 ? 1 : 0));
    }
    EXPECT_EQ(h.Send(platform::UM_SEGMENT_LENGTH_CHANGED, 0, MakeLong(500, 3)), -1);  // no segment 3
}

TEST(CMapSegEditViewTest, AClickSelectsADragMovesTheEndWithLiveLabelsAndHoveringTipsTheLength) {
    EditViewHarness h;
    h.Show({1000, 1501, 2500});
    const int firstEnd = h.Segment(1).endIndex;
    h.Select(1);
    ASSERT_EQ(h.edit->SelectedSegment(), 1);
    const auto colours = h.frame.Of(platform::UM_SET_SELECTED_SEGMENT_COLOR);
    ASSERT_FALSE(colours.empty());
    EXPECT_EQ(colours.back().wParam, 1u);
    EXPECT_EQ(static_cast<platform::ColorRef>(colours.back().lParam), MapSegmentModel::kOddColor);
    ASSERT_EQ(h.edit->NumberLabels().size(), 3u);
    EXPECT_EQ(h.edit->NumberLabels()[2]->Text(), QStringLiteral("3"));

    // Drag the end 20 points on: the labels show both lengths while the button is down.
    h.Mouse(QEvent::MouseButtonPress, h.Drawn(firstEnd), Qt::LeftButton);
    for (int i = firstEnd; i <= firstEnd + 20; ++i)
        h.Mouse(QEvent::MouseMove, h.Drawn(i), Qt::LeftButton);
    h.Drain();
    const int moved = h.edit->SegmentEnds()[0];
    EXPECT_GT(moved, 1000);
    EXPECT_EQ(h.edit->LengthLabel(0).Text(), QStringLiteral("S1 : %1").arg(moved));
    EXPECT_EQ(h.edit->LengthLabel(1).Text(), QStringLiteral("S2 : %1").arg(1501 - moved));
    EXPECT_TRUE(h.edit->LengthLabel(1).isVisible());
    h.Mouse(QEvent::MouseButtonRelease, h.Drawn(firstEnd + 20));
    EXPECT_FALSE(h.edit->LengthLabel(0).isVisible());
    EXPECT_EQ(h.RendererEnds(), (Ends{moved, 1501, 2500}));
    EXPECT_EQ(h.Reported().back(), 3);

    // The last segment ends at the start and finish line: it does not drag.
    h.Select(3);
    h.DragSelectedTo(h.Segment(3).endIndex - 30);
    EXPECT_EQ(h.edit->SegmentEnds(), (Ends{moved, 1501, 2500}));

    const MapLayerItem& second = h.Segment(2);
    h.Mouse(QEvent::MouseMove, h.Drawn((second.startIndex + second.endIndex) / 2));
    EXPECT_EQ(h.edit->HoveredSegment(), 2);
    EXPECT_EQ(h.edit->TipText(), QStringLiteral("S2 : %1").arg(1501 - moved));
    h.Mouse(QEvent::MouseMove, QPoint(1, 1));  // off the course
    EXPECT_EQ(h.edit->TipText(), QString());
}

TEST(CMapSegEditViewTest, TheMenuAsksForALengthWhichCutsTheCourseAndNeverOffersAutomaticStarts) {
    EditViewHarness h(900);
    platform::PopupMenuScript menu;
    for (const char* choice : {"Auto St./Cr.", "Input Segment length"})
        menu.QueueChoice(QString::fromLatin1(choice));
    for (int i = 0; i < 2; ++i) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), h.edit->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(h.edit.get(), &click);
    }
    h.Drain();
    ASSERT_EQ(menu.Shown().size(), 2u);
    EXPECT_EQ(menu.Shown()[0], (QStringList{QStringLiteral("Drawing Map Mode "), QStringLiteral("Add Multiple Segment")}));
    const auto asked = h.frame.Of(platform::UM_INPUT_SEGMENT_LENGTH_DIALOG);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].wParam, 8u);
    EXPECT_EQ(static_cast<platform::WindowHandle>(asked[0].lParam), h.edit->Handle());

    // The length comes back: ends at the first points past 400 and 800 m, then the course end.
    h.Send(platform::UM_INPUT_SEGMENT_LENGTH_DIALOG, 400, 0);
    const Ends& ends = h.edit->SegmentEnds();
    ASSERT_EQ(ends.size(), 3u);
    EXPECT_GE(ends[0], 400);
    EXPECT_LT(ends[0], 420);
    EXPECT_GE(ends[1], 800);
    EXPECT_EQ(h.RendererEnds(), ends);
    EXPECT_EQ(h.Reported().back(), 3);
    std::vector<int> endPoints;
    std::vector<int> exported;
    h.edit->ExportSegments(endPoints, exported);
    EXPECT_EQ(exported, ends);
    EXPECT_EQ(endPoints.back(), static_cast<int>(h.core.LogFiles[0].laps[0].analysisItems.front().coursePoints.size()) - 1);
}

TEST(CMapSegEditViewTest, RandomEditsKeepTheViewAndItsRendererInStepAndTheEndsAscending) {
    EditViewHarness h;
    std::mt19937 random(7);
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 120; ++step) {
        const int n = h.edit->SegmentCount();
        // Half the edits work on a selected segment.
        if (n > 0 && pick(2) == 0)
            h.Select(1 + pick(n));
        switch (pick(5)) {
        case 0:
            h.Send(platform::UM_ADD_SEGMENT, 0, static_cast<platform::LParam>(h.frame.Handle()));
            break;
        case 1:
            if (pick(3) == 0)
                h.Send(platform::UM_CLEAR_SEGMENT, 0, static_cast<platform::LParam>(h.frame.Handle()));
            break;
        case 2:
            h.Send(platform::UM_SEGMENT_LENGTH_CHANGED, 0, MakeLong(1 + pick(1500), pick(n + 2)));
            break;
        case 3:
            if (n >= 2) {
                h.Select(1 + pick(n - 1));
                h.DragSelectedTo(h.Segment(h.edit->SelectedSegment()).endIndex + pick(81) - 40);
            }
            break;
        default:
            if (pick(4) == 0)
                h.Send(platform::UM_INPUT_SEGMENT_LENGTH_DIALOG, static_cast<platform::WParam>(100 + pick(700)), 0);
            break;
        }
        const Ends& ends = h.edit->SegmentEnds();
        ASSERT_EQ(h.RendererEnds(), ends) << "step " << step;
        ASSERT_TRUE(std::adjacent_find(ends.begin(), ends.end(), std::greater_equal<int>()) == ends.end()) << step;
    }
}

}  // namespace
