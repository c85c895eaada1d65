#include "platform/CStaticColorSel.h"

#include "platform/ControlId.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

CStaticColorSel::CStaticColorSel(int controlId, platform::WindowHandle dialog, QWidget* parent)
    : QWidget(parent), m_window(this), m_controlId(controlId), m_dialog(dialog) {
    platform::NamedControl(this, controlId);
    setFocusPolicy(Qt::ClickFocus);
    m_window.On(platform::UM_COLOR_SELECTED, [this](const platform::Message& m) {
        SetColor(static_cast<platform::ColorRef>(m.wParam));
        platform::PostMessage(m_dialog, platform::UM_COLOR_SELECTED, m_color, m_controlId);
        return platform::LResult{0};
    });
}

CStaticColorSel::~CStaticColorSel() {
    // A palette still open goes with its swatch; one that closed itself is already gone.
    delete m_palette.data();
}

void CStaticColorSel::SetColor(platform::ColorRef color) {
    m_color = color & 0xFFFFFF;
    update();
}

void CStaticColorSel::OpenPalette() {
    delete m_palette.data();
    m_palette = new CPalleteColorWnd();
    m_palette->Create(QRect(mapToGlobal(QPoint(0, 0)), size()), m_window.Handle(), m_color, nullptr,
                      CPalleteColorWnd::kStandardWidth);
}

QImage CStaticColorSel::Picture() const {
    QImage image(size(), QImage::Format_RGB32);
    QPainter painter(&image);
    const QBrush fill(platform::ToQColor(m_color));
    qDrawWinPanel(&painter, rect(), palette(), true, &fill);
    return image;
}

void CStaticColorSel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}

void CStaticColorSel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    OpenPalette();
}
