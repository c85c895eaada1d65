// The X axis of the graph windows: how many pixels a unit takes in a strip
// of a given width, where its ticks stand and which carry labels, over
// distance (metres, or units of 1600 m for loggers that count so) or over
// time (hundredths of a second, labelled in minutes and seconds).
#pragma once

#include <QString>

#include <vector>

namespace graphs {

struct XAxisRange {
    int mode = 0;               // 0 distance, 1 time
    bool mileUnits = false;     // distance in units of 1600 m
    double pixelsPerUnit = 0.0; // per metre, per 1600 m, or per tenth of a second
    int step = 0;               // metres or hundredths between ticks
    double mileStep = 0.0;      // 0.1, 0.2 or 0.5 units of 1600 m
    double mileSpan = 0.0;
    int minorCount = 1;         // ticks per label
    int labelUnit = 100;        // time: 100, or 50 for half seconds
    int wholeSteps = 0;         // of the zoom start offset
    int remainder = 0;
};

struct XAxisTick {
    int x = 0;
    bool labelled = false;
    QString label;
};

// Computes the range for span units in width pixels; a width or a span
// too small for a scale leaves range as it was and returns false.
bool ComputeXAxisRange(XAxisRange& range, int mode, bool mileUnits, int span, int width, int offset);
// The ticks of the range across width pixels, the view starting at offset and
// running span units (labels only below span + offset).
std::vector<XAxisTick> XAxisTicks(const XAxisRange& range, int span, int offset, int width);
// The label of a time tick at v hundredths: "%2d" seconds, "%d.00" whole minutes, else "%d.%02d".
QString TimeLabel(int hundredths);

} // namespace graphs
