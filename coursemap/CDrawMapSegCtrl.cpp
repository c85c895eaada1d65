#include "coursemap/CDrawMapSegCtrl.h"

#include "coursemap/CourseRun.h"

#include "platform/GdiDraw.h"

#include <algorithm>

CDrawMapSegCtrl::CDrawMapSegCtrl() = default;

CDrawMapSegCtrl::~CDrawMapSegCtrl() = default;

void CDrawMapSegCtrl::SetDrawMode(int mode) {
    if (mode != m_mode)
        m_baseStale = true;
    m_mode = mode;
}

void CDrawMapSegCtrl::ApplyMapProperty(const MapViewProperty& property) {
    m_style.Apply(property);
    m_segments.SetPenWidth(m_style.PenWidth());
    m_baseStale = true;
}

void CDrawMapSegCtrl::UpdateClientSize() {
    const QSize size = m_window ? m_window->size() : QSize();
    m_frame.Resize(size.width(), size.height());
}

void CDrawMapSegCtrl::SetMargins(int x, int y) {
    m_frame.marginX = x;
    m_frame.marginY = y;
}

void CDrawMapSegCtrl::CreateLayers() {
    const QSize size = ClientSize();
    m_layers.Create(size, m_style.Background());
    m_segmentLayers.Create(size);
    m_baseStale = true;
    DrawSelectedMarkers();
}

void CDrawMapSegCtrl::CreateThumbnailLayer() {
    m_thumbnail = QImage(m_thumbnailSize, QImage::Format_RGB32);
    m_thumbnail.fill(platform::ToQColor(m_style.Background()));
}

// Wider than the segments' pens, so the selected segment stands out over the course.
QPen CDrawMapSegCtrl::SelectionPen() const { return CourseRun::Pen(kMarkerColor, m_style.PenWidth() + 2); }

int CDrawMapSegCtrl::FitCourse(const orvelo::LapAnalysisItem& item) {
    m_fit = CourseFit{};
    int result = 2;
    if (!item.coursePoints.empty()) {
        m_fit = FitCourseBox(item, m_frame, m_divisor);
        result = m_fit.Fitted() ? 0 : 1;
    }
    if (result != 0) {
        // Nothing stays drawn to be hit.
        m_drawn.Reset(0);
        m_segments.SetHitArea(QRect(), 0);
    }
    return result;
}

int CDrawMapSegCtrl::FitThumbnail(const orvelo::LapAnalysisItem& item) {
    m_thumbnailFit = CourseFit{};
    if (item.coursePoints.empty())
        return 1;
    const FitFrame frame{m_thumbnailSize.width(), m_thumbnailSize.height(), m_thumbnailSize.width() / 2,
                         m_thumbnailSize.height() / 2, m_frame.marginX, m_frame.marginY, 2, 4};
    m_thumbnailFit = FitCourseBox(item, frame, m_divisor);
    return m_thumbnailFit.Fitted() ? 0 : 1;
}

int CDrawMapSegCtrl::DrawCourse(const orvelo::LapAnalysisItem& item) {
    const auto& points = item.coursePoints;
    if (!m_fit.Fitted() || points.empty() || m_layers.Course().isNull())
        return 0;
    const bool segmentMode = m_mode == kSegmentMode;
    DrawnPointTable before;
    std::swap(before, m_drawn);
    m_drawn.Reset(points.size());
    // Under the segments the course is black in the extra layer, so that
    // composing clears exactly the pixels the segment lines are ORed into.
    CourseRun run(m_layers.Course(), m_layers.Extra());
    int turn = 0;
    QPoint previous(m_fit.PixelX(points[0].prevX), m_fit.PixelY(points[0].prevY));
    run.Start(previous, segmentMode ? CourseRun::kTransparent : m_style.CourseColor(turn), m_style.PenWidth());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const orvelo::CoursePoint& point = points[i];
        DrawnPointTable::Record& record = *m_drawn.At(i);
        if (point.skipFlag != 0) {
            if (!segmentMode)
                run.ChangeColor(m_style.CourseColor(++turn));
            record = {previous.x(), previous.y(), previous.x(), previous.y(), true, point.cumulativeDistance};
            continue;
        }
        const QPoint current(m_fit.PixelX(point.x), m_fit.PixelY(point.y));
        run.LineTo(current);
        record = {current.x(), current.y(), previous.x(), previous.y(), false, point.cumulativeDistance};
        previous = current;
    }
    run.Flush();
    m_drawn.Finish(points.size());
    m_segments.SetHitArea(QRect(QPoint(m_fit.right, m_fit.bottom), QPoint(m_fit.left, m_fit.top)),
                          m_frame.width + m_frame.height);
    // The segments' lines follow the course where it is drawn now.
    if (!m_drawn.SameDrawing(before))
        m_segmentLayers.InvalidateLines();
    m_baseStale = true;
    return static_cast<int>(points.size());
}

