#include "graphs/CLScaleView.h"

#include "graphs/GraphChannelTable.h"
#include "graphs/GraphHost.h"

#include "core/LapStatistics.h"
#include "platform/GdiDraw.h"
#include "platform/MessageBus.h"
#include "platform/PopupMenu.h"
#include "platform/SystemColors.h"
#include "platform/UserMessages.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace platform;

namespace {
constexpr auto kFace = "Times New Roman";
constexpr int kPressure1 = 5;
constexpr int kPressure2 = 6;
constexpr int kMajorTick = 8;
constexpr int kMinorTick = 4;
constexpr int kLabelGap = 4;
// The smallest font the fitting rule gives: a label that does not fit in it needs more room, not a
// smaller font, to stay legible.
constexpr int kLeastFontHeight = 10;
constexpr int kXLabelFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
constexpr int kYLabelFlags = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;

bool Pressure(int channel) { return channel == kPressure1 || channel == kPressure2; }

// "G Horiz." and "G Vert." read in tenths.
QString YLabel(int channel, int value) {
    return channel == 3 || channel == 4 ? QString::asprintf("%1.1f", value / 10.0) : QString::asprintf("%d", value);
}

// An X label stands right of its tick, centred in the strip below the tick's middle.
QRect XLabelBox(int tickX, int width, int height) {
    const int length = 2 * height / 5 + 1;
    return QRect(tickX + kLabelGap, length / 2, width, height - length / 2);
}

// Whether digits drawn as the X strip draws them stay within its height: drawn where they may run
// over it, since the painter rounds where the centring leaves half a pixel.
bool XLabelsFit(const QFont& font, int height) {
    const QString digits = QStringLiteral("0123456789");
    const QFontMetrics metrics(font);
    const int over = metrics.height();
    QImage scratch(metrics.horizontalAdvance(digits) + 2 * kLabelGap, height + 2 * over, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    QPainter painter(&scratch);
    PrepareGdiPainter(painter);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(XLabelBox(0, scratch.width(), height).translated(0, over), kXLabelFlags, digits);
    painter.end();
    for (int y = 0; y < scratch.height(); ++y) {
        if (y >= over && y < over + height)
            continue;
        const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        if (std::any_of(line, line + scratch.width(), [](QRgb pixel) { return qGray(pixel) < 128; }))
            return false;
    }
    return true;
}

// The width a Y scale needs for its labels right-aligned left of the major ticks.
int YLabelsWidth(const QFont& font, const std::vector<QString>& labels) {
    const QFontMetrics metrics(font);
    int width = 0;
    for (const QString& label : labels)
        width = std::max(width, metrics.horizontalAdvance(label) - metrics.tightBoundingRect(label).left());
    return width + kMajorTick + kLabelGap;
}

// The largest font from the rule's height down to the least one that fits; the least one when none does.
template <typename Fits>
QFont FittedFont(int ruledHeight, int weight, Fits fits) {
    for (int height = ruledHeight; height > kLeastFontHeight; --height) {
        QFont font = GdiFont(kFace, height, weight);
        if (fits(font))
            return font;
    }
    return GdiFont(kFace, kLeastFontHeight, weight);
}
} // namespace

CLScaleView::CLScaleView(GraphHost& host, QWidget* parent)
    : QWidget(parent), m_host(host), m_window(this), m_graph(host.Settings(), host.Core()),
      m_background(SystemColor(kColorBtnFace)) {
    setObjectName(QStringLiteral("CLScaleView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    MapMessages();
}

void CLScaleView::MapMessages() {
    m_window.On(UM_REDRAW_LAP_GRAPH, [this](const Message& m) {
        if (m.lParam > 0)
            m_fullSpan = static_cast<int>(m.lParam);
        if (m.wParam != 0) {
            Unzoom(static_cast<int>(m.lParam));
        } else {
            m_xSpan = m_zoomed ? m_zoomSpan : static_cast<int>(m.lParam);
            ComputeXRange(m_xSpan);
        }
        Redraw();
        return LResult{0};
    });
    m_window.On(UM_X_AXIS_CHANGED, [this](const Message& m) {
        m_zoomed = false;
        m_zoomOffset = 0;
        SetXAxis(static_cast<int>(m.wParam), static_cast<int>(m.lParam));
        Redraw();
        return LResult{0};
    });
    m_window.On(UM_STOP_TRACKING_PLOT, [this](const Message&) {
        Redraw();
        return LResult{0};
    });
    for (std::uint32_t id : {UM_ZOOM_CONTROL, UM_SCROLL_CONTROL_ON_ZOOM}) {
        m_window.On(id, [this](const Message& m) {
            SetZoom(m.wParam, m.lParam);
            return LResult{0};
        });
    }
    for (std::uint32_t id : {UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, UM_SET_VARIABLE_SCALE_CONTROL_VALUE}) {
        m_window.On(id, [this](const Message&) {
            if (m_mode == kYScale && m_channel != 0) {
                ApplyYScale();
                FitFonts();
                Redraw();
                TakeLeastWidth();
            }
            return LResult{1};
        });
    }
    m_window.On(UM_CHANNEL_SCALE_VIEW_INFO, [this](const Message& m) {
        m_linked = m.wParam != 0;
        return LResult{m_linked ? 1 : 0};
    });
}

void CLScaleView::SetChannelRange(const graphs::ChannelRange& range) {
    m_range = range;
    m_rangeGiven = true;
}

void CLScaleView::SetXAxis(int mode, int span) {
    m_xMode = mode == 1 ? 1 : 0;
    m_xSpan = span;
    m_fullSpan = span; // a span over the old axis means nothing now
    ComputeXRange(span);
}

void CLScaleView::OnInitialUpdate() {
    if (m_mode == kYScale && m_rangeGiven)
        ApplyYScale();
    else if (m_mode == kXScale)
        ComputeXRange(m_zoomed ? m_zoomSpan : m_xSpan);
    FitFonts();
    Redraw();
    TakeLeastWidth();
}

void CLScaleView::SetZoom(WParam span, LParam offset) {
    const auto signedSpan = static_cast<std::int64_t>(span);
    if (signedSpan < 1) {
        Unzoom(static_cast<int>(orvelo::FindLongestMarkedLap(m_host.Core(), m_xMode)));
    } else {
        m_zoomed = true;
        m_zoomSpan = static_cast<int>(signedSpan);
        m_zoomOffset = static_cast<int>(offset);
        ComputeXRange(m_zoomSpan);
    }
    Redraw();
}

// The rule's font for the strip's size, or a smaller one where its labels would not show whole.
void CLScaleView::FitFonts() {
    const int w = width();
    const int h = height();
    if (m_mode == kXScale) {
        // The X font depends on the height alone, which a change of width leaves as it is.
        if (h == m_xFontHeight)
            return;
        m_xFontHeight = h;
        const bool small = h <= 36;
        m_horizontalFont = FittedFont(small ? 12 : 14, small ? 400 : 600,
                                      [h](const QFont& font) { return XLabelsFit(font, h); });
        return;
    }
    m_xFontHeight = -1; // the Y labels take the same font member
    if (Pressure(m_channel)) {
        m_verticalFont = w < 40 ? GdiFont(kFace, 10, 400) : GdiFont(kFace, 12, w < 60 ? 400 : 600);
        return;
    }
    const std::vector<QString> labels = YLabels();
    m_horizontalFont = FittedFont(w < 21 ? 10 : w < 40 ? 12 : w < 60 ? 13 : 14, 400,
                                  [&](const QFont& font) { return YLabelsWidth(font, labels) <= w; });
}

const QFont& CLScaleView::LabelFont() const {
    return m_mode == kYScale && Pressure(m_channel) ? m_verticalFont : m_horizontalFont;
}

std::vector<QString> CLScaleView::YLabels() const {
    std::vector<QString> labels;
    for (const graphs::ScaleTick& tick : m_yTicks) {
        if (tick.major)
            labels.push_back(YLabel(m_channel, tick.value));
    }
    return labels;
}

// What the labels need in the least font; the owner widens the scale column to it.
void CLScaleView::TakeLeastWidth() {
    int least = 0;
    if (m_mode == kYScale && m_channel != 0 && !m_yTicks.empty()) {
        const QFont font = GdiFont(kFace, kLeastFontHeight, 400);
        least = Pressure(m_channel) ? kMajorTick + kLabelGap + CellHeight(font) : YLabelsWidth(font, YLabels());
    }
    if (least == m_leastWidth)
        return;
    m_leastWidth = least;
    if (!m_onLeastWidthChanged)
        return;
    m_onLeastWidthChanged();
    // Widened while its first resize was being delivered, the pane is not told of the new size.
    if (m_picture.size() != size() && width() > 0 && height() > 0) {
        ApplyYScale();
        FitFonts();
        Redraw();
    }
}

int CLScaleView::LeastXScaleHeight() {
    static const int least = [] {
        const QFont font = GdiFont(kFace, kLeastFontHeight, 400);
        int height = 1;
        while (height < 100 && !XLabelsFit(font, height))
            ++height;
        return height;
    }();
    return least;
}

// The channel's scale for the band beside it, and the ticks of its limits.
void CLScaleView::ApplyYScale() {
    const graphs::GraphChannel* row = graphs::GraphChannelOf(m_channel);
    if (!row)
        return;
    m_graph.SetChannel(m_channel);
    m_graph.SetBand(QRect(0, 0, width(), height()));
    graphs::ChannelRange range = m_range;
    range.channel = m_channel;
    m_graph.ComputeScale(range);
    const bool overridden = range.maxOverride >= 1;
    const int maximum = overridden ? range.maxOverride : m_graph.CurrentMax();
    const int minimum = overridden ? range.minOverride : m_graph.CurrentMin();
    const int span = maximum - minimum;
    int lower = minimum;
    int upper = maximum;
    switch (row->yRule) {
    case graphs::YRule::Linear: break;
    case graphs::YRule::CentredTenth: lower = -span, upper = span; break;
    case graphs::YRule::CentredHandle: lower = 100 - span, upper = 100 + span; break;
    case graphs::YRule::Centred: lower = -maximum, upper = maximum; break;
    }
    int spacing = 0;
    m_graph.BuildScaleTicks(m_channel, lower, upper, spacing, m_yTicks, Pressure(m_channel));
}

void CLScaleView::ComputeXRange(int span) {
    graphs::ComputeXAxisRange(m_xRange, m_xMode, m_host.Core().LastSampleFlag != 0, span, width(), XOffset());
    if (!m_zoomed && span > 0)
        m_fullSpan = span;
}

// The full view over span. With no lap left (span 0) a scale keeps the steps it had; one that was
// zoomed takes those of the full view it last showed, as one that was never zoomed has them.
void CLScaleView::Unzoom(int span) {
    const bool wasZoomed = m_zoomed;
    m_zoomed = false;
    m_zoomOffset = 0;
    m_zoomSpan = 0;
    m_xSpan = span;
    ComputeXRange(span <= 0 && wasZoomed ? m_fullSpan : span);
}

void CLScaleView::resizeEvent(QResizeEvent*) {
    if (m_mode == kYScale && m_rangeGiven && m_channel != 0)
        ApplyYScale();
    else if (m_mode == kXScale)
        ComputeXRange(m_zoomed ? m_zoomSpan : m_xSpan);
    FitFonts();
    Redraw();
    TakeLeastWidth();
}

void CLScaleView::Redraw() {
    if (m_mode == kXScale && m_zoomed)
        setCursor(Qt::OpenHandCursor);
    else
        unsetCursor();
    if (width() <= 0 || height() <= 0)
        return;
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);
    QPainter painter(&m_picture);
    PrepareGdiPainter(painter);
    GdiFillRect(painter, 0, 0, width(), height(), m_background);
    if (m_mode == kXScale)
        DrawXScale(painter);
    else if (m_mode == kYScale && m_channel != 0)
        DrawYScale(painter);
    painter.end();
    update();
}

void CLScaleView::DrawXScale(QPainter& painter) {
    const int h = height();
    const int span = m_zoomed ? m_zoomSpan : m_xSpan;
    painter.setPen(GdiPen(0x000000));
    painter.setFont(m_horizontalFont);
    for (const graphs::XAxisTick& tick : graphs::XAxisTicks(m_xRange, span, XOffset(), width())) {
        const int length = tick.labelled ? 2 * h / 5 + 1 : h / 5;
        GdiFillRect(painter, tick.x, 0, tick.x + 1, length, 0x000000);
        if (!tick.label.isEmpty())
            painter.drawText(XLabelBox(tick.x, width(), h), kXLabelFlags, tick.label);
    }
}

void CLScaleView::DrawYScale(QPainter& painter) {
    const int w = width();
    const bool vertical = Pressure(m_channel);
    painter.setFont(vertical ? m_verticalFont : m_horizontalFont);
    painter.setPen(GdiPen(0x000000));
    const QFontMetrics metrics(painter.font());
    const int textHeight = metrics.height();
    for (const graphs::ScaleTick& tick : m_yTicks) {
        const int length = tick.major ? kMajorTick : kMinorTick;
        GdiFillRect(painter, w - length, tick.y, w, tick.y + 1, 0x000000);
        if (!tick.major)
            continue;
        const QString label = YLabel(m_channel, tick.value);
        // The last label stays inside the strip; one read upwards along all its length.
        const int half = vertical ? std::max(textHeight, metrics.horizontalAdvance(label)) / 2 : textHeight / 2;
        const int centre = std::clamp(tick.y, half, std::max(half, height() - half));
        if (vertical) {
            painter.save();
            painter.translate(w - kMajorTick - kLabelGap - textHeight, centre);
            painter.rotate(-90);
            painter.drawText(QRect(-50, 0, 100, textHeight), Qt::AlignCenter | Qt::TextDontClip, label);
            painter.restore();
        } else {
            painter.drawText(QRect(0, centre - textHeight / 2, w - kMajorTick - kLabelGap, textHeight), kYLabelFlags, label);
        }
    }
}

void CLScaleView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_picture.isNull())
        painter.fillRect(rect(), ToQColor(m_background));
    else
        painter.drawImage(0, 0, m_picture);
}

