// The colours and pens a course renderer draws with, from its map properties:
// the course colours that take turns at boundaries, the background, the
// label colour, the start and finish mark's pen and the course pen width.
#pragma once

#include "coursemap/CourseRun.h"

#include "platform/ColorRef.h"
#include "settings/SettingsRecords.h"

#include <algorithm>

class CourseStyle {
public:
    static constexpr int kMaxCourseColors = 6;

    // Words 0.. the course colours, 6 background, 7 label colour, 8 the
    // mark's pen (then 2 pixels wide), 9 the pen width, 11 extra layer shown.
    void Apply(const MapViewProperty& property) {
        m_property = property;
        m_markPenWidth = 2;
    }
    // How many of the course colours take turns (1 to 6).
    void SetCourseColorCount(int count) { m_courseColorCount = std::clamp(count, 1, kMaxCourseColors); }

    const MapViewProperty& Property() const { return m_property; }
    platform::ColorRef CourseColor(int turn) const {
        return m_property.words[static_cast<std::size_t>(turn % m_courseColorCount)];
    }
    platform::ColorRef Background() const { return m_property.words[6]; }
    platform::ColorRef LabelColor() const { return m_property.words[7]; }
    platform::ColorRef MarkPenColor() const { return m_property.words[8]; }
    int MarkPenWidth() const { return m_markPenWidth; }
    int PenWidth() const {
        return static_cast<int>(std::min<std::uint32_t>(m_property.words[9], CourseRun::kMaxPenWidth));
    }
    bool ExtraShown() const { return m_property.words[11] != 0; }

private:
    // Until map properties are applied: a black background and the mark's pen colour.
    MapViewProperty m_property{{0, 0, 0, 0, 0, 0, 0x000000, 0x566D34, 0x8000FF, 0, 0, 0, 0}};
    int m_markPenWidth = 0;
    int m_courseColorCount = 3;
};
