// A channel's control: its vertical scale (ChannelScale) and a small strip
// chart of its latest values, newest at the right edge, painted
// double-buffered. Scale panes and the Y-scale dialog use it for their scale.
#pragma once

#include "graphs/ChannelScale.h"

#include "platform/ColorRef.h"

#include <QImage>
#include <QPen>
#include <QWidget>

#include <vector>

class CChannelGraph : public QWidget, public ChannelScale {
public:
    static constexpr platform::ColorRef kDefaultBackground = 0xFFFFFF;
    static constexpr platform::ColorRef kDefaultGrid = 0xA0A0A0;
    static constexpr platform::ColorRef kDefaultLine = 0x0000C0;

    CChannelGraph(AppSettings& settings, orvelo::LapDataCore& core, QWidget* parent = nullptr);

    // Colours and new pens: the grid dotted, the line solid, both 1 pixel.
    virtual void SetColors(platform::ColorRef background, platform::ColorRef grid, platform::ColorRef line);
    // n values of 0 in place of the buffer.
    virtual void SetPointCount(int n);
    // Vertical grid lines.
    virtual void SetGridCount(int n);
    // The smaller is the minimum.
    virtual void SetRange(double a, double b);
    // The oldest value falls off, v comes first; repainted without erasing.
    virtual void AddValue(double v);
    const QImage& Picture() const { return m_buffer; }
    // Background, g grid lines at trunc(i w / (g + 1)), the values as one line
    // from the newest at x = w leftwards; a single value is one pixel at
    // w - 1, and with no range every value lies on the bottom row.
    virtual void Draw(QPainter& painter, int w, int h);

    double RangeMin() const { return m_rangeMin; }
    double RangeMax() const { return m_rangeMax; }
    const std::vector<double>& Values() const { return m_values; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int ValueY(double v, int h) const;
    // Draws the picture again into the buffer that painting copies.
    void Rebuild();

    QPen m_gridPen;
    QPen m_linePen;
    platform::ColorRef m_background = kDefaultBackground;
    platform::ColorRef m_grid = kDefaultGrid;
    platform::ColorRef m_line = kDefaultLine;
    int m_gridCount = 0;
    double m_rangeMin = 0.0;
    double m_rangeMax = 0.0;
    std::vector<double> m_values;
    QImage m_buffer;
};
