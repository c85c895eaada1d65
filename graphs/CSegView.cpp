#include "graphs/CSegView.h"

#include "graphs/GraphHost.h"

#include "core/LapDataCore.h"
#include "core/LapStatistics.h"
#include "core/LapTimeText.h"
#include "platform/GdiDraw.h"
#include "platform/MessageBus.h"
#include "platform/SystemColors.h"
#include "platform/UserMessages.h"

#include <QPainter>

#include <algorithm>

using namespace platform;

namespace {
constexpr int kActiveGrey = 65;
constexpr int kLabelX = 6;
constexpr int kLabelY = 2;

ColorRef Grey(int level) {
    const int g = std::clamp(level, 0, 255);
    return MakeColorRef(g, g, g);
}
}  // namespace

CSegView::CSegView(GraphHost& host, int role, QWidget* parent)
    : QWidget(parent), m_host(host), m_window(this), m_role(role), m_active(role == kTopRole),
      m_bandColor(Grey(role == kTopRole ? kActiveGrey : 170 - 15 * role)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    MapMessages();
    TakeBaseLap();
}

ColorRef CSegView::LapBandColor(int role, int band) { return Grey(200 - 30 * role * (band % kMaxBandBitmaps)); }

void CSegView::MapMessages() {
    m_window.On(UM_REDRAW_LAP_GRAPH, [this](const Message& m) {
        if (m.wParam != 0) {
            m_baseLap = false;
            m_bandCount = 0;
            m_baseLapNumber = 0;
        }
        TakeBaseLap();
        if (m.wParam != 0 && !m_active && m_role >= 1 && !m_segmentMode)
            BuildLapBands(m_zoomSpan, m_zoomStart);  // the new base lap's file
        if (m_role >= 1 && m_active && m_segmentMode)
            SendMessage(m_host.MainFrame(), UM_EDITING_SEGMENT_INFO_VIEW_INIT, 4, static_cast<LParam>(Handle()));
        Redraw();
        return LResult{1};
    });
    m_window.On(UM_SEGMENT_EDIT_REPLACE, [this](const Message& m) {
        if (const auto* group = BlockIn<orvelo::SegmentGroup>(m, m.wParam))
            SetSegmentGroup(*group);
        Redraw();
        return LResult{1};
    });
    m_window.On(UM_RESET_X_SCALE_VARIABLE, [this](const Message& m) {
        m_xMode = static_cast<int>(m.wParam);
        m_bandCount = 0;
        m_zoomSpan = m_zoomStart = 0;
        if (!m_segmentMode && !m_active && m_role >= 1)
            BuildLapBands(0, 0);
        Redraw();
        return LResult{1};
    });
    m_window.On(UM_PUT_SEGMENT_INFO, [this](const Message& m) {
        const int item = HiWord(static_cast<std::uint64_t>(m.lParam));
        if (m_role >= 1 && item != 0) {
            m_segmentValue = static_cast<int>(static_cast<std::int64_t>(m.wParam));
            m_markedItem = item;
        } else {
            m_markedItem = 0;
        }
        Redraw();
        return LResult{1};
    });
    m_window.On(UM_MOVE_SEGMENT_INFO, [this](const Message& m) {
        m_timeValue = static_cast<int>(m.lParam);
        m_distanceValue = static_cast<int>(static_cast<std::int64_t>(m.wParam));
        m_cursorKnown = true;
        if (m_active)
            Redraw();
        return LResult{1};
    });
    // The window's cursor is gone: the pane names no place, as before the first one.
    m_window.On(UM_STOP_TRACKING_PLOT, [this](const Message&) {
        m_cursorKnown = false;
        m_timeValue = m_distanceValue = m_segmentValue = 0;
        m_markedItem = 0;
        Redraw();
        return LResult{1};
    });
    m_window.On(UM_RESET_SEGMENT_COLOR, [this](const Message& m) {
        const auto* property = BlockIn<MapViewProperty>(m, m.lParam);
        if (property && m_role >= 1 && m_role <= 3) {
            m_bandColor = property->words[static_cast<std::size_t>(m_role - 1)];
            m_textColor = property->words[6];
        }
        if (!m_active)
            Redraw();
        return LResult{1};
    });
    for (std::uint32_t id : {UM_ZOOM_CONTROL, UM_SCROLL_CONTROL_ON_ZOOM}) {
        m_window.On(id, [this](const Message& m) {
            BuildLapBands(static_cast<int>(static_cast<std::int64_t>(m.wParam)), static_cast<int>(m.lParam));
            Redraw();
            return LResult{1};
        });
    }
}

void CSegView::TakeBaseLap() {
    const orvelo::LapDataCore& core = m_host.Core();
    const orvelo::Lap* lap = core.ResolveLap(core.BaseLap);
    m_baseLap = lap != nullptr && !core.BaseLapFiles.empty();
    m_baseLapRef = m_baseLap ? core.BaseLap : orvelo::LapRef{};
    m_baseLapNumber = m_baseLap ? static_cast<int>(lap->lapNumber) : 0;
}

