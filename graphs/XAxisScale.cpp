#include "graphs/XAxisScale.h"

#include <cmath>

namespace graphs {

namespace {

constexpr double kMileMetres = 1600.0;
constexpr double kLargestStep = 1.0e8;
constexpr int kMaxTicks = 20000;

struct StepChoice {
    int step;
    int minor;
};

// The smallest multiple of 10 metres that spans at least 5 pixels; 0 when none is reasonable.
int WidestTenMetres(double p) {
    if (p <= 0.0 || 5.0 / p > kLargestStep)
        return 0;
    int n = static_cast<int>(std::ceil(5.0 / p / 10.0)) * 10;
    if (n < 10)
        n = 10;
    while (n > 10 && std::trunc((n - 10) * p) >= 5.0)
        n -= 10;
    while (std::trunc(n * p) < 5.0)
        n += 10;
    return n;
}

StepChoice FineRule(double p, int k) {
    const double r = std::trunc(p * k);
    if (r >= 50.0)
        return {k == 10 ? 2 : 1, 5};
    if (r >= 30.0)
        return {5, 2};
    if (r >= 20.0)
        return {5, 4};
    if (r >= 10.0)
        return {10, 5};
    if (r >= 5.0)
        return {20, 5};
    return {50, 2};
}

bool TimeRange(XAxisRange& range, int span, int width) {
    if (span < 10)
        return false;
    const double p = width / (span / 10.0);
    int unit = 100;
    StepChoice choice{100, 5};
    if (span > 15000) {
        choice = {3000, 1};
    } else if (span > 12000) {
        choice = {1000, 1};
    } else if (span > 6000) {
        choice = {500, 2};
    } else if (span > 4000) {
        choice = {200, 5};
    } else {
        const double q = std::trunc(p * 10.0);
        const double fine = span > 2000 ? 40.0 : 50.0;
        if (q >= fine)
            choice = {50, 2}, unit = 50;
        else if (q >= 20.0)
            choice = {50, 4}, unit = 50;
    }
    range.pixelsPerUnit = p;
    range.step = choice.step;
    range.minorCount = choice.minor;
    range.labelUnit = unit;
    return true;
}

bool MetreRange(XAxisRange& range, int span, int width) {
    const double p = static_cast<double>(width) / span;
    StepChoice choice{};
    if (span >= 2000) {
        const int n = WidestTenMetres(p);
        if (n == 0)
            return false;
        if (span <= 5000)
            choice = {n < 100 ? 100 : n / 100 * 100, 5};
        else if (n >= 500)
            choice = {n / 500 * 500, 1};
        else if (n >= 250)
            choice = {500, 1};
        else if (n >= 100)
            choice = {200, 5};
        else
            choice = {100, 5};
    } else {
        choice = FineRule(p, span < 100 ? 5 : 10);
    }
    range.pixelsPerUnit = p;
    range.step = choice.step;
    range.minorCount = choice.minor;
    return true;
}

bool MileRange(XAxisRange& range, int span, int width) {
    const double s = span / kMileMetres;
    range.pixelsPerUnit = width / s;
    range.mileSpan = s;
    if (s > 3.0)
        range.mileStep = 0.5, range.minorCount = 1;
    else if (s >= 1.0)
        range.mileStep = 0.2, range.minorCount = 5;
    else
        range.mileStep = 0.1, range.minorCount = 5;
    return true;
}

} // namespace

bool ComputeXAxisRange(XAxisRange& range, int mode, bool mileUnits, int span, int width, int offset) {
    if (width <= 0 || span <= 0)
        return false;
    XAxisRange next = range;
    next.mode = mode;
    next.mileUnits = mode == 0 && mileUnits;
    const bool ok = mode == 1 ? TimeRange(next, span, width)
                    : next.mileUnits ? MileRange(next, span, width)
                                     : MetreRange(next, span, width);
    if (!ok)
        return false;
    next.wholeSteps = next.remainder = 0;
    if (offset > 0 && next.step > 0 && !next.mileUnits) {
        next.wholeSteps = offset / next.step;
        next.remainder = offset % next.step;
    }
    range = next;
    return true;
}

QString TimeLabel(int hundredths) {
    const int seconds = hundredths / 100;
    if (seconds < 60)
        return QString::asprintf("%2d", seconds);
    if (seconds % 60 == 0)
        return QString::asprintf("%d.00", seconds / 60);
    return QString::asprintf("%d.%02d", seconds / 60, seconds % 60);
}

std::vector<XAxisTick> XAxisTicks(const XAxisRange& range, int span, int offset, int width) {
    std::vector<XAxisTick> ticks;
    if (range.pixelsPerUnit <= 0.0 || width <= 0)
        return ticks;
    const int minor = range.minorCount > 0 ? range.minorCount : 1;
    if (range.mileUnits) {
        if (range.mileStep <= 0.0)
            return ticks;
        const double start = offset / kMileMetres;
        for (long long i = static_cast<long long>(std::ceil(start / range.mileStep - 1e-9)); ticks.size() < kMaxTicks; ++i) {
            const int x = static_cast<int>(std::trunc((i * range.mileStep - start) * range.pixelsPerUnit));
            if (x >= width)
                break;
            const bool labelled = i % minor == 0;
            ticks.push_back({x, labelled, labelled ? QString::asprintf("%f", i * range.mileStep) : QString()});
        }
        return ticks;
    }
    if (range.step <= 0)
        return ticks;
    const long long first = range.wholeSteps + (range.remainder > 0 ? 1 : 0);
    const double perUnit = range.mode == 1 ? range.pixelsPerUnit / 10.0 : range.pixelsPerUnit;
    for (long long i = first; ticks.size() < kMaxTicks; ++i) {
        const long long value = i * range.step;
        const int x = static_cast<int>(std::trunc((value - offset) * perUnit));
        if (x >= width)
            break;
        bool labelled = i % minor == 0;
        QString label;
        if (range.mode == 1) {
            labelled = labelled && i > 0;
            if (labelled)
                label = TimeLabel(static_cast<int>(value));
        } else if (labelled && value < static_cast<long long>(span) + offset) {
            label = QString::asprintf("%d", static_cast<int>(value));
        }
        ticks.push_back({x, labelled, label});
    }
    return ticks;
}

} // namespace graphs
