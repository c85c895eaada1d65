#include "coursemap/CDrawCorseCtrl.h"

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

namespace {

constexpr platform::ColorRef kTransparent = 0x000000;
constexpr int kMaxPenWidth = 64;

// GDI's wide solid pens have round ends and joins; a 1-pixel one is the plain line.
QPen CoursePen(platform::ColorRef color, int width) {
    QPen pen = platform::GdiPen(color, std::clamp(width, 1, kMaxPenWidth));
    if (pen.width() > 1) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

// The polyline of one colour, drawn in one go when the colour changes.
class CourseRun {
public:
    CourseRun(QImage& course, QImage& extra) : m_course(course), m_extra(extra) {}

    void Start(const QPoint& from, platform::ColorRef color, int width) {
        m_points.clear();
        m_points << from;
        m_color = color;
        m_width = width;
    }
    void LineTo(const QPoint& to) {
        if (m_points.isEmpty() || m_points.last() != to)
            m_points << to;
    }
    void Flush() {
        if (m_points.size() < 2)
            return;
        // A course colour that is the transparent black goes to the extra layer, black on white.
        QPainter painter(m_color == kTransparent ? &m_extra : &m_course);
        platform::PrepareGdiPainter(painter);
        painter.setPen(CoursePen(m_color, m_width));
        painter.drawPolyline(m_points);
        m_points = QPolygon{m_points.last()};
    }

private:
    QImage& m_course;
    QImage& m_extra;
    QPolygon m_points;
    platform::ColorRef m_color = 0;
    int m_width = 1;
};

}  // namespace

CDrawCorseCtrl::CDrawCorseCtrl(const orvelo::LapDataCore& core) : m_core(core) {}

CDrawCorseCtrl::~CDrawCorseCtrl() = default;

void CDrawCorseCtrl::ApplyMapProperty(const MapViewProperty& property) {
    m_property = property;
    m_background = property.words[6];
    m_markPenColor = property.words[8];
    m_markPenWidth = 2;
}

void CDrawCorseCtrl::UpdateClientSize() {
    const QSize size = m_window ? m_window->size() : QSize();
    m_width = std::max(size.width(), 0);
    m_height = std::max(size.height(), 0);
}

void CDrawCorseCtrl::SetValueRange(double minimum, double maximum) {
    if (!(maximum >= minimum)) {
        qDebug("warning ; ");
        return;
    }
    m_marginX = m_height / 3;
    m_marginY = m_height / 3;
}

void CDrawCorseCtrl::SetCourseColorCount(int count) { m_courseColorCount = std::clamp(count, 1, kMaxCourseColors); }

void CDrawCorseCtrl::CreateLayers() {
    m_layers.Create(QSize(m_width, m_height), m_background);
    m_messageText.clear();
}

FitFrame CDrawCorseCtrl::Frame() const {
    FitFrame frame;
    frame.width = m_width;
    frame.height = m_height;
    frame.offsetX = m_width / 2;
    frame.offsetY = m_height / 2;
    frame.marginX = m_marginX;
    frame.marginY = m_marginY;
    return frame;
}

int CDrawCorseCtrl::FitCourse(int pointCount, const orvelo::LapAnalysisItem& item) {
    m_fit = CourseFit{};
    if (pointCount <= 0 || item.projectedPoints.empty())
        return 2;
    m_fit = FitCourseBox(item, Frame(), m_divisor);
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

platform::ColorRef CDrawCorseCtrl::CourseColor(int turn) const {
    return m_property.words[static_cast<std::size_t>(turn % m_courseColorCount)];
}

int CDrawCorseCtrl::DrawCourse(const orvelo::LapAnalysisItem& item) {
    const std::deque<orvelo::ProjectedPoint>& points = item.projectedPoints;
    const bool withGroup = m_groupFlag;
    m_groupFlag = false;
    if (!m_fit.Fitted() || points.empty() || m_table.Size() + 1 < points.size())
        return 0;
    const int penWidth = static_cast<int>(std::min<std::uint32_t>(m_property.words[9], kMaxPenWidth));
    const std::size_t pairCount = withGroup ? orvelo::UsablePairCount(m_group) : 0;
    std::size_t nextPair = 0;
    int turn = 0;
    QPoint previous(m_fit.PixelX(points[0].x), m_fit.PixelY(points[0].y));
    CourseRun run(m_layers.Course(), m_layers.Extra());
    run.Start(previous, CourseColor(turn), penWidth);
    std::int32_t drawn = 0;
    const auto nextColor = [&] {
        run.Flush();
        ++turn;
        run.Start(previous, CourseColor(turn), penWidth);
    };
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
    const orvelo::CoursePoint& last = item.coursePoints.back();
    const int h = (m_fit.markSize + 4) / 2;
    int dx = 0;
    int dy = 0;
    if (last.lineCase == 0) {
        const double a = std::atan(static_cast<double>(last.slopeAcross));
        dx = static_cast<int>(std::cos(a) * h);
        dy = static_cast<int>(std::sin(a) * h);
    } else if (last.lineCase == 1) {
        dx = h;
    } else {
        dy = h;
    }
    QPainter painter(&m_layers.Course());
    platform::PrepareGdiPainter(painter);
    painter.setPen(platform::GdiPen(m_markPenColor, m_markPenWidth));
    platform::GdiLine(painter, record.x - dx, record.y - dy, record.x + dx, record.y + dy);
}

void CDrawCorseCtrl::DrawMessageText(const QString& text) {
    CreateLayers();
    m_messageText = text;
    if (m_layers.Course().isNull())
        return;
    QPainter painter(&m_layers.Course());
    platform::PrepareGdiPainter(painter);
    painter.setFont(platform::GdiFont(QStringLiteral("Arial"), 16, 400));
    painter.setPen(platform::ToQColor(m_textColor));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(platform::ToQColor(m_background));
    painter.drawText(QRect(10, 10, std::max(m_width - 10, 1), std::max(m_height - 10, 1)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void CDrawCorseCtrl::ComposeLayers() {
    m_layers.Compose(m_property.words[11] != 0);
    m_presented = m_layers.Composed().copy();
    m_marks.Forget();
    Show(QRegion(m_presented.rect()));
}

void CDrawCorseCtrl::SetOverlapLayers(int count) {
    m_expectedMarks = count;
    m_updatedMarks = 0;
    if (m_marks.Build(m_core.SelectedLaps, count) != count)
        platform::ShowMessageBox(m_window, QStringLiteral("ERROR , unmach color layer table count != overlap count"),
                                 QStringLiteral("ERROR"), platform::kMbIconError);
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

void CDrawCorseCtrl::Show(const QRegion& changed) {
    if (m_window && !changed.isEmpty())
        m_window->update(changed);
}
