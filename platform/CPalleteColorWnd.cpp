#include "platform/CPalleteColorWnd.h"

#include "platform/MessageBus.h"
#include "platform/SystemColors.h"
#include "platform/UserMessages.h"
#include "platform/WindowPlacement.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>

using platform::ColorRef;

namespace {
constexpr int kCellOrigin = 3;
constexpr int kCellPitch = 18;
constexpr int kCellSize = 14;
constexpr int kButtonLeft = 6;
constexpr int kButtonRightMargin = 8;
constexpr int kButtonHeight = 35;
}  // namespace

const CPalleteColorWnd::Cells& CPalleteColorWnd::StandardCells() {
    static const Cells cells{{0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                              0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF},
                             8,
                             QStringLiteral("Custom colors...")};
    return cells;
}

CPalleteColorWnd::CPalleteColorWnd(Cells cells) : QWidget(nullptr, Qt::Popup), m_cells(std::move(cells)) {
    setObjectName(QStringLiteral("DropColorPaletteWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    m_cells.columns = std::max(1, m_cells.columns);
}

int CPalleteColorWnd::Rows() const {
    const int count = static_cast<int>(m_cells.colors.size());
    return (count + m_cells.columns - 1) / m_cells.columns;
}

QRect CPalleteColorWnd::CellRect(int index) const {
    return QRect(kCellOrigin + kCellPitch * (index % m_cells.columns),
                 kCellOrigin + kCellPitch * (index / m_cells.columns), kCellSize, kCellSize);
}

QRect CPalleteColorWnd::ButtonRect() const {
    const int top = 1 + kCellPitch * Rows();
    return QRect(QPoint(kButtonLeft, top), QPoint(width() - kButtonRightMargin - 1, top + kButtonHeight - 1));
}

int CPalleteColorWnd::CellAt(const QPoint& point) const {
    for (int i = 0; i < static_cast<int>(m_cells.colors.size()); ++i) {
        if (CellRect(i).contains(point))
            return i;
    }
    return -1;
}

void CPalleteColorWnd::Create(const QRect& openerScreenRect, platform::WindowHandle resultWindow, ColorRef current,
                              platform::CustomColors* customColors, int width) {
    m_resultWindow = resultWindow;
    m_current = current;
    m_customColors = customColors ? customColors : &platform::SharedCustomColors();
    resize(width, 1 + kCellPitch * Rows() + kButtonHeight);
    const QRect wanted(openerScreenRect.topLeft(), size());
    setGeometry(platform::OnScreen(wanted, wanted));
    show();
}

QImage CPalleteColorWnd::Picture() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(platform::ToQColor(platform::SystemColor(platform::kColorBtnFace)));
    QPainter painter(&image);
    for (int i = 0; i < static_cast<int>(m_cells.colors.size()); ++i) {
        const QBrush fill(platform::ToQColor(m_cells.colors[static_cast<std::size_t>(i)]));
        qDrawWinPanel(&painter, CellRect(i), palette(), i == m_hotCell, &fill);
    }
    const QRect button = ButtonRect();
    qDrawWinPanel(&painter, button, palette(), m_hotButton, nullptr);
    painter.setFont(font());
    painter.setPen(platform::ToQColor(platform::SystemColor(platform::kColorBtnText)));
    painter.drawText(button, Qt::AlignCenter | Qt::TextSingleLine, m_cells.buttonText);
    return image;
}

void CPalleteColorWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}

void CPalleteColorWnd::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const int cell = CellAt(point);
    const bool onButton = ButtonRect().contains(point);
    if (cell != m_hotCell || onButton != m_hotButton) {
        m_hotCell = cell;
        m_hotButton = onButton;
        update();
    }
}

void CPalleteColorWnd::leaveEvent(QEvent*) {
    if (m_hotCell >= 0 || m_hotButton) {
        m_hotCell = -1;
        m_hotButton = false;
        update();
    }
}

void CPalleteColorWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    const int cell = CellAt(point);
    if (cell >= 0)
        Choose(m_cells.colors[static_cast<std::size_t>(cell)]);
    else if (ButtonRect().contains(point))
        ChooseCustom();
}

void CPalleteColorWnd::Choose(ColorRef color) {
    m_current = color;
    platform::PostMessage(m_resultWindow, platform::UM_COLOR_SELECTED, color, 0);
    close();
}

void CPalleteColorWnd::ChooseCustom() {
    m_colorDialogOpen = true;
    hide();
    platform::SharedCustomColors()[0] = m_current;
    const std::optional<ColorRef> chosen = platform::ChooseColor(nullptr, m_current, *m_customColors);
    m_colorDialogOpen = false;
    if (chosen)
        Choose(*chosen);
    else
        close();
}
