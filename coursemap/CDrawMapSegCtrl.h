// The course renderer of the course map viewer (lap thumbnails) and of the
// map segment edit view: fits a lap's course into the view or into a
// thumbnail, draws it, draws the segments laid on it (MapSegmentModel) each
// in its colour, the selected one wider with two markers at its end, the
// start and finish mark and two kinds of text, and composes the layers into
// the picture for the owner's window with black as the transparent colour.
// It keeps where it drew each course point; nothing is written into the lap.
// A plain object: its owner gives it a window and calls it to draw; the
// picture changes by Present() only, with a repaint of what changed.
#pragma once

#include "coursemap/CourseFit.h"
#include "coursemap/CourseLayers.h"
#include "coursemap/CourseStyle.h"
#include "coursemap/DrawnPointTable.h"
#include "coursemap/MapSegmentModel.h"
#include "coursemap/SegmentLayers.h"

#include "core/LapData.h"
#include "platform/ColorRef.h"
#include "settings/SettingsRecords.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <vector>

class CDrawMapSegCtrl {
public:
    static constexpr int kStartDivisor = 160;
    // The drawing mode in which segments are edited and shown.
    static constexpr int kSegmentMode = 2;
    static constexpr platform::ColorRef kTextColor = 0xFFFF00;
    static constexpr platform::ColorRef kMarkerColor = 0x0505F0;
    static constexpr QSize kThumbnailSize{125, 100};

    CDrawMapSegCtrl();
    virtual ~CDrawMapSegCtrl();
    CDrawMapSegCtrl(const CDrawMapSegCtrl&) = delete;
    CDrawMapSegCtrl& operator=(const CDrawMapSegCtrl&) = delete;

    // ---- Set-up
    // The window the picture is for; its size is the layers' size.
    void SetWindow(QWidget* window) { m_window = window; }
    // kSegmentMode: the course in black under the segments; otherwise the course in the course colours.
    void SetDrawMode(int mode);
    int DrawMode() const { return m_mode; }
    // Words 0.. the course colours, 6 background, 7 label colour, 8 start and
    // finish mark, 9 pen width, 11 extra layer shown outside kSegmentMode.
    void ApplyMapProperty(const MapViewProperty& property);
    // How many of the course colours take turns at boundaries (1 to 6).
    void SetCourseColorCount(int count) { m_style.SetCourseColorCount(count); }
    // The window's size; the course centre lands at its middle.
    void UpdateClientSize();
    // The fitted course stays this much smaller than the view or thumbnail.
    void SetMargins(int x, int y);
    // N, where each fit starts counting down.
    void SetDivisor(int divisor) { m_divisor = divisor; }
    void SetThumbnailSize(const QSize& size) { m_thumbnailSize = size; }
    // The course layers at the window's size in the background colour; the
    // segments' layers are made again only when the size changed.
    void CreateLayers();
    void CreateThumbnailLayer();

    // ---- Drawing
    // 0 fitted, 1 no width (or no scale fits), 2 no course points.
    int FitCourse(const orvelo::LapAnalysisItem& item);
    // 0 fitted, 1 not (no width, no course, no scale fits).
    int FitThumbnail(const orvelo::LapAnalysisItem& item);
    // The course as fitted, remembering where each course point lands; when
    // they land elsewhere than before, every segment is to be drawn again.
    // The number of course points.
    int DrawCourse(const orvelo::LapAnalysisItem& item);
    void DrawThumbnailCourse(const orvelo::LapAnalysisItem& item);
    // The line of every segment marked dirty.
    void RedrawDirtySegments();
    // The start and finish mark across the course at its last point.
    void DrawPositionMark(const orvelo::LapAnalysisItem& item);
    // New layers, without segments, with the text in the course layer at (10, 10).
    void DrawMessageText(const QString& text);
    // The text in the label colour at (5, 5).
    void DrawLabel(const QString& text);
    // Puts the layers together into the picture: in kSegmentMode the
    // segments over the black course and, once after each selection or drag,
    // the selected segment's markers.
    void Present();

    // ---- Segments (see MapSegmentModel). They work on where the course was
    // last drawn; the owner draws what they change with RedrawDirtySegments
    // (after RefreshBoundaries when the course was drawn again) and Present.
    void EditSegments(int operation, int flagOrIndex, int distance, const orvelo::LapAnalysisItem& item) {
        m_segments.EditSegments(operation, flagOrIndex, distance, item);
    }
    void BuildSegments(const std::vector<int>& distances, std::vector<int>& indices,
                       const orvelo::LapAnalysisItem& item) {
        m_segments.BuildSegments(distances, indices, item);
    }
    void BuildSegmentsFromIndices(const orvelo::LapAnalysisItem& item, const std::vector<int>& indices,
                                  std::vector<int>& distances) {
        m_segments.BuildSegmentsFromIndices(item, indices, distances);
    }
    void ExportEndIndices(std::vector<int>& indices) const { m_segments.ExportEndIndices(indices); }
    void SetEndDistances(const std::vector<int>& distances, const orvelo::LapAnalysisItem& item) {
        m_segments.SetEndDistances(distances, item);
    }
    void RefreshBoundaries(const orvelo::LapAnalysisItem& item) { m_segments.RefreshBoundaries(item); }
    void ResetSegments() { m_segments.ResetSegments(); }
    int PointAtDistance(int distance, QPoint& point) const { return m_segments.PointAtDistance(distance, point); }
    int NearestCoursePoint(const QPoint& point) { return m_segments.NearestCoursePoint(point); }
    int SegmentAt(const QPoint& point) { return m_segments.SegmentAt(point); }
    bool MarkerHit(const QPoint& point) { return m_segments.MarkerHit(point); }
    // These two draw at once what they change (lines and markers); Present shows it.
    int SelectSegmentAt(int index);
    int DragBoundary(const QPoint& point, const orvelo::LapAnalysisItem& item);

    // ---- What it holds
    const MapSegmentModel& Segments() const { return m_segments; }
    // The selected segment's colour, 0 with none.
    platform::ColorRef SelectedColor() const;
    const QImage& Presented() const { return m_presented; }
    const QImage& Thumbnail() const { return m_thumbnail; }
    const CourseFit& Fit() const { return m_fit; }
    const CourseFit& ThumbnailFit() const { return m_thumbnailFit; }
    const DrawnPointTable& Drawn() const { return m_drawn; }
    const CourseLayers& Layers() const { return m_layers; }
    const SegmentLayers& SegmentLayer() const { return m_segmentLayers; }
    QSize ClientSize() const { return QSize(m_frame.width, m_frame.height); }

private:
    QPen SelectionPen() const;
    void DrawSelectedMarkers();

    QPointer<QWidget> m_window;
    int m_mode = 0;
    CourseStyle m_style;
    FitFrame m_frame;  // the window and the owner's margins
    int m_divisor = kStartDivisor;
    QSize m_thumbnailSize = kThumbnailSize;
    CourseFit m_fit;
    CourseFit m_thumbnailFit;

    DrawnPointTable m_drawn;
    MapSegmentModel m_segments{m_drawn};
    CourseLayers m_layers;
    SegmentLayers m_segmentLayers;
    QImage m_thumbnail;
    QImage m_presented;
    bool m_baseStale = true;  // the layers under the segments changed since the last Present
    QRegion m_changed;        // what the next Present must put together again
};
