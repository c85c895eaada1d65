#include "platform/CColorToolTipWnd.h"

#include "platform/GdiDraw.h"

#include <QMouseEvent>
#include <QPainter>

CColorToolTipWnd::CColorToolTipWnd() : QWidget(nullptr), m_font(platform::GdiFont(m_faceName, m_fontHeight, 400)) {
    setObjectName(QStringLiteral("ColorToolTipWnd"));
}

bool CColorToolTipWnd::Create(QWidget* parent) {
    if (m_created)
        return false;
    setParent(parent);
    // Hidden until ShowText, also when the parent is shown after this: a child not hidden on
    // purpose would be shown with it, an empty box.
    hide();
    move(m_position);
    raise();
    m_created = true;
    return true;
}

void CColorToolTipWnd::ShowText(int x, int y, const QString& text) {
    m_position = QPoint(x, y);
    if (text != m_text)
        m_pictureStale = true;
    m_text = text;
    if (!m_created)
        return;
    move(m_position);
    if (isHidden()) {
        show();
        raise();
    }
    update();
}

void CColorToolTipWnd::Hide() {
    if (m_created)
        hide();
}

void CColorToolTipWnd::SetTextFont() {
    m_fontHeight = 14;
    m_font = platform::GdiFont(m_faceName, m_fontHeight, 400);
    m_pictureStale = true;
    update();
}

void CColorToolTipWnd::SetColors(platform::ColorRef background, platform::ColorRef text) {
    m_background = background;
    m_textColor = text;
    m_pictureStale = true;
    update();
}

QImage CColorToolTipWnd::Picture() const {
    if (!m_pictureStale && m_picture.size() == size())
        return m_picture;
    QImage image(size(), QImage::Format_RGB32);
    image.fill(platform::ToQColor(m_background));
    QPainter painter(&image);
    platform::PrepareGdiPainter(painter);
    painter.setPen(platform::GdiPen(kBorder));
    painter.setBrush(Qt::NoBrush);
    platform::GdiRectangle(painter, 0, 0, width(), height());
    painter.setFont(m_font);
    painter.setPen(platform::ToQColor(m_textColor));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, m_text);
    painter.end();
    m_picture = image;
    m_pictureStale = false;
    return image;
}

void CColorToolTipWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}

void CColorToolTipWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_dragging)
        return;
    m_dragging = true;
    m_grabOffset = event->position().toPoint();
    grabMouse();
}

void CColorToolTipWnd::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging)
        return;
    // Follow the cursor: the window keeps the cursor where it was grabbed.
    m_position = pos() + event->position().toPoint() - m_grabOffset;
    move(m_position);
}

void CColorToolTipWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_dragging = false;
    releaseMouse();
}
