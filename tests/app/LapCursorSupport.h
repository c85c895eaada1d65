// What shows a lap overview's cursor, for the program tests of the graph cursor.
#pragma once

#include "LapOverviewFixture.h"

namespace lapoverview {

// What shows a window's cursor: the line in each row, the strip's "L.n : v", each compared lap's
// RPM value in the properties pane and its disc on the small map. They agree when all show the
// base lap's point under the line, or when none shows anything.
struct CursorShown {
    CLapOverviewDlg& window;
    CPropertiesWnd& properties;
    CSegView& top;

    ::testing::AssertionResult Agree(bool shown) const {
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

}  // namespace lapoverview
