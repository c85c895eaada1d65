// The saved record of one graph window of a work area
// ("WorkArea_Window_Prop_<work area>_<slot>", 40 bytes): its kind, where it
// stood relative to the view's window, and which channels it showed how.
#pragma once

#include "settings/SettingsBytes.h"

#include <cstdint>

struct WorkAreaWindowProp {
    static constexpr std::size_t kSize = 40;
    std::int32_t kind = 0;  // 1 file overview, 2 lap overview
    std::int32_t workAreaNumber = 0;
    std::int32_t slot = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::uint32_t channelMask = 0;
    std::int32_t rows = 0;
    std::int32_t xAxisMode = 0;

    template <class R, class F>
    static constexpr void Fields(R& r, F&& f) {
        f(r.kind), f(r.workAreaNumber), f(r.slot), f(r.left), f(r.top), f(r.right), f(r.bottom);
        f(r.channelMask), f(r.rows), f(r.xAxisMode);
    }
    bool operator==(const WorkAreaWindowProp&) const = default;
};

static_assert(settings_bytes::StoredSize<WorkAreaWindowProp>() == WorkAreaWindowProp::kSize &&
              WorkAreaWindowProp::kSize == 40);
