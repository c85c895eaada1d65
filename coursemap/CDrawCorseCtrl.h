// Draws one lap's course for the small course map: fits it into the window,
// draws the polyline in layers with a colour that changes at boundaries or at
// the ends of a segment group's segments, marks the start and finish line,
// writes a notice where no course can be drawn, and keeps one disc per
// compared lap that follows the graph cursor. A plain object: the map view
// owns it, gives it its window and its map properties, and calls it to draw.
// The picture for the window is Presented(); it changes only by ComposeLayers
// (whole) and by the lap marks (where they moved), each time with a repaint of
// what changed.
#pragma once

#include "coursemap/CourseFit.h"
#include "coursemap/CourseLayers.h"
#include "coursemap/CourseStyle.h"
#include "coursemap/DrawnPointTable.h"
#include "coursemap/LapMarks.h"

#include "core/LapData.h"
#include "platform/ColorRef.h"
#include "settings/SettingsRecords.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

namespace orvelo {
class LapDataCore;
}

class CDrawCorseCtrl {
public:
    static constexpr int kStartDivisor = 160;

    // The compared laps of core give the lap marks.
    explicit CDrawCorseCtrl(const orvelo::LapDataCore& core);
    virtual ~CDrawCorseCtrl();
    CDrawCorseCtrl(const CDrawCorseCtrl&) = delete;
    CDrawCorseCtrl& operator=(const CDrawCorseCtrl&) = delete;

    // The window the picture is for; its size is the layers' size.
    void SetWindow(QWidget* window) { m_window = window; }
    void ApplyMapProperty(const MapViewProperty& property);
    void UpdateClientSize();
    // max >= min: both margins become a third of the height (the range itself
    // draws nothing); otherwise a warning on the debug output.
    void SetValueRange(double minimum, double maximum);
    void SetTextColor(platform::ColorRef color) { m_textColor = color; }
    // How many of the map properties' course colours take turns (1 to 6).
    void SetCourseColorCount(int count) { m_style.SetCourseColorCount(count); }
    void CreateLayers();

    void SetDivisor(int divisor) { m_divisor = divisor; }
    int Divisor() const { return m_divisor; }
    // 0 fitted, 1 zero width (or no scale fits), 2 no points, -1 out of memory.
    int FitCourse(int pointCount, const orvelo::LapAnalysisItem& item);
    // The segment ends the next DrawCourse colours by; null for none. Used by one drawing only.
    void SetSegmentGroup(const orvelo::SegmentGroup* group);
    // The number of point records used.
    int DrawCourse(const orvelo::LapAnalysisItem& item);
    // The start and finish mark across the course at a point record.
    void DrawPositionMark(int index, const orvelo::LapAnalysisItem& item);
    // New layers with the text in the course layer.
    void DrawMessageText(const QString& text);
    void ComposeLayers();

    // One lap mark per active compared lap, count of them expected; the marks shown before are taken off.
    void SetOverlapLayers(int count);
    // The lap marks take the compared laps' colours as they are now.
    void RecolorLapMarks();
    // Takes every lap mark off the picture; none is shown until moved again.
    void ClearLapMarks();
    // The position on the drawn course at a distance in metres; false when nothing is drawn.
    bool PointAtDistance(int distance, QPoint& point) const;
    // Centres the mark of the compared lap in row lapIndex on (x, y); once every
    // expected mark moved, puts them on the picture.
    void MoveLapMark(int lapNumber, int lapIndex, int x, int y);
    struct LapMarkAt {
        int lapNumber = 0;
        int lapIndex = 0;
        QPoint centre;
    };
    // The marks put on a picture made anew (ComposeLayers drops them), all at once.
    void RestoreLapMarks(const std::vector<LapMarkAt>& marks);

    const QImage& Presented() const { return m_presented; }
    // The notice the course layer holds instead of a course (empty when none).
    const QString& MessageText() const { return m_messageText; }
    const CourseFit& Fit() const { return m_fit; }
    const CourseLayers& Layers() const { return m_layers; }
    const DrawnPointTable& Table() const { return m_table; }
    const LapMarks& Marks() const { return m_marks; }
    int ExpectedMarks() const { return m_expectedMarks; }
    QSize ClientSize() const { return QSize(m_frame.width, m_frame.height); }

private:
    void Show(const QRegion& changed);

    const orvelo::LapDataCore& m_core;
    QPointer<QWidget> m_window;
    CourseStyle m_style;
    platform::ColorRef m_textColor = 0xFFFF00;
    FitFrame m_frame;  // the window, its margins set by the value range
    int m_divisor = kStartDivisor;
    CourseFit m_fit;

    bool m_groupFlag = false;
    orvelo::SegmentGroup m_group;

    CourseLayers m_layers;
    DrawnPointTable m_table;
    LapMarks m_marks;
    int m_expectedMarks = 0;
    int m_updatedMarks = 0;
    QImage m_presented;
    QString m_messageText;
};
