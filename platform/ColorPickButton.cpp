#include "platform/ColorPickButton.h"

#include "platform/ControlId.h"
#include "platform/UserMessages.h"

#include <QPainter>
#include <QStyleOptionToolButton>

const CPalleteColorWnd::Cells& ColorPickButton::ButtonCells() {
    // The twenty colours of the desktop's standard palette.
    static const CPalleteColorWnd::Cells cells{
        {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0, 0xC0DCC0, 0xF0CAA6,
         0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF},
        5,
        QStringLiteral("More colors...")};
    return cells;
}

ColorPickButton::ColorPickButton(int controlId, QWidget* parent)
    : QToolButton(parent), m_window(this), m_controlId(controlId) {
    platform::NamedControl(this, controlId);
    m_customColors.fill(0xFFFFFF);
    m_window.On(platform::UM_COLOR_SELECTED, [this](const platform::Message& m) {
        Pick(static_cast<platform::ColorRef>(m.wParam));
        return platform::LResult{0};
    });
    connect(this, &QToolButton::clicked, this, [this] { OpenPalette(); });
}

ColorPickButton::~ColorPickButton() { delete m_palette.data(); }

void ColorPickButton::SetColor(platform::ColorRef color) {
    m_color = color & 0xFFFFFF;
    update();
}

void ColorPickButton::Pick(platform::ColorRef color) {
    SetColor(color);
    if (m_picked)
        m_picked(m_color);
}

void ColorPickButton::OpenPalette() {
    delete m_palette.data();
    m_palette = new CPalleteColorWnd(ButtonCells());
    m_palette->Create(QRect(mapToGlobal(QPoint(0, height())), size()), m_window.Handle(), m_color, &m_customColors,
                      kPaletteWidth);
}

QImage ColorPickButton::Picture() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Button));
    QPainter painter(&image);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    style()->drawComplexControl(QStyle::CC_ToolButton, &option, &painter, this);
    const QRect bar = rect().adjusted(5, 5, -5, -5);
    painter.fillRect(bar, Qt::black);
    painter.fillRect(bar.adjusted(1, 1, -1, -1), platform::ToQColor(m_color));
    return image;
}

void ColorPickButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}
