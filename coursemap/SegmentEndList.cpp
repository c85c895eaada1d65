#include "coursemap/SegmentEndList.h"

#include "coursemap/MapSegmentModel.h"

namespace {
// A segment shorter than this cannot be cut without two ends at one point.
constexpr int kShortestCut = 2;
}  // namespace

SegmentEndList::Edits SegmentEndList::Add(int selected, int courseLength) {
    const int n = Count();
    if (selected >= 1 && selected <= n) {
        const int start = Start(selected);
        const int length = Length(selected);
        if (length < kShortestCut)
            return {};
        m_ends.insert(m_ends.begin() + (selected - 1), start + (length - length / 2));
        return {{MapSegmentModel::kSplit, 0, start}};
    }
    if (n == 0) {
        if (courseLength < kShortestCut)
            return {};
        m_ends = {courseLength - courseLength / 2, courseLength};
        return {{MapSegmentModel::kAppend, 0, m_ends[0]}, {MapSegmentModel::kAppend, 1, courseLength}};
    }
    const int start = Start(n);
    const int length = Length(n);
    if (length < kShortestCut)
        return {};
    m_ends.back() = start + length / 2;
    m_ends.push_back(courseLength);
    return {{MapSegmentModel::kAppend, 0, m_ends[static_cast<std::size_t>(n - 1)]},
            {MapSegmentModel::kAppend, 1, courseLength}};
}

SegmentEndList::Edits SegmentEndList::Clear(int selected) {
    const int n = Count();
    if (selected < 1 || selected > n || n == 1) {
        m_ends.clear();
        return {{MapSegmentModel::kClear, 0, 0}};
    }
    const bool intoNext = selected == 1 || (selected < n && Length(selected) > Length(selected + 1));
    // Into the next: this end goes. Into the one before: that one's end takes this end, which is
    // the same as removing that one's end.
    const int removed = intoNext ? selected - 1 : selected - 2;
    m_ends.erase(m_ends.begin() + removed);
    // The renderer carries the merge flag in the distance argument.
    return {{MapSegmentModel::kDelete, selected - 1, intoNext ? 1 : 0}};
}

int SegmentEndList::ChangeLength(int k, int length, int courseLength) {
    const int n = Count();
    if (k < 1 || k > n || length < 1)
        return -1;
    const int start = Start(k);
    const int old = Length(k);
    if (length == old)
        return 0;
    if (k < n) {
        if (start + length >= m_ends[static_cast<std::size_t>(k)])
            return -1;
        m_ends[static_cast<std::size_t>(k - 1)] = start + length;
        return 1;
    }
    // The last segment ends at the course end, which does not move; the only one has no start to move.
    if (n == 1 || start + length >= courseLength)
        return -1;
    int& startEnd = m_ends[static_cast<std::size_t>(k - 2)];
    const int newStart = startEnd - (length - old);
    if (length > old && newStart <= Start(k - 1))
        return -1;
    startEnd = newStart;
    return 1;
}

bool SegmentEndList::MoveEnd(int k, int delta) {
    if (k < 1 || k >= Count())
        return false;
    const int moved = m_ends[static_cast<std::size_t>(k - 1)] + delta;
    if (moved >= m_ends[static_cast<std::size_t>(k)] || moved <= Start(k))
        return false;
    m_ends[static_cast<std::size_t>(k - 1)] = moved;
    return true;
}

std::vector<int> SegmentEndList::AutoSegmentEnds(const orvelo::ChunkedList<orvelo::CoursePoint>& points,
                                                 int courseLength, int length) {
    std::vector<int> ends;
    if (length < 1 || points.empty())
        return ends;
    const int tail = courseLength <= 1000 ? 50 : 100;
    long long threshold = length;
    long long remaining = static_cast<long long>(courseLength) - length;
    int lastDistance = 0;
    int index = 0;
    for (const orvelo::CoursePoint& point : points) {
        if (point.cumulativeDistance >= threshold && point.cumulativeDistance > lastDistance) {
            if (tail >= remaining)
                break;
            ends.push_back(index);
            lastDistance = point.cumulativeDistance;
            threshold += length;
            remaining -= length;
        }
        ++index;
    }
    // The course end closes the last segment, once: an end at or past its distance gives way to it.
    const int last = static_cast<int>(points.size()) - 1;
    while (!ends.empty() && (ends.back() == last || points[static_cast<std::size_t>(ends.back())].cumulativeDistance >=
                                                       points.back().cumulativeDistance))
        ends.pop_back();
    ends.push_back(last);
    return ends;
}
