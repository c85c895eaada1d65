#include "coursemap/CDrawCorseCtrl.h"

#include "coursemap/CourseRun.h"

#include "core/LapDataCore.h"
#include "core/SegmentGroupCodec.h"
#include "platform/GdiDraw.h"
#include "platform/MessageBox.h"

#include <QDebug>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <new>

CDrawCorseCtrl::CDrawCorseCtrl(const orvelo::LapDataCore& core) : m_core(core) {}

CDrawCorseCtrl::~CDrawCorseCtrl() = default;

void CDrawCorseCtrl::ApplyMapProperty(const MapViewProperty& property) { m_style.Apply(property); }

void CDrawCorseCtrl::UpdateClientSize() {
    const QSize size = m_window ? m_window->size() : QSize();
    m_frame.Resize(size.width(), size.height());
}

void CDrawCorseCtrl::SetValueRange(double minimum, double maximum) {
    if (!(maximum >= minimum)) {
        qDebug("warning ; ");
        return;
    }
    m_frame.marginX = m_frame.height / 3;
    m_frame.marginY = m_frame.height / 3;
}

void CDrawCorseCtrl::CreateLayers() {
    m_layers.Create(ClientSize(), m_style.Background());
    m_messageText.clear();
}

int CDrawCorseCtrl::FitCourse(int pointCount, const orvelo::LapAnalysisItem& item) {
    m_fit = CourseFit{};
    if (pointCount <= 0 || item.projectedPoints.empty())
        return 2;
    m_fit = FitCourseBox(item, m_frame, m_divisor);
    if (!m_fit.Fitted())
        return 1;
    try {
        // Every projected point after the first takes a record, drawn or not.
        m_table.Reset(item.projectedPoints.size());
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return 0;
}

void CDrawCorseCtrl::SetSegmentGroup(const orvelo::SegmentGroup* group) {
    m_groupFlag = group != nullptr;
    m_group = group ? *group : orvelo::SegmentGroup{};
}

int CDrawCorseCtrl::DrawCourse(const orvelo::LapAnalysisItem& item) {
    const orvelo::ChunkedList<orvelo::ProjectedPoint>& points = item.projectedPoints;
    const bool withGroup = m_groupFlag;
    m_groupFlag = false;
    if (!m_fit.Fitted() || points.empty() || m_table.Size() + 1 < points.size())
        return 0;
    const int penWidth = m_style.PenWidth();
    const std::size_t pairCount = withGroup ? orvelo::UsablePairCount(m_group) : 0;
    std::size_t nextPair = 0;
    int turn = 0;
    QPoint previous(m_fit.PixelX(points[0].x), m_fit.PixelY(points[0].y));
    CourseRun run(m_layers.Course(), m_layers.Extra());
    run.Start(previous, m_style.CourseColor(turn), penWidth);
    std::int32_t drawn = 0;
    const auto nextColor = [&] { run.ChangeColor(m_style.CourseColor(++turn)); };
    for (std::size_t i = 1; i < points.size(); ++i) {
        const orvelo::ProjectedPoint& point = points[i];
        DrawnPointTable::Record& record = *m_table.At(i - 1);
        record = DrawnPointTable::Record{};
        if (point.skipFlag != 0) {
            if (!withGroup)
                nextColor();
            continue;
        }
        if (nextPair < pairCount && m_group.pairs[nextPair].endPointIndex == drawn) {
            nextColor();
            ++nextPair;
        }
        const QPoint current(m_fit.PixelX(point.x), m_fit.PixelY(point.y));
        run.LineTo(current);
        record = {current.x(), current.y(), previous.x(), previous.y(), current.isNull(), point.runningDistance};
        previous = current;
        ++drawn;
    }
    run.Flush();
    m_table.Finish(points.size() - 1);
    return static_cast<int>(m_table.Used());
}

void CDrawCorseCtrl::DrawPositionMark(int index, const orvelo::LapAnalysisItem& item) {
    if (index < 0 || item.coursePoints.empty())
        return;
    const int at = m_table.PositionedAtOrBefore(static_cast<std::size_t>(index));
    if (at < 0)
        return;
    const DrawnPointTable::Record& record = *m_table.At(static_cast<std::size_t>(at));
    m_layers.DrawPositionMark(QPoint(record.x, record.y), m_fit.markSize, item.coursePoints.back(),
                              m_style.MarkPenColor(), m_style.MarkPenWidth());
}

void CDrawCorseCtrl::DrawMessageText(const QString& text) {
    CreateLayers();
    m_messageText = text;
    m_layers.WriteText(QPoint(10, 10), platform::GdiFont(QStringLiteral("Arial"), 16, 400), m_textColor, text);
}

void CDrawCorseCtrl::ComposeLayers() {
    m_layers.Compose(m_style.ExtraShown());
    m_presented = m_layers.Composed().copy();
    m_marks.Forget();
    Show(QRegion(m_presented.rect()));
}

void CDrawCorseCtrl::SetOverlapLayers(int count) {
    ClearLapMarks();
    m_expectedMarks = count;
    m_updatedMarks = 0;
    if (m_marks.Build(m_core.SelectedLaps, count) != count)
        platform::ShowMessageBox(m_window, QStringLiteral("ERROR , unmach color layer table count != overlap count"),
                                 QStringLiteral("ERROR"), platform::kMbIconError);
}

void CDrawCorseCtrl::RecolorLapMarks() { m_marks.Recolor(m_core.SelectedLaps); }

void CDrawCorseCtrl::ClearLapMarks() {
    m_updatedMarks = 0;
    Show(m_marks.Erase(m_layers.Composed(), m_presented));
}

bool CDrawCorseCtrl::PointAtDistance(int distance, QPoint& point) const {
    const std::optional<QPoint> found = m_table.PointAtDistance(distance);
    if (!found)
        return false;
    point = *found;
    return true;
}

void CDrawCorseCtrl::MoveLapMark(int lapNumber, int lapIndex, int x, int y) {
    if (!m_marks.Move(lapNumber, lapIndex, QPoint(x, y)))
        return;
    if (++m_updatedMarks < m_expectedMarks)
        return;
    m_updatedMarks = 0;
    Show(m_marks.Present(m_layers.Composed(), m_presented));
}

void CDrawCorseCtrl::RestoreLapMarks(const std::vector<LapMarkAt>& marks) {
    for (const LapMarkAt& mark : marks)
        m_marks.Move(mark.lapNumber, mark.lapIndex, mark.centre);
    Show(m_marks.Present(m_layers.Composed(), m_presented));
}

void CDrawCorseCtrl::Show(const QRegion& changed) {
    if (m_window && !changed.isEmpty())
        m_window->update(changed);
}
