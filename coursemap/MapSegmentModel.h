// The segments laid on one lap's course in the segment renderer: one record
// per segment in course order, the edits on them (append, split, delete by
// merging, clear, build from stored ends, move one end) and the queries the
// segment views need (position at a distance, nearest course point, segment
// under a point, marker hit). It works on the lap's course points and on
// where its renderer drew them, and only marks what must be drawn again.
#pragma once

#include "coursemap/DrawnPointTable.h"
#include "coursemap/MapLayerItem.h"

#include "core/LapData.h"

#include <QPoint>
#include <QRect>
#include <QRegion>

#include <deque>
#include <vector>

class MapSegmentModel {
public:
    enum Operation { kAppend = 0, kSplit = 1, kDelete = 2, kClear = 3 };
    static constexpr platform::ColorRef kOddColor = 0xF00505;
    static constexpr platform::ColorRef kEvenColor = 0x05F005;
    // The drag looks for the new end from this many course points before the last nearest one.
    static constexpr int kDragLookBack = 50;

    // drawn: where the renderer drew each course point (it outlives the model).
    explicit MapSegmentModel(const DrawnPointTable& drawn) : m_drawn(drawn) {}

    // The width of the segments' pens (the course pen width); every segment is drawn again.
    void SetPenWidth(int width);
    // Where the nearest course point is looked for: the fitted course
    // rectangle, and a distance farther than any point in it.
    void SetHitArea(const QRect& area, int farthest);

    // kAppend (flagOrIndex a flag): with 0 the last segment's end moves to
    // distance (the first segment is made when there is none); otherwise a
    // segment from the last end to the start and finish line is added, its
    // end distance distance. kSplit: the selected segment, which starts at
    // distance, is cut in the middle of what lies after that. kDelete: the
    // segment at position flagOrIndex (from 0) is merged into the next one
    // when distance is non-zero, else into the one before (into the other
    // where there is none; the only one is cleared). kClear: no segments.
    // Every edit drops the selection.
    void EditSegments(int operation, int flagOrIndex, int distance, const orvelo::LapAnalysisItem& item);
    // Appends one segment per stored end. An end index outside the course or
    // not above the one before is found again from its distance; the last
    // end is the last course point. indices gets the ends used.
    void BuildSegments(const std::vector<int>& distances, std::vector<int>& indices,
                       const orvelo::LapAnalysisItem& item);
    // Replaces the segments by one per end index; distances gets each end's
    // distance along the course.
    void BuildSegmentsFromIndices(const orvelo::LapAnalysisItem& item, const std::vector<int>& indices,
                                  std::vector<int>& distances);
    void ExportEndIndices(std::vector<int>& indices) const;
    // Moves the first end whose distance differs from distances (one per
    // segment) and the start of the segment after it.
    void SetEndDistances(const std::vector<int>& distances, const orvelo::LapAnalysisItem& item);
    // Ends, starts, slopes and markers taken again from the course points,
    // after the course was drawn again.
    void RefreshBoundaries(const orvelo::LapAnalysisItem& item);
    // Marks every segment to be drawn again and drops the selection.
    void ResetSegments();
    void MarkAllDirty();

    // The course point at a distance as the walk along the course finds it,
    // and its drawn position; -1 and (0, 0) when nothing is drawn.
    int PointAtDistance(int distance, QPoint& point) const;
    // The drawn course point nearest to point (first of equals), -1 outside the hit area.
    int NearestCoursePoint(const QPoint& point);
    // The number of the segment holding the nearest course point (an end
    // belongs to the segment after it), 0 for none, -1 without segments.
    int SegmentAt(const QPoint& point);
    // Selects the segment holding the course point index (none for an index
    // in no segment); its number, or 0 when it is none or was selected already.
    int SelectSegmentAt(int index);
    // Whether point lies in the box of the selected segment's two markers.
    bool MarkerHit(const QPoint& point);
    // Moves the selected segment's end to the course point nearest point;
    // the distance it moved, 0 when refused (no selection, the last segment,
    // not strictly between the segment's start and the next end).
    int DragBoundary(const QPoint& point, const orvelo::LapAnalysisItem& item);

    const std::deque<MapLayerItem>& Segments() const { return m_segments; }
    std::deque<MapLayerItem>& Segments() { return m_segments; }
    int SelectedNumber() const { return m_selected; }
    MapLayerItem* Selected();
    const MapLayerItem* Selected() const;
    const QRect& MarkerBounds() const { return m_markerBounds; }
    int LastNearest() const { return m_lastNearest; }
    // Where removed segments were drawn, given once.
    QRegion TakeVacated();

private:
    bool HasSelection() const;
    int Count(const orvelo::LapAnalysisItem& item) const;
    QPoint Drawn(int index) const;
    MapLayerItem MakeSegment(int number, int endDistance, int startIndex, const QPoint& startPoint, int endIndex,
                             const QPoint& endPoint, const orvelo::LapAnalysisItem& item) const;
    void Colour(MapLayerItem& segment) const;
    void Renumber();
    void ClearSelection();
    void Append(int flag, int distance, const orvelo::LapAnalysisItem& item);
    void Split(int distance, const orvelo::LapAnalysisItem& item);
    void Delete(int index, int flag);
    void Clear();

    const DrawnPointTable& m_drawn;
    std::deque<MapLayerItem> m_segments;
    int m_selected = 0;          // number, 0 = none
    int m_selectedAt = -1;       // its position in the list
    int m_lastNearest = -1;
    QRect m_markerBounds;
    QRect m_hitArea;
    int m_farthest = 0;
    int m_penWidth = 1;
    QRegion m_vacated;
};
