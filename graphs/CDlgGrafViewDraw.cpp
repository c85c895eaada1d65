// How a graph pane draws its picture: grey without a channel or data, white
// for kind 4; kind 1 the grid, the compared laps over it and the title; kind 0
// the file's laps end to end with their marks.
#include "graphs/CDlgGrafView.h"

#include "graphs/GraphHost.h"

#include "core/LapDataCore.h"
#include "platform/GdiDraw.h"
#include "platform/SideBySide.h"
#include "platform/SystemColors.h"
#include "settings/AppSettings.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QString kTitleFace = QStringLiteral("Microsoft Sans Serif");
constexpr int kTitleHeight = 16;
constexpr int kTitleTop = 2;
constexpr int kTitleBottom = 18;
constexpr auto kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;

// A pixel offset from a product whose exact value may be a whole number that
// binary fractions put a hair below it.
int TruncPixel(double value) { return static_cast<int>(std::trunc(value + std::copysign(1e-9, value))); }

} // namespace

void CDlgGrafView::Render() {
    m_dirty = false;
    if (m_image.isNull())
        return;
    const int kind = Kind();
    const int channel = kind == GraphPaneData::kLapOverlay ? m_data.PrimaryChannel() : m_channel;
    if (kind == GraphPaneData::kBlank || channel == 0 || !m_data.HasData()) {
        m_data.Plot().MoveCursor(QPoint()); // nothing but the fill, and nothing to pick
        m_data.ClearTraces();
        m_image.fill(kind == GraphPaneData::kBlank ? QColor(Qt::white) : platform::ToQColor(kGreyFill));
        return;
    }
    if (kind == GraphPaneData::kLapOverlay) {
        RenderLapOverlay(); // on its background, which covers the white at once
    } else if (kind == GraphPaneData::kFileOverview) {
        m_image.fill(Qt::white);
        RenderFileOverview();
    }
}

CDlgGrafView::Colors CDlgGrafView::ChooseColors() const {
    Colors colors{0, platform::SystemColor(platform::kColorGrayText), 0};
    if (m_overviewColors)
        colors = {m_overviewColors->background, m_overviewColors->text, m_overviewColors->analysisLine};
    const int primary = m_data.PrimaryChannel();
    if (primary >= 1) {
        const ChannelColorProperty& block = m_blocks[static_cast<std::size_t>(primary - 1)];
        if (block.checkFlag != 0)
            colors = {block.background, block.text, block.analysisLine};
    }
    return colors;
}

// The traces are drawn straight over the grid: a trace pixel of any colour
// replaces what lies under it, every other pixel keeps the background or grid.
void CDlgGrafView::RenderLapOverlay() {
    const Colors colors = BeginLapOverlay();
    DrawLapOverlay(colors);
    FinishLapOverlay(colors);
}

CDlgGrafView::Colors CDlgGrafView::BeginLapOverlay() {
    const Colors colors = ChooseColors();
    m_data.Plot().SetCursorColors(colors.analysis, colors.analysis);
    m_data.PrepareScales();
    m_data.PrepareLapPens();
    return colors;
}

void CDlgGrafView::DrawLapOverlay(const Colors& colors) {
    m_image.fill(platform::ToQColor(colors.background));
    QPainter painter(&m_image);
    platform::PrepareGdiPainter(painter);
    DrawGrid(painter);
    m_data.BuildTracesWithPens(&painter);
}

void CDlgGrafView::FinishLapOverlay(const Colors& colors) {
    if (m_data.CursorKnown())
        m_data.Plot().MoveCursor(m_data.CursorPoint());
    QPainter painter(&m_image);
    platform::PrepareGdiPainter(painter);
    DrawTitle(painter, colors.text);
}

bool CDlgGrafView::DrawsLapOverlay() const {
    return m_dirty && !m_image.isNull() && Kind() == GraphPaneData::kLapOverlay && m_data.PrimaryChannel() != 0 &&
           m_data.HasData();
}