void CDrawMapSegCtrl::DrawThumbnailCourse(const orvelo::LapAnalysisItem& item) {
    const auto& points = item.coursePoints;
    if (!m_thumbnailFit.Fitted() || points.empty() || m_thumbnail.isNull())
        return;
    CourseRun run(m_thumbnail, m_thumbnail);
    int turn = 0;
    run.Start(QPoint(m_thumbnailFit.PixelX(points[0].prevX), m_thumbnailFit.PixelY(points[0].prevY)),
              m_style.CourseColor(turn), m_style.PenWidth());
    for (const orvelo::CoursePoint& point : points) {
        if (point.skipFlag != 0)
            run.ChangeColor(m_style.CourseColor(++turn));
        else
            run.LineTo(QPoint(m_thumbnailFit.PixelX(point.x), m_thumbnailFit.PixelY(point.y)));
    }
    run.Flush();
}

void CDrawMapSegCtrl::RedrawDirtySegments() {
    m_changed += m_segmentLayers.RedrawDirty(m_segments.Segments(), m_drawn, m_segments.SelectedNumber(),
                                             SelectionPen(), m_segments.TakeVacated());
}

void CDrawMapSegCtrl::DrawPositionMark(const orvelo::LapAnalysisItem& item) {
    if (item.coursePoints.empty() || m_drawn.Used() == 0)
        return;
    const DrawnPointTable::Record& last = *m_drawn.At(m_drawn.Used() - 1);
    m_layers.DrawPositionMark(QPoint(last.x, last.y), m_fit.markSize, item.coursePoints.back(),
                              m_style.MarkPenColor(), m_style.MarkPenWidth());
    m_baseStale = true;
}

void CDrawMapSegCtrl::DrawMessageText(const QString& text) {
    CreateLayers();
    // The notice stands in for the course: no segments over it.
    m_segmentLayers.ClearLines();
    m_layers.WriteText(QPoint(10, 10), platform::GdiFont(QStringLiteral("Arial"), 16, 400), kTextColor, text);
}

void CDrawMapSegCtrl::DrawLabel(const QString& text) {
    m_layers.WriteText(QPoint(5, 5), platform::GdiFont(QStringLiteral("Arial"), 12, 400), m_style.LabelColor(), text);
    m_baseStale = true;
}

int CDrawMapSegCtrl::SelectSegmentAt(int index) {
    const int selected = m_segments.SelectSegmentAt(index);
    RedrawDirtySegments();
    DrawSelectedMarkers();
    return selected;
}

int CDrawMapSegCtrl::DragBoundary(const QPoint& point, const orvelo::LapAnalysisItem& item) {
    const int moved = m_segments.DragBoundary(point, item);
    RedrawDirtySegments();
    DrawSelectedMarkers();
    return moved;
}

void CDrawMapSegCtrl::DrawSelectedMarkers() {
    const MapLayerItem* selected = m_segments.Selected();
    if (!selected || !selected->markerShown || m_layers.Course().isNull())
        return;
    // The mask's triangles with the black pen of the course under the segments.
    m_changed += m_segmentLayers.DrawMarkers(selected->triangles, kMarkerColor, SelectionPen(),
                                             CourseRun::Pen(CourseRun::kTransparent, m_style.PenWidth()));
}

platform::ColorRef CDrawMapSegCtrl::SelectedColor() const {
    const MapLayerItem* selected = m_segments.Selected();
    return selected ? selected->colour : 0;
}

void CDrawMapSegCtrl::Present() {
    if (m_layers.Course().isNull())
        return;
    const QImage& composed = m_layers.Composed();
    if (m_baseStale || m_presented.size() != composed.size()) {
        m_layers.Compose(m_mode == kSegmentMode || m_style.ExtraShown());
        m_baseStale = false;
        if (m_presented.size() != composed.size())
            m_presented = QImage(composed.size(), QImage::Format_RGB32);
        m_changed = QRegion(m_presented.rect());
    }
    const QRegion changed = m_changed.intersected(m_presented.rect());
    m_changed = QRegion();
    MapLayerItem* selected = m_segments.Selected();
    if (m_mode != kSegmentMode) {
        for (const QRect& rect : changed)
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                std::copy_n(reinterpret_cast<const QRgb*>(composed.constScanLine(y)) + rect.left(), rect.width(),
                            reinterpret_cast<QRgb*>(m_presented.scanLine(y)) + rect.left());
    } else if (selected && selected->markerShown) {
        m_segmentLayers.Compose(composed, m_presented, changed, true);
        // Shown once: the next picture is put together without them.
        selected->markerShown = false;
        m_changed = m_segmentLayers.MarkerArea();
    } else {
        m_segmentLayers.Compose(composed, m_presented, changed, false);
    }
    if (m_window && !changed.isEmpty())
        m_window->update(changed);
}
