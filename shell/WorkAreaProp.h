// The saved record of one work area ("WorkArea_Prop_<n>", 140 bytes): its
// number, how many graph windows it had and which kinds.
#pragma once

#include "settings/SettingsBytes.h"

#include <array>
#include <cstdint>

struct WorkAreaProp {
    static constexpr std::size_t kSize = 140;
    std::int32_t number = 0;
    std::int32_t windowCount = 0;
    std::int32_t kinds = 0;  // bit 0 file overview, bit 1 lap overview
    std::array<std::uint32_t, 32> reserved{};

    template <class R, class F>
    static constexpr void Fields(R& r, F&& f) {
        f(r.number), f(r.windowCount), f(r.kinds), f(r.reserved);
    }
};

static_assert(settings_bytes::StoredSize<WorkAreaProp>() == WorkAreaProp::kSize && WorkAreaProp::kSize == 140);