void CDlgGrafView::RenderAll(const std::vector<CDlgGrafView*>& panes) {
    std::vector<std::pair<CDlgGrafView*, Colors>> jobs;
    for (CDlgGrafView* pane : panes) {
        if (pane && pane->isVisible() && pane->DrawsLapOverlay()) {
            pane->m_dirty = false;
            jobs.emplace_back(pane, pane->BeginLapOverlay());
        }
    }
    platform::RunSideBySide(jobs.size(), jobs.size(),
                            [&jobs](std::size_t i, std::size_t) { jobs[i].first->DrawLapOverlay(jobs[i].second); });
    for (const auto& [pane, colors] : jobs)
        pane->FinishLapOverlay(colors);
}

void CDlgGrafView::DrawGrid(QPainter& painter) {
    const double span = m_data.XSpan();
    if (!m_overviewColors || m_overviewColors->gridEnabled == 0 || span == 0.0)
        return;
    const int width = m_data.Width();
    const int height = m_data.Height();
    painter.setPen(platform::GdiPen(m_overviewColors->gridLine));
    const bool overTime = m_data.XAxisMode() == GraphPaneData::kTime;
    const double step = overTime ? (span > 15000.0 ? 3000.0 : 1000.0) : (span > 1000.0 ? 100.0 : 50.0);
    const double unitStep = overTime ? step / 10.0 : step;
    const int xLines = static_cast<int>(std::trunc(span / (step - 1.0))) + 1;
    for (int i = 1; i < xLines; ++i) {
        const int x = TruncPixel(i * unitStep * m_data.XPixelsPerUnit());
        platform::GdiLine(painter, x, 0, x, height);
    }
    const graphs::GraphChannel* channel = graphs::GraphChannelOf(m_data.PrimaryChannel());
    const graphs::VerticalGrid& grid = m_data.Grid();
    if (!channel || grid.lines <= 0)
        return;
    const double ppu = m_data.SlotPixelsPerUnit(channel->rangeSlot);
    const int offset = TruncPixel(grid.firstOffset * ppu);
    const auto horizontal = [&](int value) { platform::GdiLine(painter, 0, height - value, width, height - value); };
    if (grid.firstOffset > 0.0)
        horizontal(offset);
    for (int i = 1; i < grid.lines; ++i)
        horizontal(TruncPixel(i * grid.step * ppu) + offset);
}


void CDlgGrafView::DrawTitle(QPainter& painter, platform::ColorRef color) {
    if (!m_titleFontMade) {
        m_titleFont = platform::GdiFont(kTitleFace, kTitleHeight, 600);
        m_titleFontMade = true;
    }
    m_title = m_data.Scale().Channel().CurrentName().left(kTitleChars);
    painter.setFont(m_titleFont);
    painter.setPen(platform::ToQColor(color));
    painter.drawText(QRect(2, kTitleTop, m_data.Width() - 2, kTitleBottom - kTitleTop), kTextFlags, m_title);
}

void CDlgGrafView::RenderFileOverview() {
    m_file = FileLayout{};
    const orvelo::LogFile* file = nullptr;
    for (const orvelo::LogFile& candidate : m_data.Host().Core().LogFiles) {
        if (candidate.fullPath == m_data.FilePath())
            file = &candidate;
    }
    if (!file)
        return;
    if (!m_titleFontMade) {
        m_title = QStringLiteral("File over view");
        m_titleFont = platform::GdiFont(kTitleFace, kTitleHeight, 400);
        m_titleFontMade = true;
    }
    const bool overTime = m_data.XAxisMode() == GraphPaneData::kTime;
    double span = 0.0;
    for (const orvelo::Lap& lap : file->laps)
        span += overTime ? lap.lapTime : lap.distance;
    const double units = overTime ? span / 10.0 : span;
    m_file.ppu = units <= 0.0 ? 0.0 : m_data.Width() / units;
    QPainter painter(&m_image);
    platform::PrepareGdiPainter(painter);
    for (int channel = 1; channel <= graphs::kChannelCount; ++channel) {
        if (m_data.ChannelMask() & (1u << (channel - 1)))
            DrawFileLaps(painter, *file, channel, false);
    }
    DrawFileLaps(painter, *file, 0, true);
}

