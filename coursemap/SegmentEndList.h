// The segment ends of the map segment edit view: ascending distances along the course in whole
// metres, entry k - 1 the end of segment k (segment 1 starts at 0), the last the course end. The
// edits the user makes on them, each giving the renderer's edits (MapSegmentModel operations)
// that keep its segments in step, or refusing and changing nothing.
#pragma once

#include "core/LapData.h"

#include <vector>

class SegmentEndList {
public:
    // One call of the renderer's EditSegments.
    struct RendererEdit {
        int operation;
        int flagOrIndex;
        int distance;
        bool operator==(const RendererEdit&) const = default;
    };
    using Edits = std::vector<RendererEdit>;

    const std::vector<int>& Ends() const { return m_ends; }
    int Count() const { return static_cast<int>(m_ends.size()); }
    void Assign(std::vector<int> ends) { m_ends = std::move(ends); }
    void Clear() { m_ends.clear(); }
    // Segment k's start (0 for the first) and length; k from 1 to Count().
    int Start(int k) const { return k <= 1 ? 0 : m_ends[static_cast<std::size_t>(k - 2)]; }
    int Length(int k) const { return m_ends[static_cast<std::size_t>(k - 1)] - Start(k); }

    // Add: the selected segment k (0 for none) is cut at its middle, start + len - len / 2; with
    // none the last segment at start + len / 2 and the course end appended (with no segments: two
    // halves of length). Refused (no edits) for a segment under 2 m, which would give two ends at one point.
    Edits Add(int selected, int courseLength);
    // Clear: the selected segment merged into a neighbour (the next when it is longer than the
    // next, or the first; else the one before); with none, or when it is the only one, no segments.
    Edits Clear(int selected);
    // The length of segment k typed in: 1 done, 0 the same length, -1 refused (k outside 1 to
    // Count(), length below 1, past the next end or the course end; the only segment). The last
    // segment's end stays at the course end: its start moves instead.
    int ChangeLength(int k, int length, int courseLength);
    // Segment k's end moved by delta along the course (a drag); false, unchanged, when it would
    // reach the next end.
    bool MoveEnd(int k, int delta);

    // The end course points of automatic segmentation into lengths of about length metres: the
    // first point at or past each multiple of length while more than the tail (50 m for a course
    // of 1000 m or less, else 100 m) remains, then the last course point, once, with no two ends at
    // one distance. Nothing for a length below 1 or a course without points.
    static std::vector<int> AutoSegmentEnds(const orvelo::ChunkedList<orvelo::CoursePoint>& points, int courseLength,
                                            int length);

private:
    std::vector<int> m_ends;
};
