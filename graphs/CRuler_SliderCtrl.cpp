#include "graphs/CRuler_SliderCtrl.h"

#include "platform/CColorToolTipWnd.h"
#include "platform/GdiDraw.h"
#include "platform/MessageBus.h"
#include "platform/SystemColors.h"
#include "platform/UserMessages.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace platform;

namespace {
constexpr int kThumbThickness = 3;
constexpr int kToolTipWidth = 48;
constexpr int kToolTipHeight = 20;

int Clamp16(int value) { return std::clamp(value, -32768, 32767); }
}  // namespace

CRuler_SliderCtrl::CRuler_SliderCtrl(bool vertical, QWidget* parent)
    : QWidget(parent), m_window(this), m_vertical(vertical), m_tip(new CColorToolTipWnd) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_tip->Create(this);
    m_tip->resize(kToolTipWidth, kToolTipHeight);
    m_window.On(UM_ACTIVATE_LAP_OVERVIEW_WINDOW, [this](const Message&) {
        Redraw();
        return LResult{1};
    });
}

void CRuler_SliderCtrl::SetRange(int low, int high, int step, int full, int floor) {
    m_full = Clamp16(std::max(full, 0));
    m_step = std::max(step, 1);
    m_floor = Clamp16(std::min(floor, m_full));
    m_high = std::clamp(Clamp16(high), m_floor, m_full);
    m_low = std::clamp(Clamp16(low), m_floor, m_high);
    PlaceThumbs();
    Redraw();
}

void CRuler_SliderCtrl::SetTicks(std::vector<graphs::ScaleTick> ticks, bool tenths) {
    m_ticks = std::move(ticks);
    m_tenths = tenths;
    Redraw();
}

// A zero range or a zero-size ruler puts every value at the origin.
int CRuler_SliderCtrl::PositionOf(double value) const {
    const int length = Length();
    if (m_full <= 0 || length <= 0)
        return m_vertical ? std::max(length - 1, 0) : 0;
    const int offset = static_cast<int>(std::lround(value * (length - 1) / m_full));
    return m_vertical ? length - 1 - offset : offset;
}

int CRuler_SliderCtrl::ValueAt(int position) const { return static_cast<int>(std::lround(ExactValueAt(position))); }

double CRuler_SliderCtrl::ExactValueAt(int position) const {
    const int length = Length();
    if (m_full <= 0 || length <= 1)
        return 0.0;
    const int offset = m_vertical ? length - 1 - position : position;
    return static_cast<double>(offset) * m_full / (length - 1);
}

void CRuler_SliderCtrl::PlaceThumbs() {
    m_lowPos = PositionOf(m_low);
    m_highPos = PositionOf(m_high);
}

bool CRuler_SliderCtrl::ToolTipShown() const { return m_tip->isVisible(); }

QString CRuler_SliderCtrl::ToolTipText() const { return m_tip->Text(); }

bool CRuler_SliderCtrl::NearThumb(int position) const {
    return std::abs(position - m_lowPos) <= kGrabDistance || std::abs(position - m_highPos) <= kGrabDistance;
}

void CRuler_SliderCtrl::mousePressEvent(QMouseEvent* event) {
    const int position = Along(event->position().toPoint());
    m_dragging = true;
    m_pressPosition = position;
    m_highGrabbed = std::abs(position - m_highPos) <= kGrabDistance;
    m_lowGrabbed = std::abs(position - m_lowPos) <= kGrabDistance;
    if (m_highGrabbed || m_lowGrabbed)
        setCursor(m_vertical ? Qt::SizeVerCursor : Qt::SizeHorCursor);
}

// "Beyond" is upwards on a vertical ruler, whose positions grow downwards.
void CRuler_SliderCtrl::MoveThumbs(int position) {
    const int length = Length();
    if (position < 0 || position >= length)
        return;
    const auto beyond = [this](int a, int b) { return m_vertical ? a < b : a > b; };
    const int mirror = length - 1 - position;
    if (m_highGrabbed && beyond(position, m_lowPos)) {
        m_highPos = position;
        if (m_inverted)
            m_lowPos = mirror;
    } else if (m_lowGrabbed && beyond(m_highPos, position)) {
        m_lowPos = position;
        if (m_inverted)
            m_highPos = mirror;
    }
}