// The ends of the base lap file's laps, by cumulative time or distance, as
// positions in the strip; one band more than the ends kept.
void CSegView::BuildLapBands(int span, int start) {
    m_zoomSpan = span > 0 ? span : 0;
    m_zoomStart = span > 0 ? start : 0;
    m_bandPositions.clear();
    m_bandCount = 0;
    TakeBaseLap();
    if (!m_baseLap || m_role < 1 || m_active)
        return;
    orvelo::LapDataCore& core = m_host.Core();
    const orvelo::LogFile* file = core.FindFile(m_baseLapRef.set, m_baseLapRef.fileId);
    const int fullSpan = m_zoomSpan > 0 ? m_zoomSpan
                                        : static_cast<int>(orvelo::FindLongestMarkedLap(core, m_xMode == 1 ? 1 : 0));
    if (!file || fullSpan <= 0)
        return;
    std::vector<int> ends;
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < file->laps.size(); ++i) {
        sum += m_xMode == 1 ? file->laps[i].lapTime : file->laps[i].distance;
        if (sum - m_zoomStart > fullSpan)
            break;
        if (sum > m_zoomStart)
            ends.push_back(static_cast<int>(sum));
    }
    m_bandPositions = graphs::StripPositions(ends, width(), fullSpan, m_zoomStart);
    m_bandCount = static_cast<int>(m_bandPositions.size()) + 1;
}

void CSegView::SetSegmentGroup(const orvelo::SegmentGroup& group) {
    const orvelo::LapDataCore& core = m_host.Core();
    m_bounds = group.pairs.empty() ? graphs::SegmentBoundaries{}
                                   : graphs::BoundariesOf(group, core.ResolveLap(core.BaseLap));
}

QString CSegView::ValueText(int value) const {
    if (m_xMode != 1)
        return QString::asprintf("%d", value);
    std::u16string text;
    orvelo::FormatLapTimeW(static_cast<std::uint32_t>(std::max(value, 0)), text);
    return QString::fromStdU16String(text);
}

QString CSegView::CursorSegmentText() const {
    const bool byTime = m_xMode == 1;
    const std::vector<int>& bounds = byTime ? m_bounds.times : m_bounds.distances;
    const int v = byTime ? m_timeValue : m_distanceValue;
    if (byTime && bounds.empty())
        return QStringLiteral("S.%1 :").arg(1);
    int start = 0;
    const int segment = graphs::SegmentAt(bounds, v, &start);
    return byTime ? QStringLiteral("S.%1 : %2").arg(segment).arg(ValueText(v - start))
                  : QString::asprintf("S.%d : %d", segment, v - start);
}

void CSegView::DrawLabel(QPainter& painter, int x, const QString& text) {
    painter.drawText(QRect(x, kLabelY, std::max(width() - x, 1), std::max(height() - kLabelY, 1)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
    m_labels << text;
}

void CSegView::DrawLapBands(QPainter& painter) {
    for (int band = 0; band < m_bandCount; ++band) {
        const int left = band == 0 ? 0 : m_bandPositions[static_cast<std::size_t>(band - 1)];
        const int right = band < static_cast<int>(m_bandPositions.size()) ? m_bandPositions[static_cast<std::size_t>(band)]
                                                                         : width();
        GdiFillRect(painter, left, 0, right, height(), LapBandColor(m_role, band));
        DrawLabel(painter, left + kLabelX, QStringLiteral("S.%1").arg(band + 1));
    }
}

// The band colour with white labels; only the top pane names the lap. The picture is drawn again
// only when what it shows has changed.
void CSegView::Redraw() {
    if (width() <= 0 || height() <= 0) {
        m_labels.clear();
        m_shown = {};
        return;
    }
    if (m_lapFontHeight != height()) {
        m_segmentFont = GdiFont(QStringLiteral("Arial"), 12, 600);
        m_lapFont = GdiFont(QStringLiteral("Microsoft Sans Serif"), std::max(height() - 4, 10), 600);
        m_lapFontHeight = height();
    }
    Look look;
    look.size = size();
    look.fill = m_role >= 1 ? m_bandColor : SystemColor(kColorBtnFace);
    look.text = m_textColor;
    if (m_role < 1 || !m_baseLap) {
        // nothing to name
    } else if (!m_active && m_bandCount > 0) {
        look.bandCount = m_bandCount;
        look.bands = m_bandPositions;
    } else if (m_markedItem == m_role) {
        look.labels.push_back({kLabelX,
                               m_segmentValue != 0 ? QStringLiteral("S.%1 : %2").arg(m_role).arg(ValueText(m_segmentValue))
                                                   : QStringLiteral("S.%1").arg(m_role),
                               false});
    } else if (m_active) {
        if (m_segmentMode)
            look.labels.push_back({kLabelX, CursorSegmentText(), false});
        const int c = CellHeight(m_lapFont) / 2;
        look.labels.push_back(
            {width() - 14 * c - 6,
             m_cursorKnown ? QStringLiteral("L.%1 : %2").arg(m_baseLapNumber).arg(ValueText(m_xMode == 1 ? m_timeValue : m_distanceValue))
                           : QStringLiteral("L.%1").arg(m_baseLapNumber),
             true});
    } else {
        look.labels.push_back({kLabelX, QStringLiteral("S.%1").arg(m_role), false});
    }
    if (look == m_shown && m_picture.size() == size())
        return;
    m_shown = look;
    m_labels.clear();
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);
    m_picture.fill(ToQColor(look.fill));
    QPainter painter(&m_picture);
    PrepareGdiPainter(painter);
    painter.setPen(ToQColor(m_textColor));
    painter.setFont(m_segmentFont);
    if (look.bandCount > 0)
        DrawLapBands(painter);
    for (const Label& label : look.labels) {
        painter.setFont(label.lapFont ? m_lapFont : m_segmentFont);
        DrawLabel(painter, label.x, label.text);
    }
    painter.end();
    update();
}

void CSegView::resizeEvent(QResizeEvent*) {
    m_markedItem = 0;
    if (!m_active && m_role >= 1 && m_baseLap && !m_segmentMode)
        BuildLapBands(m_zoomSpan, m_zoomStart);
    Redraw();
}

void CSegView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}
