// Records that travel by pointer with the private messages between the
// subsystems' windows; each keeps its size exactly, since senders and
// receivers copy them whole.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A course shown on a map: map-file path, lap number as text, course name,
// and a set word (1 when filled). 916 bytes.
struct MapInfoBlock {
    static constexpr std::size_t kPathChars = 260;
    static constexpr std::size_t kShortTextChars = 4;
    static constexpr std::size_t kCourseNameChars = 192;

    std::array<char16_t, kPathChars> path{};
    std::array<char16_t, kShortTextChars> shortText{};
    std::array<char16_t, kCourseNameChars> courseName{};
    std::int32_t setFlag = 0;

    // The texts up to their NUL (the whole array when none).
    std::u16string Path() const { return TextOf(path.data(), path.size()); }
    std::u16string ShortText() const { return TextOf(shortText.data(), shortText.size()); }
    std::u16string CourseName() const { return TextOf(courseName.data(), courseName.size()); }

    // Stores text with its NUL; false (field left alone) when it does not fit.
    static bool Put(char16_t* field, std::size_t chars, std::u16string_view text) {
        if (text.size() >= chars)
            return false;
        std::fill(field, field + chars, u'\0');
        std::copy(text.begin(), text.end(), field);
        return true;
    }

private:
    static std::u16string TextOf(const char16_t* field, std::size_t chars) {
        std::size_t length = 0;
        while (length < chars && field[length] != u'\0')
            ++length;
        return std::u16string(field, length);
    }
};
static_assert(sizeof(MapInfoBlock) == 916, "course block is 916 bytes");

// The cursor record of a graph pane: fifteen words whose meaning the graph
// pane gives. 60 bytes.
struct GraphPoint {
    std::array<std::int32_t, 15> words{};
};
static_assert(sizeof(GraphPoint) == 60, "cursor record is 60 bytes");

}  // namespace platform
