// The map segment edit view of the course map viewer: draws the lap the viewer shows with its own
// segment renderer and lets the user lay segments on it. The segments are a list of ends along the
// course (SegmentEndList) that the viewer's buttons (add, clear, reset), a click (select), a drag of
// the selected segment's markers, the grid's typed lengths and automatic segmentation change; the
// renderer is kept in step and every change is reported to the viewer with
// UM_NOW_SEGMENT_COUNT_ON_MAP. Hovering shows a segment's length in a tip, a click numbers the
// segments with labels, dragging shows the two lengths that change. It never writes the settings:
// the viewer takes the ends with ExportSegments when it saves. Drawing happens after whatever
// asked for it and only while shown; paintEvent only copies the picture.
#pragma once

#include "coursemap/CDrawMapSegCtrl.h"
#include "coursemap/QueuedRedraw.h"
#include "coursemap/SegmentEndList.h"

#include "core/LapData.h"
#include "platform/MessageRecords.h"
#include "platform/MessageWindow.h"
#include "settings/SettingsRecords.h"

#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class CColorToolTipWnd;
namespace orvelo {
class LapDataCore;
}

class CMapSegEditView : public QWidget {
public:
    // The menu's "Add Multiple Segment" commands: 8 asks for a length, 7 is never offered.
    static constexpr int kCmdInputSegmentLength = 8;
    static constexpr int kCmdAutoStartCross = 7;
    static constexpr int kTipWakeUpMs = 200;
    static constexpr int kTipShownMs = 32767;
    static constexpr platform::ColorRef kLabelText = 0x202020;
    static constexpr QSize kNumberLabelSize{28, 18};
    static constexpr QSize kLengthLabelSize{68, 20};

    // mainFrame: the window that owns the view's warnings.
    CMapSegEditView(orvelo::LapDataCore& core, platform::WindowHandle mainFrame, QWidget* parent = nullptr);
    ~CMapSegEditView() override;

    platform::WindowHandle Handle() const { return m_window.Handle(); }

    // ---- The viewer's calls
    // The lap to show, chosen among the log files (list mode 0) or the course-map files (1); no segments.
    void SetLap(const orvelo::LapRef& lap, int listMode);
    // A stored group to show, its end points (course point indices) and ends (metres); the renderer
    // takes them at the next drawing. A group without segments leaves the view without any.
    void SetSegmentGroup(const orvelo::SegmentGroup& group, const std::vector<int>& endPoints,
                         const std::vector<int>& ends);
    // The segments' end points and ends as they are now; both empty without segments.
    void ExportSegments(std::vector<int>& endPoints, std::vector<int>& ends);
    // The number labels go, until a click or double click puts them up again.
    void DestroySegmentLabels();
    // Automatic segmentation (mode 8) into lengths of about length metres; reported to the owner.
    void GenerateSegments(int mode, int length);
    // A redraw that was asked for happens now (when the view is shown).
    void UpdateWindow();
    // The view's drawing properties: grey and orange course colours on the button face.
    static MapViewProperty DefaultProperty();

    // ---- What it holds and shows
    const std::vector<int>& SegmentEnds() const { return m_ends.Ends(); }
    int SegmentCount() const { return m_ends.Count(); }
    int SelectedSegment() const { return m_selected; }
    int HoveredSegment() const { return m_hovered; }
    bool CourseDrawn() const { return m_courseDrawn; }
    // The course length D: the shown lap's distance in metres (0 without a lap).
    int CourseLength() const;
    CDrawMapSegCtrl& Renderer() { return *m_renderer; }
    const platform::MapInfoBlock& Course() const { return m_course; }
    // The tip's text for the hovered segment: "S%d : %d" with its number and length; empty for none.
    QString TipText() const;
    const std::vector<CColorToolTipWnd*>& NumberLabels() const { return m_numberLabels; }
    const CColorToolTipWnd& LengthLabel(int i) const { return *m_lengthLabels[static_cast<std::size_t>(i)]; }
    // What a menu entry does.
    void OnMenuCommand(int id);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Messages and edits (CMapSegEditView.cpp).
    void MapMessages();
    platform::LResult OnSelectedMap(const platform::Message& m);
    void Add(platform::WindowHandle reportTo);
    void Clear(platform::WindowHandle reportTo);
    platform::LResult ChangeLength(int k, int length);
    void MoveBoundary(int delta);
    void Rotate(int angle);
    void SetDrawingMode(int gps, int offset);
    void ApplyEdits(const SegmentEndList::Edits& edits);
    void AfterEdit(platform::WindowHandle reportTo);
    void ReportCount(platform::WindowHandle to);
    orvelo::Lap* ShownLap() const;
    const orvelo::LapAnalysisItem* ShownItem() const;

    // Drawing (CMapSegEditViewDraw.cpp).
    void Invalidate();
    void Redraw();
    void SetUpRenderer();
    void DrawMap();
    void TakeGivenSegments(const orvelo::LapAnalysisItem& item);
    void PresentEdits();
    void RebuildLabels();
    int DrawingModeCode() const;

    // Input (CMapSegEditViewInput.cpp).
    void SelectAt(const QPoint& point);
    void DragTo(const QPoint& point);
    void Hover(const QPoint& point);
    void DeactivateTip();
    void ShowTip();
    void HideLengthLabels();

    platform::MessageWindow m_window;
    orvelo::LapDataCore& m_core;
    platform::WindowHandle m_mainFrame;
    platform::WindowHandle m_owner = platform::kNoWindow;
    platform::MapInfoBlock m_course{};
    std::unique_ptr<CDrawMapSegCtrl> m_renderer;
    MapViewProperty m_property;

    orvelo::LapRef m_lap;
    bool m_lapGiven = false;
    int m_listMode = 0;
    SegmentEndList m_ends;
    std::vector<int> m_endPoints;
    orvelo::SegmentGroup m_group;
    bool m_groupGiven = false;     // the group's segments are for the next drawing
    bool m_findEndPoints = false;  // the course was built again: the ends find their points anew
    int m_selected = 0;
    int m_hovered = 0;

    bool m_courseDrawn = false;
    bool m_mouseDown = false;
    bool m_dragAllowed = false;
    bool m_captured = false;
    bool m_labelsDirty = true;
    bool m_rendererSetUp = false;
    bool m_drawWhole = true;  // the next paint draws the map, not only the edits
    QueuedRedraw m_redraw;

    QPoint m_lastMouse;
    QTimer m_tipWake;
    std::array<CColorToolTipWnd*, 2> m_lengthLabels{};
    std::vector<CColorToolTipWnd*> m_numberLabels;
};
