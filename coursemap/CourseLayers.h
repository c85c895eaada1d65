// The layers a course map is drawn in and their composition: a background
// layer, a course layer (black is transparent in it), an extra layer (white,
// with the black lines of course colours that are themselves black) and the
// composed picture. The course renderers draw into the layers and put further
// layers (lap marks, segments) over the composed picture.
#pragma once

#include "platform/ColorRef.h"

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

namespace orvelo {
struct CoursePoint;
}

class CourseLayers {
public:
    // Every layer at the size: background and course filled with the
    // background colour, the extra layer white, the composed picture the background.
    void Create(const QSize& size, platform::ColorRef background);

    QImage& Background() { return m_background; }
    QImage& Course() { return m_course; }
    QImage& Extra() { return m_extra; }
    const QImage& Composed() const { return m_composed; }
    QSize Size() const { return m_background.size(); }

    // Composed = the background where the course layer is black, the course
    // elsewhere (a mask of the course ANDed, the course ORed); with
    // withExtra, ANDed with the extra layer.
    void Compose(bool withExtra);

    // Text in the course layer, its top-left at at, on the background colour.
    void WriteText(const QPoint& at, const QFont& font, platform::ColorRef color, const QString& text);
    // The start and finish mark centred on at, across the course by the line
    // case of the course point lineOf: half length (markSize + 4) / 2.
    void DrawPositionMark(const QPoint& at, int markSize, const orvelo::CoursePoint& lineOf,
                          platform::ColorRef color, int width);

private:
    QImage m_background;
    QImage m_course;
    QImage m_extra;
    QImage m_composed;
    platform::ColorRef m_backgroundColor = 0;
};
