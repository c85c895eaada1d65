#include "coursemap/DrawnPointTable.h"

#include <algorithm>

void DrawnPointTable::Reset(std::size_t records) {
    m_records.assign(records, Record{});
    m_used = 0;
    m_keyed.clear();
    m_positioned.clear();
    m_ascending = true;
    m_firstPositioned = -1;
}

void DrawnPointTable::Finish(std::size_t used) {
    m_used = std::min(used, m_records.size());
    m_keyed.clear();
    m_positioned.assign(m_used, -1);
    m_firstPositioned = -1;
    m_ascending = true;
    int last = -1;
    for (std::size_t i = 0; i < m_used; ++i) {
        const Record& record = m_records[i];
        if (!record.noPosition) {
            last = static_cast<int>(i);
            if (m_firstPositioned < 0)
                m_firstPositioned = last;
        }
        m_positioned[i] = last;
        if (record.distance != 0) {
            if (!m_keyed.empty() && record.distance < m_keyed.back().first)
                m_ascending = false;
            m_keyed.emplace_back(record.distance, static_cast<int>(i));
        }
    }
}

bool DrawnPointTable::SameDrawing(const DrawnPointTable& other) const {
    return m_used == other.m_used && std::equal(m_records.begin(), m_records.begin() + static_cast<std::ptrdiff_t>(m_used),
                                                other.m_records.begin());
}

int DrawnPointTable::PositionedAtOrBefore(std::size_t index) const {
    if (m_used == 0)
        return -1;
    const int before = m_positioned[std::min(index, m_used - 1)];
    return before >= 0 ? before : m_firstPositioned;
}

int DrawnPointTable::Resolve(int picked) const {
    return picked < 0 ? -1 : PositionedAtOrBefore(static_cast<std::size_t>(picked));
}

namespace {

int PickByScan(const std::vector<DrawnPointTable::Record>& records, std::size_t used, int distance) {
    for (std::size_t i = 0; i < used; ++i) {
        const int d = records[i].distance;
        if (d == 0)
            continue;
        if (d == distance)
            return static_cast<int>(i);
        if (d > distance)
            return i == 0 ? 0 : static_cast<int>(i) - 1;
    }
    return static_cast<int>(used) - 1;
}

}  // namespace

int DrawnPointTable::RecordAtDistanceByScan(int distance) const {
    return Resolve(PickByScan(m_records, m_used, distance));
}

int DrawnPointTable::PickAtDistance(int distance) const {
    if (!m_ascending)
        return PickByScan(m_records, m_used, distance);
    // The walk stops at the first record whose distance reaches the one asked for.
    const auto reached = std::lower_bound(m_keyed.begin(), m_keyed.end(), distance,
                                          [](const std::pair<int, int>& keyed, int d) { return keyed.first < d; });
    if (reached == m_keyed.end())
        return static_cast<int>(m_used) - 1;
    if (reached->first == distance)
        return reached->second;
    return reached->second == 0 ? 0 : reached->second - 1;
}

std::optional<QPoint> DrawnPointTable::PointAtDistance(int distance) const {
    const int index = RecordAtDistance(distance);
    if (index < 0)
        return std::nullopt;
    const Record& record = m_records[static_cast<std::size_t>(index)];
    return QPoint(record.x, record.y);
}
