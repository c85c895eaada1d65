#include "coursemap/MapSegmentModel.h"

#include "coursemap/CourseRun.h"

#include <QPolygon>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

// Two triangles whose tips meet at the end point, one either side of the
// course: 12 pixels long across the course, 14 wide along it.
void ComputeMarkers(MapLayerItem& segment) {
    const int x = segment.boundaryPoint.x();
    const int y = segment.boundaryPoint.y();
    // c, s: half the marker across the course; along, alongS: half its base along it.
    int c = 12;
    int s = 0;
    int along = 0;
    int alongS = -7;
    if (segment.lineCase == 0) {
        const double a = std::atan(static_cast<double>(segment.slopeAcross));
        const double b = std::atan(static_cast<double>(segment.slopeAlong));
        c = static_cast<int>(std::cos(a) * 12.0);
        s = static_cast<int>(std::sin(a) * 12.0);
        along = static_cast<int>(std::cos(b) * 7.0);
        alongS = static_cast<int>(std::sin(b) * 7.0);
    } else if (segment.lineCase != 1) {
        c = 0;
        s = 12;
        along = -7;
        alongS = 0;
    }
    segment.triangles[0] = QPolygon({QPoint(x, y), QPoint(x - c + along, y - s + alongS),
                                     QPoint(x - c - along, y - s - alongS)});
    segment.triangles[1] = QPolygon({QPoint(x, y), QPoint(x + c + along, y + s + alongS),
                                     QPoint(x + c - along, y + s - alongS)});
    segment.markerRect = QRect(QPoint(x - c, y - s), QPoint(x + c, y + s));
}

// The box of the two markers as polygon regions give it (right and bottom edges outside).
QRect MarkerBox(const MapLayerItem& segment) {
    QRegion region;
    for (const QPolygon& triangle : segment.triangles)
        region += QRegion(triangle, Qt::WindingFill);
    return region.boundingRect();
}

// The end of a segment at a course point, with that point's line.
void TakeEnd(MapLayerItem& segment, int endIndex, const QPoint& endPoint, const orvelo::LapAnalysisItem& item) {
    segment.endIndex = endIndex;
    segment.boundaryPoint = endPoint;
    orvelo::CoursePoint point;
    if (endIndex >= 0 && static_cast<std::size_t>(endIndex) < item.coursePoints.size())
        point = item.coursePoints[static_cast<std::size_t>(endIndex)];
    segment.endCourse = {point.x, point.y, point.prevX, point.prevY};
    segment.slopeAlong = point.slopeAlong;
    segment.slopeAcross = point.slopeAcross;
    segment.intercept = point.intercept;
    segment.lineCase = point.lineCase;
    ComputeMarkers(segment);
}

}  // namespace

void MapSegmentModel::SetPenWidth(int width) {
    m_penWidth = width;
    for (MapLayerItem& segment : m_segments) {
        Colour(segment);
        segment.dirty = true;
    }
}

void MapSegmentModel::SetHitArea(const QRect& area, int farthest) {
    m_hitArea = area;
    m_farthest = farthest;
}

int MapSegmentModel::Count(const orvelo::LapAnalysisItem& item) const {
    return static_cast<int>(std::min(item.coursePoints.size(), m_drawn.Used()));
}

QPoint MapSegmentModel::Drawn(int index) const {
    const DrawnPointTable::Record* record = index >= 0 ? m_drawn.At(static_cast<std::size_t>(index)) : nullptr;
    return record ? QPoint(record->x, record->y) : QPoint();
}

void MapSegmentModel::Colour(MapLayerItem& segment) const {
    segment.colour = segment.number % 2 != 0 ? kOddColor : kEvenColor;
    segment.pen = CourseRun::Pen(segment.colour, m_penWidth);
}

MapLayerItem MapSegmentModel::MakeSegment(int number, int endDistance, int startIndex, const QPoint& startPoint,
                                          int endIndex, const QPoint& endPoint,
                                          const orvelo::LapAnalysisItem& item) const {
    MapLayerItem segment;
    segment.number = number;
    segment.endDistance = endDistance;
    segment.startIndex = startIndex;
    segment.startPoint = startPoint;
    TakeEnd(segment, endIndex, endPoint, item);
    Colour(segment);
    segment.dirty = true;
    return segment;
}