// One channel's laps end to end, or (channel 0) each lap's end line and number.
void CDlgGrafView::DrawFileLaps(QPainter& painter, const orvelo::LogFile& file, int channel, bool marks) {
    const graphs::GraphChannel* rules = graphs::GraphChannelOf(channel);
    if (!marks && !rules)
        return;
    AppSettings& settings = m_data.Host().Settings();
    orvelo::LapDataCore& core = m_data.Host().Core();
    const bool overTime = m_data.XAxisMode() == GraphPaneData::kTime;
    const int width = m_data.Width();
    const int height = m_data.Height();
    graphs::ChannelRange range;
    double ppu = 0.0;
    std::int32_t minimum = 0;
    QRgb color = 0;
    if (rules) {
        range = m_data.RangeSlot(rules->rangeSlot);
        ppu = m_data.SlotPixelsPerUnit(rules->rangeSlot);
        minimum = settings.Channels().ChannelValueTable()[static_cast<std::size_t>(channel - 1)].currentMin;
        color = platform::ToQColor(settings.Colors().ChannelLapColor(core, channel, 0)).rgb();
    }
    platform::GdiLineRun lines(painter);
    LapMarkDescriptor mark{0, &painter, platform::GdiPen(kLapMarkColor), m_titleFont, kLapMarkColor, 0, height, 0, 0};
    double before = 0.0;
    for (std::size_t l = 0; l < file.laps.size(); ++l) {
        const orvelo::Lap& lap = file.laps[l];
        QPoint previous;
        bool first = true;
        for (const orvelo::PositionRec& sample : lap.positions) {
            if (sample.lapEndMark == orvelo::kLapEndMark)
                break;
            const double units = overTime ? (sample.time + before) / 10.0 : sample.runningDistance + before;
            const int x = TruncPixel(units * m_file.ppu);
            if (first)
                mark.firstX = x;
            mark.lastX = x;
            if (marks) {
                first = false;
                continue;
            }
            const int y = graphs::ValueToY(*rules, rules->value(sample), height, range, ppu, minimum);
            const int endX = std::min(x, width);
            if (!first && (endX != previous.x() || y != previous.y()))
                lines.Line(color, previous.x(), previous.y(), endX, y);
            previous = QPoint(x, y);
            first = false;
        }
        before += overTime ? lap.lapTime : lap.distance;
        if (!marks || first)
            continue;
        if (static_cast<std::int32_t>(l) == m_data.FileBaseLap().lapIndex) {
            m_file.baseFirstX = mark.firstX;
            m_file.baseLastX = mark.lastX;
            m_file.baseDrawn = true;
        }
        mark.lapNumber = static_cast<int>(lap.lapNumber);
        m_data.Plot().DrawLapMarkLine(mark);
        m_data.Plot().DrawLapMarkLabel(mark);
    }
}

QRect CDlgGrafView::BandRect() const {
    // Without its file the pane is only grey: the laps it drew before are no place for a band.
    if (!m_data.HasData() || !m_file.baseDrawn || m_bandSpan == 0)
        return {};
    const int left = m_file.baseFirstX + TruncPixel(m_bandOffset * m_file.ppu);
    const int right = std::min(m_file.baseFirstX + TruncPixel((static_cast<double>(m_bandOffset) + m_bandSpan) * m_file.ppu),
                               m_file.baseLastX);
    return right > left ? QRect(left, 0, right - left, m_data.Height()) : QRect();
}

std::optional<std::pair<int, int>> CDlgGrafView::ZoomBand() const {
    const QRect band = m_data.Zoomed() ? BandRect() : QRect();
    if (band.isEmpty())
        return std::nullopt;
    return std::make_pair(band.left(), band.right() + 1);
}

void CDlgGrafView::MoveBand(std::uint32_t offset, std::uint32_t span) {
    update(BandRect());
    m_bandOffset = offset;
    m_bandSpan = span;
    m_data.SetZoom(offset, span);
    update(BandRect());
}
