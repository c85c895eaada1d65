#include "graphs/LapOverviewZoom.h"

#include <cmath>

namespace graphs {

namespace {
constexpr int kSmallestSpan = 5;       // one fifth of it is the position grid
constexpr double kInFactor = 0.5;
constexpr double kOutFactor = 0.3;
} // namespace

int LapOverviewZoom::SnapUnit(int d) const {
    const int grid = m_mode == kTime ? 100 : 10;
    const int unit = d / 5;
    return unit > grid ? unit / grid * grid : grid;
}

bool LapOverviewZoom::Start(int fullSpanNow) {
    if (fullSpanNow < kSmallestSpan)
        return false;
    m_fullSpan = fullSpanNow;
    m_span = fullSpanNow;
    m_level = 1;
    m_offset = 0;
    return true;
}

bool LapOverviewZoom::Step(int p, bool out, int fullSpanNow) {
    double factor = out ? kOutFactor : kInFactor;
    int r = p - m_offset;
    if (m_level == 0) {
        if (out || !Start(fullSpanNow))
            return false;
        r = p;
    } else if ((out && m_level == 1) || (!out && m_level >= kDeepestLevel)) {
        Reset();
        return true;
    }
    if (!out && m_span < kSmallestSpan)
        return false;
    const int f = m_span / 5;
    const int d = static_cast<int>(std::trunc(m_span * factor));
    const int k = (f > 0 && r >= f) ? 1 + r / f : 1;
    const int shift = (k - 1) * SnapUnit(d);
    if (!out) {
        m_span -= d;
        m_offset += shift;
        m_level += 1;
        return true;
    }
    m_offset -= shift;
    if (m_offset < (m_mode == kTime ? 50 : 5))
        m_offset = 0;
    m_span += d;
    m_level -= m_mode == kTime ? 2 : 1;
    // Time mode steps down by two and may land on 0 still zoomed, where no zoom-out reaches.
    if (m_level <= 0)
        Reset();
    return true;
}

bool LapOverviewZoom::KeyZoom(bool out, int fullSpanNow) {
    const int e = m_mode == kTime ? 50 : 5;
    if (m_level == 0) {
        if (out || !Start(fullSpanNow))
            return false;
    } else if ((!out && m_span < (m_mode == kTime ? 300 : 10)) || m_fullSpan <= m_span) {
        m_level = kDeepestLevel;
        return false;
    }
    if (!out) {
        m_offset += e;
        m_span -= e;
        return true;
    }
    m_span += e;
    m_offset -= e;
    if (m_offset < 0) {
        m_span += e;
        m_offset = 0;
    }
    return true;
}

int LapOverviewZoom::ScrollStep() const {
    if (m_mode == kTime)
        return m_span > 10000 ? 1000 : m_span > 3000 ? 500 : m_span > 2000 ? 200 : 100;
    return m_span > 1000 ? 100 : m_span > 300 ? 50 : m_span > 200 ? 20 : 10;
}

bool LapOverviewZoom::Scroll(bool forward, int step, int visibleEnd) {
    if (forward) {
        if (m_fullSpan <= visibleEnd)
            return false;
        m_offset += visibleEnd + step > m_fullSpan ? m_fullSpan - visibleEnd : step;
        return true;
    }
    if (m_offset <= 0)
        return false;
    m_offset -= step;
    if (m_offset < 10)
        m_offset = 0;
    return true;
}

bool LapOverviewZoom::KeyScroll(int keyCode, int visibleEnd) {
    return Scroll(keyCode == kKeyRight, ScrollStep(), visibleEnd);
}

bool LapOverviewZoom::DragScroll(bool forward, int amount, int visibleEnd) {
    return Scroll(forward, amount, visibleEnd);
}

} // namespace graphs