void MapSegmentModel::Renumber() {
    int number = 0;
    for (MapLayerItem& segment : m_segments) {
        segment.number = ++number;
        Colour(segment);
        segment.dirty = true;
    }
}

void MapSegmentModel::ClearSelection() {
    if (MapLayerItem* selected = Selected()) {
        selected->dirty = true;  // drawn with its own pen again
        selected->markerShown = false;
    }
    m_selected = 0;
    m_selectedAt = -1;
    m_markerBounds = QRect();
}

bool MapSegmentModel::HasSelection() const {
    return m_selected != 0 && m_selectedAt >= 0 && static_cast<std::size_t>(m_selectedAt) < m_segments.size();
}

MapLayerItem* MapSegmentModel::Selected() {
    return HasSelection() ? &m_segments[static_cast<std::size_t>(m_selectedAt)] : nullptr;
}

const MapLayerItem* MapSegmentModel::Selected() const {
    return HasSelection() ? &m_segments[static_cast<std::size_t>(m_selectedAt)] : nullptr;
}

QRegion MapSegmentModel::TakeVacated() {
    QRegion vacated;
    vacated.swap(m_vacated);
    return vacated;
}

void MapSegmentModel::EditSegments(int operation, int flagOrIndex, int distance, const orvelo::LapAnalysisItem& item) {
    switch (operation) {
    case kAppend:
        Append(flagOrIndex, distance, item);
        break;
    case kSplit:
        Split(distance, item);
        break;
    case kDelete:
        Delete(flagOrIndex, distance);
        break;
    case kClear:
        Clear();
        break;
    default:
        break;
    }
    ClearSelection();
}

void MapSegmentModel::Append(int flag, int distance, const orvelo::LapAnalysisItem& item) {
    const int count = Count(item);
    if (count == 0)
        return;
    // The start and finish line: the last course point, drawn at the one before it.
    const int line = std::max(count - 2, 0);
    int number = 1;
    int startIndex = 0;
    QPoint startPoint = Drawn(line);
    QRect drawnArea;
    if (!m_segments.empty() && flag == 0) {
        // The last segment is made again with its end at the distance.
        const MapLayerItem& last = m_segments.back();
        number = last.number;
        startIndex = last.startIndex;
        startPoint = last.startPoint;
        drawnArea = last.drawnArea;
        m_segments.pop_back();
    } else if (!m_segments.empty()) {
        const MapLayerItem& last = m_segments.back();
        number = last.number + 1;
        startIndex = last.endIndex;
        startPoint = last.boundaryPoint;
    }
    QPoint endPoint = Drawn(line);
    const int endIndex = flag != 0 ? count - 1 : PointAtDistance(distance, endPoint);
    m_segments.push_back(MakeSegment(number, distance, startIndex, startPoint, endIndex, endPoint, item));
    m_segments.back().drawnArea = drawnArea;
}

void MapSegmentModel::Split(int distance, const orvelo::LapAnalysisItem& item) {
    MapLayerItem* selected = Selected();
    if (!selected)
        return;
    const int half = (selected->endDistance - distance) / 2;
    const int middle = selected->endDistance - half;
    QPoint point;
    const int index = PointAtDistance(middle, point);
    MapLayerItem after = *selected;
    after.number = selected->number + 1;
    after.startIndex = index;
    after.startPoint = point;
    after.drawnArea = QRect();
    after.markerShown = false;
    Colour(after);
    after.dirty = true;
    selected->endDistance = middle;
    TakeEnd(*selected, index, point, item);
    selected->dirty = true;
    const bool last = static_cast<std::size_t>(m_selectedAt) + 1 == m_segments.size();
    m_segments.insert(m_segments.begin() + m_selectedAt + 1, after);
    if (!last)
        Renumber();
}

