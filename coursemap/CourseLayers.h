// The layers a course map is drawn in and their composition: a background
// layer, a course layer (black is transparent in it), an extra layer (white,
// with the black lines of course colours that are themselves black) and the
// composed picture. The course renderers draw into the layers and put further
// layers (lap marks, segments) over the composed picture.
#pragma once

#include "platform/ColorRef.h"

#include <QImage>
#include <QSize>

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

private:
    QImage m_background;
    QImage m_course;
    QImage m_extra;
    QImage m_mask;
    QImage m_composed;
};
