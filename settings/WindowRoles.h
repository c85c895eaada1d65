// What the shell needs from the windows that other subsystems build: the
// docking panes, the floating windows of the main frame and the graph windows
// of a work area. Each is a QWidget owned by its Qt parent and reached by its
// message handle; the interfaces give only what the main frame and the work
// areas call directly.
#pragma once

#include "platform/WindowMessage.h"
#include "platform/WindowPlacement.h"
#include "settings/CourseBlock.h"

#include <QString>
#include <string>

class QWidget;

// A docking pane of the main frame.
class DockPane {
public:
    virtual ~DockPane() = default;
    virtual QWidget* Widget() = 0;
    virtual platform::WindowHandle Handle() const = 0;
};

// The segment list pane; its list view is the target of the segment messages.
class SegmentListPane : public DockPane {
public:
    virtual platform::WindowHandle ViewHandle() const = 0;
};

// The lap list pane; it refills the segment list it is told about.
class LapListPane : public DockPane {
public:
    virtual void UseSegmentList(SegmentListPane& segmentList) = 0;
};

// The properties pane with its small course map.
class PropertiesPane : public DockPane {
public:
    virtual platform::WindowHandle MapWindow() const = 0;
    // The map path of the course the small map shows (empty when none).
    virtual std::u16string ShownMapPath() const = 0;
    // Whether the small map has a segment group for its course.
    virtual bool MapHasSegmentGroup() const = 0;
};

// The small course map of the properties pane, as the pane drives it.
class CourseMapView {
public:
    virtual ~CourseMapView() = default;
    virtual QWidget* Widget() = 0;
    virtual platform::WindowHandle Handle() const = 0;
    // 2022: the request word (0 = course data present) and the course chosen (null when none).
    virtual void SetCourse(platform::WParam request, const CourseBlock* course) = 0;
    // 2042: course-map files were read; answerTo gets the course it shows.
    virtual void ShowReadMapFile(platform::WindowHandle answerTo) = 0;
    // 2027: files were closed, 0 log files, 1 course-map files.
    virtual void ResetCourse(int mode) = 0;
    // 2017: the lap's mark (row among the compared laps) to the distance in metres.
    virtual void MoveCursorMarks(int lapNumber, int lapIndex, int distance) = 0;
    // The number of compared laps changed (2023).
    virtual void SetOverlapLayers(int count) = 0;
    // The graph cursor is gone: no lap's mark is shown or put back.
    virtual void ClearCursorMarks() = 0;
    // The map path of the course shown (empty when none).
    virtual std::u16string ShownMapPath() const = 0;
    // Whether the course shown has a segment group.
    virtual bool HasSegmentGroup() const = 0;
};

// Where the main frame wrote the last lap it registered as a course map (2041), which the
// course map viewer's Save needs.
class CourseRegistry {
public:
    virtual ~CourseRegistry() = default;
    // The course-map file written by the last registration that succeeded; empty before one.
    virtual std::u16string RegisteredMapPath() const = 0;
};

// A modeless window owned by the main frame.
class FloatingWindow {
public:
    virtual ~FloatingWindow() = default;
    virtual QWidget* Widget() = 0;
    virtual platform::WindowHandle Handle() const = 0;
    // Last words before the frame deletes it (placements are written here).
    virtual void Shutdown() = 0;
    // Where it stands now, for the frame's copy before the frame deletes it.
    virtual platform::WindowPlacement Placement() const = 0;
};

// The variable Y-scale dialog, bound to one channel of one lap overview window.
class YScaleWindow : public FloatingWindow {
public:
    // The channel (1 to 18) the scale view shows; 0 when it shows none.
    virtual int ChannelOf(platform::WindowHandle scaleView) = 0;
    virtual void Bind(platform::WindowHandle scaleView, platform::WindowHandle lapOverview, int channel) = 0;
};

// A graph window of a work area: kind 1 file overview, 2 lap overview.
class GraphWindow {
public:
    enum Kind : int { kNone = 0, kFileOverview = 1, kLapOverview = 2 };
    virtual ~GraphWindow() = default;
    virtual QWidget* Widget() = 0;
    virtual platform::WindowHandle Handle() const = 0;
    // Where a new window of its kind and slot goes in a work area of this size.
    virtual QRect DefaultPlace(const QSize& workArea) const = 0;
    // The place it opened at from its stored record; empty when it took its default place.
    virtual QRect RestoredPlace() const = 0;
    // Shown by its work area from its restored place (moved into reach, or not moved): while it stays
    // there it stores its record as it was read. Empty when it took its default place instead.
    virtual void ShownInWorkArea(const QRect& shown) = 0;
    // Its work area is shown: a redraw for the compared laps that it missed while the area was out
    // of view is taken now. True when it takes one.
    virtual bool OnWorkAreaShown() { return false; }
};