void CRuler_SliderCtrl::mouseMoveEvent(QMouseEvent* event) {
    const int position = Along(event->position().toPoint());
    if (!m_dragging) {
        if (NearThumb(position))
            setCursor(m_vertical ? Qt::SizeVerCursor : Qt::SizeHorCursor);
        else
            unsetCursor();
        return;
    }
    // Both thumbs under the press: the first move's direction says which one the user means.
    if (m_highGrabbed && m_lowGrabbed && position != m_pressPosition) {
        m_highGrabbed = m_vertical ? position < m_pressPosition : position > m_pressPosition;
        m_lowGrabbed = !m_highGrabbed;
    }
    MoveThumbs(position);
    ShowValueTip(position);
    Redraw();
}

// The G channels' values are whole units on a scale labelled in tenths of them: the tip reads the
// place as the labels do.
void CRuler_SliderCtrl::ShowValueTip(int position) {
    const QString text =
        m_tenths ? QString::asprintf("%1.1f", ExactValueAt(position)) : QString::number(ValueAt(position));
    const int along = std::clamp(position - kToolTipHeight / 2, 0, std::max(Length() - kToolTipHeight, 0));
    m_tip->ShowText(m_vertical ? 0 : along, m_vertical ? along : 0, text);
}

// High snaps down to the step, low up to it, each within its bounds.
void CRuler_SliderCtrl::SnapThumbs() {
    if (m_highGrabbed) {
        int value = ValueAt(m_highPos) / m_step * m_step;
        value = std::clamp(value, std::min(m_low + m_step, m_full), m_full);
        m_high = value;
        if (m_inverted)
            m_low = std::max(m_full - value, m_floor);
    } else if (m_lowGrabbed) {
        const int fromTop = m_full - ValueAt(m_lowPos);
        int value = (m_full / m_step - fromTop / m_step) * m_step;
        value = std::clamp(value, m_floor, std::max(m_high - m_step, m_floor));
        m_low = value;
        if (m_inverted)
            m_high = std::min(m_full - value, m_full);
    }
    PlaceThumbs();
}

void CRuler_SliderCtrl::mouseReleaseEvent(QMouseEvent*) {
    if (!m_dragging)
        return;
    const bool moved = m_highGrabbed || m_lowGrabbed;
    SnapThumbs();
    m_dragging = m_lowGrabbed = m_highGrabbed = false;
    m_tip->Hide();
    unsetCursor();
    Redraw();
    if (moved)
        PostMessage(m_notify, UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 0,
                    MakeLong(static_cast<std::uint16_t>(m_high), static_cast<std::uint16_t>(m_low)));
}

void CRuler_SliderCtrl::resizeEvent(QResizeEvent*) {
    PlaceThumbs();
    Redraw();
}

// Scale on the face colour: the span between the thumbs, the ticks with
// their labels, then the two thumbs across the ruler.
void CRuler_SliderCtrl::Redraw() {
    if (width() <= 0 || height() <= 0)
        return;
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);
    const ColorRef text = SystemColor(kColorWindowText);
    m_picture.fill(ToQColor(SystemColor(kColorBtnFace)));
    QPainter painter(&m_picture);
    PrepareGdiPainter(painter);
    const int across = m_vertical ? width() : height();
    const int bar = across / 2;
    const auto rect = [&](int a1, int a2, int c1, int c2, ColorRef color) {
        if (m_vertical)
            GdiFillRect(painter, c1, std::min(a1, a2), c2, std::max(a1, a2) + 1, color);
        else
            GdiFillRect(painter, std::min(a1, a2), c1, std::max(a1, a2) + 1, c2, color);
    };
    rect(m_lowPos, m_highPos, bar, across - 2, kSpanColor);
    painter.setPen(ToQColor(text));
    painter.setFont(GdiFont(QStringLiteral("Times New Roman"), 12));
    for (const graphs::ScaleTick& tick : m_ticks) {
        const int at = PositionOf(m_tenths ? tick.value / 10.0 : tick.value);
        rect(at, at, bar - (tick.major ? 8 : 4), bar, text);
        if (!tick.major)
            continue;
        const QString label = m_tenths ? QString::asprintf("%1.1f", tick.value / 10.0) : QString::asprintf("%d", tick.value);
        const QRect box = m_vertical ? QRect(0, at - 7, bar - 9, 14) : QRect(at - 20, 0, 40, bar - 9);
        painter.drawText(box, (m_vertical ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter, label);
    }
    for (int at : {m_lowPos, m_highPos})
        rect(at - kThumbThickness / 2, at + kThumbThickness / 2, bar - 2, across, kThumbColor);
    painter.end();
    update();
}

void CRuler_SliderCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}
