// The map segment edit view on its own for tests: a generated lap of a log file (its distance
// set to a round figure), the view shown at 400 x 300 with a window standing for the viewer that
// keeps every message, and clicks and drags on drawn course points.
#pragma once

#include "MapViewHarness.h"

#include "coursemap/CMapSegEditView.h"

#include "platform/PopupMenu.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace testmap {

class EditViewHarness : public MapViewHarness {
public:
    explicit EditViewHarness(int distance = 2500) {
        samplegen::SessionOptions options = SessionOf(1);
        options.circuitLength = distance;
        Load(QStringLiteral("lap.dat"), options);
        core.LogFiles[0].laps[0].distance = static_cast<std::uint32_t>(distance);
        ref = {orvelo::FileSet::Log, core.LogFiles[0].fileId, 0};
        edit = std::make_unique<CMapSegEditView>(core, frame.Handle());
        edit->resize(400, 300);
        Show({});
        edit->show();
        Drain();
    }

    // The lap shown again, as the viewer shows it, with segments ending at these distances.
    void Show(const std::vector<int>& ends) {
        edit->SetLap(ref, 0);
        orvelo::SegmentGroup group;
        group.segmentCount = static_cast<std::int32_t>(ends.size());
        edit->SetSegmentGroup(group, std::vector<int>(ends.size(), -1), ends);
        platform::SendMessage(edit->Handle(), platform::MessageWithBlock(platform::UM_SELECTED_MAP_FROM_THUMBNAIL_LIST,
                                                                         frame.Handle(), platform::MapInfoBlock{}));
        Drain();
    }
    platform::LResult Send(std::uint32_t id, platform::WParam w = 0, platform::LParam l = 0) {
        const platform::LResult result = platform::SendMessage(edit->Handle(), id, w, l);
        Drain();
        return result;
    }
    // The ends the renderer holds, segment by segment.
    std::vector<int> RendererEnds() const {
        std::vector<int> ends;
        for (const MapLayerItem& segment : edit->Renderer().Segments().Segments())
            ends.push_back(segment.endDistance);
        return ends;
    }
    QPoint Drawn(int index) const {
        const DrawnPointTable::Record& record = *edit->Renderer().Drawn().At(static_cast<std::size_t>(index));
        return {record.x, record.y};
    }
    const MapLayerItem& Segment(int k) const {
        return edit->Renderer().Segments().Segments()[static_cast<std::size_t>(k - 1)];
    }
    void Mouse(QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons = Qt::NoButton) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, edit->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(edit.get(), &event);
    }
    // A click in the middle of segment k.
    void Select(int k) {
        const MapLayerItem& segment = Segment(k);
        const QPoint at = Drawn((segment.startIndex + segment.endIndex) / 2);
        Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, at);
        Drain();
    }
    // The selected segment's end dragged point by point to course point target (and let go).
    void DragSelectedTo(int target, bool release = true) {
        const int from = Segment(edit->SelectedSegment()).endIndex;
        Mouse(QEvent::MouseButtonPress, Drawn(from), Qt::LeftButton);
        for (int i = from; i != target; i += target > from ? 1 : -1)
            Mouse(QEvent::MouseMove, Drawn(i), Qt::LeftButton);
        Mouse(QEvent::MouseMove, Drawn(target), Qt::LeftButton);
        if (release)
            Mouse(QEvent::MouseButtonRelease, Drawn(target));
        Drain();
    }
    // The menu opened by the mouse, choosing the entry.
    void RightClick(const QString& choice) {
        menu.QueueChoice(choice);
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(edit.get(), &click);
        Drain();
    }
    // The segment counts reported with UM_NOW_SEGMENT_COUNT_ON_MAP.
    std::vector<int> Reported() const {
        std::vector<int> counts;
        for (const platform::Message& m : frame.Of(platform::UM_NOW_SEGMENT_COUNT_ON_MAP)) {
            EXPECT_EQ(static_cast<platform::WindowHandle>(m.lParam), edit->Handle());
            counts.push_back(static_cast<int>(m.wParam));
        }
        return counts;
    }

    orvelo::LapRef ref;
    platform::PopupMenuScript menu;
    std::unique_ptr<CMapSegEditView> edit;
};

}  // namespace testmap
