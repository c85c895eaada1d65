// The segment edit view's drawing: the course with its segments, the notices, and the labels.
#include "coursemap/CMapSegEditView.h"

#include "coursemap/LapDrawingMode.h"

#include "core/CourseBuilder.h"
#include "platform/CColorToolTipWnd.h"
#include "platform/MessageBus.h"
#include "platform/SystemColors.h"
#include "platform/UserMessages.h"

#include <QPaintEvent>
#include <QPainter>

void CMapSegEditView::Invalidate() {
    m_drawWhole = true;
    m_redraw.Request();
}

// A paint after edits only draws the segments that changed; otherwise the whole map.
void CMapSegEditView::Redraw() {
    if (m_drawWhole) {
        m_drawWhole = false;
        DrawMap();
        return;
    }
    if (!m_courseDrawn)
        return;
    PresentEdits();
    if (!m_numberLabels.empty())
        RebuildLabels();
}

void CMapSegEditView::UpdateWindow() { m_redraw.RunPending(); }

void CMapSegEditView::SetUpRenderer() {
    if (m_rendererSetUp)
        return;
    m_renderer->SetWindow(this);
    m_renderer->SetDrawMode(CDrawMapSegCtrl::kSegmentMode);
    // The segments' pens take the course pen width.
    m_renderer->ApplyMapProperty(m_property);
    m_rendererSetUp = true;
}

void CMapSegEditView::DrawMap() {
    SetUpRenderer();
    m_renderer->UpdateClientSize();
    m_renderer->SetDivisor(width() * 3 / 4);
    m_renderer->SetMargins(width() / 4, height() / 4);
    m_renderer->CreateLayers();
    m_courseDrawn = false;
    const orvelo::Lap* lap = ShownLap();
    if (!lap) {
        // A lap was given but has no course (or is gone): there is no data to draw.
        m_renderer->DrawMessageText(m_lapGiven ? QStringLiteral("Error, Cannot create course-map, Nothing data")
                                               : QStringLiteral("Warn. No map selected, select on laplist"));
        m_renderer->Present();
        return;
    }
    const orvelo::LapAnalysisItem& item = lap->analysisItems.front();
    if (m_renderer->FitCourse(item) != 0) {
        m_renderer->DrawMessageText(
            QStringLiteral("Lap No.%1 : %2").arg(static_cast<int>(lap->lapNumber)).arg(QStringLiteral("on drawing map")));
        m_renderer->Present();
        return;
    }
    m_renderer->DrawCourse(item);
    TakeGivenSegments(item);
    m_renderer->DrawPositionMark(item);
    PresentEdits();
    m_courseDrawn = true;
    platform::PostMessage(m_owner, platform::UM_SET_STATUS_BAR_MAP_DRAWING_MODE,
                          static_cast<platform::WParam>(DrawingModeCode()), 0);
    // The course may lie elsewhere now: the labels follow it.
    m_labelsDirty = true;
    RebuildLabels();
}

// A group the viewer gave, or ends whose points must be found again, become the renderer's segments.
void CMapSegEditView::TakeGivenSegments(const orvelo::LapAnalysisItem& item) {
    if (!m_groupGiven && !m_findEndPoints)
        return;
    if (m_findEndPoints)
        m_endPoints.assign(m_ends.Ends().size(), -1);
    m_renderer->EditSegments(MapSegmentModel::kClear, 0, 0, item);
    m_renderer->BuildSegments(m_ends.Ends(), m_endPoints, item);
    m_findEndPoints = false;
    if (m_groupGiven) {
        m_groupGiven = false;
        ReportCount(m_owner);
    }
}

void CMapSegEditView::PresentEdits() {
    if (const orvelo::LapAnalysisItem* item = ShownItem())
        m_renderer->RefreshBoundaries(*item);
    m_renderer->RedrawDirtySegments();
    m_renderer->Present();
}

// 2 GPS, 0 offset ON, 1 offset OFF.
int CMapSegEditView::DrawingModeCode() const {
    const orvelo::LapAnalysisItem* item = ShownItem();
    const int mode = item ? lapmode::DrawingMode(*item) : orvelo::kMapDrawOffsetOff;
    return mode == orvelo::kMapDrawGps ? 2 : mode == orvelo::kMapDrawOffsetOn ? 0 : 1;
}

void CMapSegEditView::DestroySegmentLabels() {
    for (CColorToolTipWnd* label : m_numberLabels)
        delete label;
    m_numberLabels.clear();
    m_labelsDirty = true;
}

// One label per segment with its number, at the course point midway (by index) along it. The labels
// shown are used again, raised in turn as new ones would be.
void CMapSegEditView::RebuildLabels() {
    if (!m_labelsDirty || !m_courseDrawn)
        return;
    std::vector<CColorToolTipWnd*> spare = std::move(m_numberLabels);
    m_numberLabels.clear();
    std::size_t reused = 0;
    const DrawnPointTable& drawn = m_renderer->Drawn();
    for (const MapLayerItem& segment : m_renderer->Segments().Segments()) {
        const DrawnPointTable::Record* at = drawn.At(static_cast<std::size_t>((segment.startIndex + segment.endIndex) / 2));
        if (!at)
            continue;
        CColorToolTipWnd* label = reused < spare.size() ? spare[reused++] : nullptr;
        if (label) {
            label->raise();
        } else {
            label = new CColorToolTipWnd;
            label->SetColors(platform::SystemColor(platform::kColorBtnFace), kLabelText);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            label->resize(kNumberLabelSize);
            label->Create(this);
        }
        label->ShowText(at->x - kNumberLabelSize.width() / 2, at->y - kNumberLabelSize.height() / 2,
                        QString::number(segment.number));
        m_numberLabels.push_back(label);
    }
    for (std::size_t k = reused; k < spare.size(); ++k)
        delete spare[k];
    m_labelsDirty = false;
}

void CMapSegEditView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage& picture = m_renderer->Presented();
    if (picture.size() != size()) {
        painter.fillRect(event->rect(), platform::ToQColor(platform::SystemColor(platform::kColorBtnFace)));
        return;
    }
    painter.drawImage(event->rect(), picture, event->rect());
}

void CMapSegEditView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_labelsDirty = true;
    m_selected = 0;
    m_renderer->ResetSegments();
    Invalidate();
}

void CMapSegEditView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Invalidate();
}
