// Little-endian field coding for the records of the settings store: each
// record lists its fields once, and these turn the list into bytes and back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace settings_bytes {

inline std::uint8_t* Put(std::uint8_t* p, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        *p++ = static_cast<std::uint8_t>(value >> (8 * i));
    return p;
}
inline std::uint8_t* Put(std::uint8_t* p, std::int32_t value) {
    return Put(p, static_cast<std::uint32_t>(value));
}
inline std::uint8_t* Put(std::uint8_t* p, char16_t value) {
    *p++ = static_cast<std::uint8_t>(value & 0xFF);
    *p++ = static_cast<std::uint8_t>(value >> 8);
    return p;
}
template <class T, std::size_t N>
std::uint8_t* Put(std::uint8_t* p, const std::array<T, N>& values) {
    for (const T& value : values)
        p = Put(p, value);
    return p;
}

inline const std::uint8_t* Get(const std::uint8_t* p, std::uint32_t* value) {
    *value = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
             (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return p + 4;
}
inline const std::uint8_t* Get(const std::uint8_t* p, std::int32_t* value) {
    std::uint32_t word = 0;
    p = Get(p, &word);
    *value = static_cast<std::int32_t>(word);
    return p;
}
inline const std::uint8_t* Get(const std::uint8_t* p, char16_t* value) {
    *value = static_cast<char16_t>(p[0] | (p[1] << 8));
    return p + 2;
}
template <class T, std::size_t N>
const std::uint8_t* Get(const std::uint8_t* p, std::array<T, N>* values) {
    for (T& value : *values)
        p = Get(p, &value);
    return p;
}

constexpr std::size_t SizeOf(std::uint32_t) { return 4; }
constexpr std::size_t SizeOf(std::int32_t) { return 4; }
constexpr std::size_t SizeOf(char16_t) { return 2; }
template <class T, std::size_t N>
constexpr std::size_t SizeOf(const std::array<T, N>&) { return N * SizeOf(T{}); }

// Bytes a record takes when stored: the sum of its listed fields.
template <class Rec>
constexpr std::size_t StoredSize() {
    std::size_t size = 0;
    const Rec rec{};
    Rec::Fields(rec, [&size](const auto& field) { size += SizeOf(field); });
    return size;
}

template <class Rec>
std::array<std::uint8_t, Rec::kSize> Encode(const Rec& rec) {
    std::array<std::uint8_t, Rec::kSize> bytes{};
    std::uint8_t* p = bytes.data();
    Rec::Fields(rec, [&p](const auto& field) { p = Put(p, field); });
    return bytes;
}

// bytes holds Rec::kSize bytes.
template <class Rec>
Rec Decode(const std::uint8_t* bytes) {
    Rec rec{};
    Rec::Fields(rec, [&bytes](auto& field) { bytes = Get(bytes, &field); });
    return rec;
}

}  // namespace settings_bytes