void MapSegmentModel::Delete(int index, int flag) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_segments.size())
        return;
    if (m_segments.size() == 1) {
        Clear();
        return;
    }
    const int last = static_cast<int>(m_segments.size()) - 1;
    int neighbour = flag != 0 ? index + 1 : index - 1;
    if (neighbour < 0 || neighbour > last)
        neighbour = flag != 0 ? index - 1 : index + 1;
    const MapLayerItem& removed = m_segments[static_cast<std::size_t>(index)];
    MapLayerItem& taker = m_segments[static_cast<std::size_t>(neighbour)];
    if (neighbour < index) {
        // The one before keeps its start and takes the removed one's end.
        MapLayerItem merged = removed;
        merged.number = taker.number;
        merged.startIndex = taker.startIndex;
        merged.startPoint = taker.startPoint;
        merged.drawnArea = taker.drawnArea;
        taker = merged;
    } else {
        taker.startIndex = removed.startIndex;
        taker.startPoint = removed.startPoint;
    }
    m_vacated += removed.drawnArea;
    m_segments.erase(m_segments.begin() + index);
    Renumber();
}

void MapSegmentModel::Clear() {
    for (const MapLayerItem& segment : m_segments)
        m_vacated += segment.drawnArea;
    m_segments.clear();
}

void MapSegmentModel::BuildSegments(const std::vector<int>& distances, std::vector<int>& indices,
                                    const orvelo::LapAnalysisItem& item) {
    const int count = Count(item);
    if (count == 0)
        return;
    indices.resize(distances.size(), -1);
    int startIndex = 0;
    QPoint startPoint = Drawn(0);
    for (std::size_t k = 0; k < distances.size(); ++k) {
        int end = indices[k];
        if (k + 1 == distances.size())
            end = count - 1;
        else if (end < 0 || end >= count || end <= startIndex)
            end = m_drawn.PickAtDistance(distances[k]);
        indices[k] = end;
        const QPoint endPoint = Drawn(end);
        m_segments.push_back(MakeSegment(static_cast<int>(k) + 1, distances[k], startIndex, startPoint, end,
                                         endPoint, item));
        startIndex = end;
        startPoint = endPoint;
    }
}

void MapSegmentModel::BuildSegmentsFromIndices(const orvelo::LapAnalysisItem& item, const std::vector<int>& indices,
                                               std::vector<int>& distances) {
    Clear();
    distances.clear();
    const int count = Count(item);
    if (count == 0)
        return;
    int startIndex = 0;
    QPoint startPoint = Drawn(0);
    for (std::size_t k = 0; k < indices.size(); ++k) {
        const int end = std::clamp(indices[k], 0, count - 1);
        const int distance = item.coursePoints[static_cast<std::size_t>(end)].cumulativeDistance;
        distances.push_back(distance);
        m_segments.push_back(
            MakeSegment(static_cast<int>(k) + 1, distance, startIndex, startPoint, end, Drawn(end), item));
        startIndex = end;
        startPoint = Drawn(end);
    }
}

void MapSegmentModel::ExportEndIndices(std::vector<int>& indices) const {
    indices.clear();
    for (const MapLayerItem& segment : m_segments)
        indices.push_back(segment.endIndex);
}

void MapSegmentModel::SetEndDistances(const std::vector<int>& distances, const orvelo::LapAnalysisItem& item) {
    const std::size_t count = std::min(m_segments.size(), distances.size());
    for (std::size_t k = 0; k < count; ++k) {
        MapLayerItem& segment = m_segments[k];
        if (segment.endDistance == distances[k])
            continue;
        QPoint point;
        const int index = PointAtDistance(distances[k], point);
        segment.endDistance = distances[k];
        TakeEnd(segment, index, point, item);
        segment.dirty = true;
        if (k + 1 < m_segments.size()) {
            MapLayerItem& next = m_segments[k + 1];
            next.startIndex = index;
            next.startPoint = point;
            if (k + 1 < distances.size())
                next.endDistance = distances[k + 1];
            next.dirty = true;
        }
        return;
    }
}

void MapSegmentModel::RefreshBoundaries(const orvelo::LapAnalysisItem& item) {
    for (MapLayerItem& segment : m_segments) {
        segment.startPoint = Drawn(segment.startIndex);
        TakeEnd(segment, segment.endIndex, Drawn(segment.endIndex), item);
    }
    if (const MapLayerItem* selected = Selected())
        m_markerBounds = MarkerBox(*selected);
}

void MapSegmentModel::ResetSegments() {
    ClearSelection();
    MarkAllDirty();
}

void MapSegmentModel::MarkAllDirty() {
    for (MapLayerItem& segment : m_segments)
        segment.dirty = true;
}

