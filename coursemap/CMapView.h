// The small course map of the properties pane. It draws, with a
// CDrawCorseCtrl, either the current lap of the log files (lap mode) or the
// first lap of the active course-map file (map-file mode), in the latter with
// the segment group stored for that map; moves the compared laps' marks with
// the graph cursor; and offers the drawing mode, the map properties, the
// segment editor, registering the course and the loaded course-map files in
// its context menu. Its colours are kept as "Map_View_Prop". Drawing happens
// when the view is shown and something asked for it, as a window paints once
// after being invalidated; paintEvent only copies the picture.
#pragma once

#include "coursemap/CDrawCorseCtrl.h"
#include "coursemap/QueuedRedraw.h"

#include "platform/MessageWindow.h"
#include "settings/SettingsRecords.h"
#include "settings/WindowRoles.h"

#include <QString>
#include <QWidget>

#include <deque>
#include <memory>
#include <vector>

class AppSettings;

// One entry of the map view's context menu; id 0 with no text is a separator.
struct MapMenuItem {
    int id = 0;
    QString text;
    bool checked = false;
    bool inModeMenu = false;  // in the "Drawing Map Mode " submenu
};

class CMapView : public QWidget, public CourseMapView {
public:
    static constexpr int kLapMode = 0;
    static constexpr int kMapFileMode = 1;
    static constexpr int kFirstMapFileCommand = 7;
    static constexpr platform::ColorRef kTextColor = 0x140AF0;  // of the notices

    // Reads its properties and the segment groups (into groups) at once.
    CMapView(QWidget* parent, orvelo::LapDataCore& core, AppSettings& settings,
             std::deque<orvelo::SegmentGroup>& groups, platform::WindowHandle mainFrame);
    ~CMapView() override;

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return m_window.Handle(); }
    void SetCourse(platform::WParam request, const CourseBlock* course) override;
    void ShowReadMapFile(platform::WindowHandle answerTo) override;
    void ResetCourse(int mode) override;
    void MoveCursorMarks(int lapNumber, int lapIndex, int distance) override;
    void SetOverlapLayers(int count) override;
    void ClearCursorMarks() override;
    std::u16string ShownMapPath() const override;
    bool HasSegmentGroup() const override { return m_segmentGroupPresent; }

    // The context menu as it would open now.
    std::vector<MapMenuItem> ContextMenuItems() const;
    // What a menu entry does; fullMenu: the menu of a drawn course.
    void OnMenuCommand(int id, bool fullMenu = true);
    // The shown lap drawn by GPS (gps) or with offset (offset); 1 when refused
    // for a lap without GPS data (the mode stays as it was), else 0.
    int SetGpsMode(int gps, int offset);
    // "Map_View_Prop": op 1 writes the view's block, else reads it (zeroed first); 0 ok, 1 failure.
    int PersistMapProperty(int op);
    // A redraw that was asked for happens now (when the view is shown).
    void UpdateWindow();

    int Mode() const { return m_mode; }
    bool CourseDrawn() const { return m_courseDrawn; }
    const MapViewProperty& Property() const { return m_property; }
    const CourseBlock& Course() const { return m_course; }
    int SavedAngle() const { return m_savedAngle; }
    CDrawCorseCtrl& Drawing() { return *m_draw; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnInitialUpdate();
    void MapMessages();
    void Invalidate();
    void OnDraw();
    void RestoreCursorMarks();
    void PrepareLayers();
    int CreateCourseMap();
    int DrawMap();
    void FindSegmentGroupForMap();
    void ShowNoCourse();
    void MarkShownCourse();
    bool FillBlockFromMapFile(std::size_t position);
    void ChooseMapFile(int position);
    void SendCourse(std::uint32_t id) const;
    platform::LResult OnMapProperty(const platform::Message& m);
    platform::LResult OnSegmentEditReplace(const platform::Message& m);
    orvelo::Lap* ShownLap() const;
    orvelo::LapAnalysisItem* ShownItem() const;

    platform::MessageWindow m_window;
    orvelo::LapDataCore& m_core;
    AppSettings& m_settings;
    std::deque<orvelo::SegmentGroup>& m_groups;
    platform::WindowHandle m_mainFrame;
    std::unique_ptr<CDrawCorseCtrl> m_draw;

    int m_width = 0;
    int m_height = 0;
    platform::WParam m_courseRequest = 0;
    int m_mode = kLapMode;
    int m_savedAngle = 0;
    CourseBlock m_course{};
    bool m_hasCourse = false;       // the block is filled
    orvelo::LapRef m_shownLap;
    bool m_pendingGroupSet = false;  // a group handed over by 2069, for the next map-file drawing
    orvelo::SegmentGroup m_pendingGroup;
    orvelo::SegmentGroup m_attachedGroup;
    int m_foundGroup = -1;           // the stored group found for the shown map
    bool m_segmentGroupPresent = false;
    std::uint32_t m_pendingMessage = 0;
    MapViewProperty m_property;
    bool m_layersReady = false;
    bool m_marksMoved = false;
    // Where the cursor left each compared lap's mark, for a redraw to put it back.
    struct CursorMark {
        int lapNumber = 0;
        int lapIndex = 0;
        int distance = 0;
    };
    std::vector<CursorMark> m_cursorMarks;
    bool m_courseDrawn = false;
    QueuedRedraw m_redraw;
};