void CLScaleView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_mode == kXScale && m_zoomed) {
        m_dragging = true;
        m_lastMouse = event->position().toPoint();
    }
    QWidget::mousePressEvent(event);
}

// Each move scrolls the graphs by what the mouse went over, at least one unit.
void CLScaleView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!m_dragging || at.x() == m_lastMouse.x() || m_xRange.pixelsPerUnit <= 0.0)
        return;
    const int dx = at.x() - m_lastMouse.x();
    const double perMetre = m_xRange.mileUnits ? m_xRange.pixelsPerUnit / 1600.0 : m_xRange.pixelsPerUnit;
    int amount = static_cast<int>(std::trunc(std::abs(dx) / perMetre));
    amount = m_xMode == 1 ? std::max(10, amount * 10) : std::max(1, amount);
    PostMessage(m_owner, UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE, dx < 0 ? 1 : 0, amount);
    m_lastMouse = at;
}

void CLScaleView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void CLScaleView::contextMenuEvent(QContextMenuEvent* event) {
    const graphs::GraphChannel* row = graphs::GraphChannelOf(m_channel);
    if (m_mode != kYScale || !row || SendMessage(m_owner, UM_GET_OVERLAP_GRAPH_STATUS, 0, static_cast<LParam>(Handle())) <= 0) {
        event->ignore(); // the graph window's own menu
        return;
    }
    QMenu menu(this);
    QAction* item = menu.addAction(QStringLiteral("Y Scale Variable : ") + QString::fromStdU16String(row->name));
    item->setData(kYScaleMenuItem);
    if (RunPopupMenu(menu, event->globalPos()) == item)
        PostMessage(m_owner, UM_POPUP_VARIABLE_Y_SCALE_DIALOG, static_cast<WParam>(Handle()), static_cast<LParam>(m_owner));
}
