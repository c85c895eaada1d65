// What the program tests of the graph cursor share: a generated session with its laps
// compared, a drag in a row, and what shows a lap overview's cursor.
#pragma once

#include "ProgramHarness.h"

#include "shell/LapListTestSupport.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/CSegView.h"
#include "graphs/GraphRecords.h"
#include "coursemap/CMapView.h"
#include "properties/CPropertiesWnd.h"

#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/MessageRecords.h"
#include "platform/UserMessages.h"
#include "settings/CourseBlock.h"

#include <QTest>

#include <gtest/gtest.h>

namespace lapcursor {

// A session of laps laps (seed 4): lap 1 the base lap, laps 2 and 3 overlays, lap 1 on the small map.
inline void LoadComparedLaps(ProgramHarness& h, testsupport::SessionDir& files, int laps = 3) {
    using namespace platform;
    ASSERT_EQ(testsupport::LoadLogs(h.Core(), {files.Write(QStringLiteral("session.dat"), laps, 4)}), 0);
    SendMessage(h.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
    const orvelo::LogFile& file = h.Core().LogFiles[0];
    const std::u16string first = orvelo::FormatLapNumber(file.laps[0].lapNumber);
    CourseBlock course;
    MapInfoBlock::Put(course.info.path.data(), MapInfoBlock::kPathChars, file.fullPath);
    MapInfoBlock::Put(course.info.shortText.data(), MapInfoBlock::kShortTextChars, first);
    course.lap = {orvelo::FileSet::Log, file.fileId, 0};
    PostMessage(h.Frame().Handle(),
                MessageWithBlock(UM_DRAW_MAP_ON_VIEW, orvelo::SetCurrentLap(h.Core(), first, file.fullPath), course));
    orvelo::SetBaseLap(h.Core(), file.fullPath, first);
    for (std::size_t lap : {1u, 2u})
        orvelo::ToggleOverlayLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[lap].lapNumber));
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
}

// A press, moves and a release in a row, each drained.
inline void Drag(CDlgGrafView& row, std::initializer_list<int> xs) {
    const int y = row.height() / 2;
    QTest::mousePress(&row, Qt::LeftButton, {}, QPoint(*xs.begin(), y));
    Drain();
    for (int x : xs) {
        QTest::mouseMove(&row, QPoint(x, y));
        Drain();
    }
    QTest::mouseRelease(&row, Qt::LeftButton, {}, QPoint(*(xs.end() - 1), y));
    Drain();
}

// What shows a window's cursor: the line in each row, the strip's "L.n : v", each compared lap's
// RPM value in the properties pane and its disc on the small map. They agree when all show the
// base lap's point under the line, or when none shows anything.
struct CursorShown {
    CLapOverviewDlg& window;
    CPropertiesWnd& properties;
    CSegView& top;

    ::testing::AssertionResult Agree(bool shown) const {
        using platform::GraphPoint;
        CDlgGrafView& rpm = *window.RowAt(0).graph;
        for (int row = 0; row < window.RowCount(); ++row) {
            const CPlotLineCtrl& line = window.RowAt(row).graph->Data().Plot();
            if ((line.CursorState() == CPlotLineCtrl::kCursorShown) != shown)
                return ::testing::AssertionFailure() << "the line of row " << row;
            if (shown && line.CursorPoint().x() != rpm.Data().Plot().CursorPoint().x())
                return ::testing::AssertionFailure() << "row " << row << " has its line elsewhere";
        }
        const std::vector<GraphPoint>& points = rpm.Data().CursorList();
        if (shown && (points.empty() || points[0].words[graphs::kPointX] != rpm.Data().Plot().CursorPoint().x()))
            return ::testing::AssertionFailure() << "no base-lap point under the line";
        const QString lap = QStringLiteral("L.%1").arg(h().Core().SelectedLaps[0].lapNumber);
        const QString label = top.Labels().isEmpty() ? QString() : top.Labels().back();
        if (label != (shown ? lap + QStringLiteral(" : %1").arg(points[0].words[graphs::kPointDistance]) : lap))
            return ::testing::AssertionFailure() << "the strip says " << label.toStdString();
        const std::vector<CPropGridPropExt*> values = properties.ChannelRows(1);
        const CDrawCorseCtrl& map = properties.Map().Drawing();
        int marks = 0;
        for (const MapLayerItem& layer : map.Marks().Layers())
            marks += layer.shownAt ? 1 : 0;
        if (!shown) {
            for (const CPropGridPropExt* value : values)
                if (!value->Value().trimmed().isEmpty())
                    return ::testing::AssertionFailure() << "the pane shows " << value->Value().toStdString();
            if (marks != 0 || !(map.Presented() == map.Layers().Composed()))
                return ::testing::AssertionFailure() << "the map shows marks";
            return ::testing::AssertionSuccess();
        }
        if (values.size() < points.size() || static_cast<int>(points.size()) != marks)
            return ::testing::AssertionFailure() << points.size() << " laps, " << marks << " marks";
        // Each lap's value and disc where its point lies; the picture differs from the map only under them.
        QRegion discs;
        for (std::size_t lap = 0; lap < points.size(); ++lap) {
            const QString value = QString::asprintf("%4u", points[lap].words[graphs::kPointValue]);
            if (values[lap]->Value() != value)
                return ::testing::AssertionFailure() << "lap " << lap << ": " << values[lap]->Value().toStdString();
            QPoint centre;
            const MapLayerItem& layer = map.Marks().Layers()[lap];
            if (!map.PointAtDistance(points[lap].words[graphs::kPointDistance], centre) ||
                layer.shownAt != centre - QPoint(MapLayerItem::kMarkHalf, MapLayerItem::kMarkHalf))
                return ::testing::AssertionFailure() << "the disc of lap " << lap;
            discs += layer.MarkRect(*layer.shownAt);
        }
        const QImage& presented = map.Presented();
        for (int y = 0; y < presented.height(); ++y)
            for (int x = 0; x < presented.width(); ++x)
                if (!discs.contains(QPoint(x, y)) && presented.pixel(x, y) != map.Layers().Composed().pixel(x, y))
                    return ::testing::AssertionFailure() << "a mark left at " << x << "," << y;
        return ::testing::AssertionSuccess();
    }
    ProgramHarness& h() const { return *harness; }
    ProgramHarness* harness;
};

} // namespace lapcursor
