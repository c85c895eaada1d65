// A slider drawn in one colour: the thumb is a filled ellipse in the base
// colour (checkered with white while it is pressed) and the channel gets a
// 3-D frame in shades of the base colour. The base of the ruler slider and
// the segment editor's slider.
#pragma once

#include "platform/ColorRef.h"

#include <QImage>
#include <QSlider>

class CCustomDrawSliderCtrl : public QSlider {
public:
    static constexpr platform::ColorRef kBaseColor = 0x00FF00;

    explicit CCustomDrawSliderCtrl(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

    platform::ColorRef BaseColor() const { return m_base; }
    // The shades the drawing uses.
    platform::ColorRef LightShade() const { return m_light; }
    platform::ColorRef DarkShade() const { return m_dark; }
    platform::ColorRef OutlineShade() const { return m_outline; }

    QRect ThumbRect() const;
    QRect ChannelRect() const;
    QImage Picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawThumb(QPainter& painter) const;

    platform::ColorRef m_base = kBaseColor;
    platform::ColorRef m_light;    // +500: bottom-right of the channel frame
    platform::ColorRef m_dark;     // -210: top-left of the channel frame
    platform::ColorRef m_outline;  // -333: the thumb's outline
};
