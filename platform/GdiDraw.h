// Drawing the way the windows' pictures are specified: GDI pixel rules on a
// QPainter over an RGB32 QImage (no antialiasing). Lines leave out their end
// pixel, a rectangle's outline covers l..r-1 x t..b-1, fonts are asked for by
// face name and cell height. Every custom-drawn window uses these, so screen
// and tests see the same pixels.
#pragma once

#include "platform/ColorRef.h"

#include <QFont>
#include <QPen>
#include <QString>

class QPainter;

namespace platform {

// A solid pen of the given width that, like a GDI pen, leaves out the last
// pixel of a line (flat caps, no antialiasing).
QPen GdiPen(ColorRef color, int width = 1, Qt::PenStyle style = Qt::SolidLine);

// MoveTo(x1, y1) then LineTo(x2, y2): the end point is not painted.
void GdiLine(QPainter& painter, int x1, int y1, int x2, int y2);

// Many lines in one-pixel solid pens, GDI-style, one after another into a
// painter. Where the painter draws into a plain RGB32 image (no clip,
// transform, opacity or antialiasing), a line that is one pixel column or
// row, or runs one column across, has its pixels set directly, the same
// pixels the painter sets; other lines go through the painter.
class GdiLineRun {
public:
    explicit GdiLineRun(QPainter& painter);
    // MoveTo(x1, y1), LineTo(x2, y2) in an opaque colour (alpha ignored).
    void Line(QRgb color, int x1, int y1, int x2, int y2);

private:
    void SetColumn(int x, int y1, int y2, QRgb color);
    void SetRow(int y, int x1, int x2, QRgb color);
    void SetSteepStep(int x1, int y1, int x2, int y2, QRgb color);

    QPainter& m_painter;
    uchar* m_bits = nullptr; // of the image, while its pixels may be set directly
    qsizetype m_stride = 0;
    int m_width = 0;
    int m_height = 0;
    QRgb m_penColor = 0;
    bool m_penSet = false;
};

// Rectangle(l, t, r, b): outline with the painter's pen over l..r-1 x t..b-1,
// inside filled with its brush.
void GdiRectangle(QPainter& painter, int left, int top, int right, int bottom);

// FillRect(l, t, r, b): l..r-1 x t..b-1 in one colour.
void GdiFillRect(QPainter& painter, int left, int top, int right, int bottom, ColorRef color);

// DrawFocusRect(l, t, r, b): the outline l..r-1 x t..b-1 dotted by inverting the pixels whose
// x + y is even, so it shows on any colour and drawing it twice takes it away.
void GdiFocusRect(QPainter& painter, int left, int top, int right, int bottom);

// A font by GDI face name and height: a positive height is the cell height
// (ascent plus descent), a negative one the character height in pixels, 0 the
// default size. Weight as in GDI (400 normal, 700 bold). Faces this platform
// lacks are replaced by metric-compatible ones where installed.
QFont GdiFont(const QString& face, int height, int weight = 400);

// The cell height of a font in pixels (GDI's tmHeight).
int CellHeight(const QFont& font);

// Sets up a painter on an image the way the drawing code expects: no
// antialiasing, no text antialiasing.
void PrepareGdiPainter(QPainter& painter);

}  // namespace platform
