// Where a course was drawn: one record per projected point after the first
// (its pixel, the pixel before it, its running distance), and the position on
// the drawn course at a distance, which the lap marks follow.
#pragma once

#include <QPoint>

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

class DrawnPointTable {
public:
    struct Record {
        int x = 0;
        int y = 0;
        int prevX = 0;
        int prevY = 0;
        bool noPosition = true;  // a boundary, a record not drawn, or one drawn at (0, 0)
        int distance = 0;        // metres

        bool operator==(const Record&) const = default;
    };

    // records zeroed records, none of them drawn.
    void Reset(std::size_t records);
    std::size_t Size() const { return m_records.size(); }
    // nullptr past the end.
    Record* At(std::size_t index) { return index < m_records.size() ? &m_records[index] : nullptr; }
    const Record* At(std::size_t index) const { return index < m_records.size() ? &m_records[index] : nullptr; }

    // After drawing: how many records the drawing used; builds the lookups.
    void Finish(std::size_t used);
    std::size_t Used() const { return m_used; }
    // The same records used, drawn at the same places.
    bool SameDrawing(const DrawnPointTable& other) const;

    // The record at or before index that has a drawn position; else the first
    // one that has; -1 when none has.
    int PositionedAtOrBefore(std::size_t index) const;

    // The record for a distance as the walk picks it: records of distance 0
    // are passed over; one with the distance itself is taken; at the first
    // beyond it, the record before that one; past the last, the last used
    // record; -1 when none is used. By bisection where the distances never fall.
    int PickAtDistance(int distance) const;
    // The picked record, then the nearest earlier record with a drawn
    // position. -1 when no record has one.
    int RecordAtDistance(int distance) const { return Resolve(PickAtDistance(distance)); }
    int RecordAtDistanceByScan(int distance) const;  // the walk itself
    std::optional<QPoint> PointAtDistance(int distance) const;

private:
    int Resolve(int picked) const;

    std::vector<Record> m_records;
    std::size_t m_used = 0;
    std::vector<std::pair<int, int>> m_keyed;  // (distance, record) of every used record with a distance
    bool m_ascending = true;
    std::vector<int> m_positioned;             // PositionedAtOrBefore of each used record
    int m_firstPositioned = -1;
};