int MapSegmentModel::PointAtDistance(int distance, QPoint& point) const {
    const int index = m_drawn.PickAtDistance(distance);
    point = Drawn(index);
    return index;
}

int MapSegmentModel::NearestCoursePoint(const QPoint& point) {
    if (!m_hitArea.contains(point))
        return -1;
    int best = m_farthest;
    int nearest = -1;
    for (std::size_t i = 0; i < m_drawn.Used(); ++i) {
        const DrawnPointTable::Record& record = *m_drawn.At(i);
        if (record.noPosition)
            continue;
        const int d = std::abs(record.x - point.x()) + std::abs(record.y - point.y());
        if (d < best) {
            best = d;
            nearest = static_cast<int>(i);
        }
    }
    if (nearest >= 0)
        m_lastNearest = nearest;
    return nearest;
}

int MapSegmentModel::SegmentAt(const QPoint& point) {
    const int nearest = NearestCoursePoint(point);
    if (m_segments.empty())
        return -1;
    for (const MapLayerItem& segment : m_segments)
        if (segment.startIndex <= nearest && nearest < segment.endIndex)
            return segment.number;
    return 0;
}

int MapSegmentModel::SelectSegmentAt(int index) {
    int found = -1;
    for (std::size_t k = 0; k < m_segments.size() && found < 0; ++k)
        if (m_segments[k].startIndex <= index && index < m_segments[k].endIndex)
            found = static_cast<int>(k);
    const int number = found >= 0 ? m_segments[static_cast<std::size_t>(found)].number : 0;
    if (number == m_selected)
        return 0;
    ClearSelection();
    if (found < 0)
        return 0;
    m_selected = number;
    m_selectedAt = found;
    MapLayerItem& selected = m_segments[static_cast<std::size_t>(found)];
    selected.dirty = true;
    // The last segment ends at the start and finish line, which does not move.
    selected.markerShown = static_cast<std::size_t>(found) + 1 < m_segments.size();
    m_markerBounds = MarkerBox(selected);
    return number;
}

bool MapSegmentModel::MarkerHit(const QPoint& point) {
    const MapLayerItem* selected = Selected();
    if (!selected)
        return false;
    m_markerBounds = MarkerBox(*selected);
    return m_markerBounds.contains(point);
}

int MapSegmentModel::DragBoundary(const QPoint& point, const orvelo::LapAnalysisItem& item) {
    MapLayerItem* selected = Selected();
    if (!selected || static_cast<std::size_t>(m_selectedAt) + 1 >= m_segments.size())
        return 0;
    // The markers stay in the picture through the drag, also where the end cannot move.
    selected->markerShown = true;
    const int count = Count(item);
    int best = INT_MAX;
    int nearest = -1;
    for (int i = m_lastNearest > kDragLookBack ? m_lastNearest - kDragLookBack : 2; i < count; ++i) {
        const DrawnPointTable::Record& record = *m_drawn.At(static_cast<std::size_t>(i));
        if (record.noPosition)
            continue;
        const int d = std::abs(record.x - point.x()) + std::abs(record.y - point.y());
        if (d < best) {
            best = d;
            nearest = i;
            if (d < 2)
                break;
        }
    }
    if (nearest < 0)
        return 0;
    MapLayerItem& next = m_segments[static_cast<std::size_t>(m_selectedAt) + 1];
    const int startDistance = m_selectedAt > 0 ? m_segments[static_cast<std::size_t>(m_selectedAt) - 1].endDistance : 0;
    const int distance = item.coursePoints[static_cast<std::size_t>(nearest)].cumulativeDistance;
    if (distance >= next.endDistance || nearest >= next.endIndex || distance <= startDistance ||
        nearest <= selected->startIndex)
        return 0;
    if (nearest == selected->endIndex && distance == selected->endDistance)
        return 0;
    const int moved = distance - selected->endDistance;
    selected->endDistance = distance;
    TakeEnd(*selected, nearest, Drawn(nearest), item);
    selected->dirty = true;
    next.startIndex = nearest;
    next.startPoint = Drawn(nearest);
    next.dirty = true;
    // The next step looks around where the end is now, backwards as well as forwards.
    m_lastNearest = nearest;
    m_markerBounds = MarkerBox(*selected);
    return moved;
}
