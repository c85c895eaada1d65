// "Course Map Viewer": the modal dialog in which the user picks a lap (thumbnails or a report of
// the loaded log laps or course-map laps), looks at its course in the map segment edit view,
// rotates it, lays and edits the segment group of its course map (buttons, the edit view, the
// segment grid) and saves the group in the settings (Save, then UM_SAVE_SEGMENT_GROUP_INFO to the
// main window). On OK or Cancel it answers the main frame with UM_SEGMENT_EDIT_REPLACE (angle,
// 0 or 1); Cancel first puts back every rotation it made.
#pragma once

#include "core/LapData.h"
#include "platform/ColorRef.h"
#include "platform/MessageRecords.h"
#include "platform/MessageWindow.h"
#include "settings/CourseBlock.h"
#include "settings/SettingsRecords.h"

#include <QDialog>

#include <array>
#include <deque>
#include <map>
#include <tuple>
#include <memory>
#include <vector>

class AppSettings;
class CDrawMapSegCtrl;
class CFrameMapSegEdit;
class CMapSegEditView;
class CPropGridPropSegExt;
class CPropertyGridCtrlSegEx;
class CRtSliderCtrl;
class CourseMapLapList;
class CourseRegistry;
class QComboBox;
class QLabel;
class QSpinBox;
class QStatusBar;
namespace orvelo {
class LapDataCore;
}

class CCourseMapViewerDlg : public QDialog {
public:
    // Controls.
    static constexpr int kAngleReset = 1073;
    static constexpr int kCancel = 1075;
    static constexpr int kOk = 1076;
    static constexpr int kSlider = 1080;
    static constexpr int kAdd = 1081;
    static constexpr int kClear = 1082;
    static constexpr int kReset = 1083;
    static constexpr int kSave = 1084;
    static constexpr int kAngleBox = 1085;
    static constexpr int kGroupCombo = 1086;
    static constexpr int kListLogLaps = 0;
    static constexpr int kListMapLaps = 1;
    static constexpr int kStatusPanes = 4;

    // answerTo: the main frame, told when the dialog closes; registry: where a lap registered as a
    // course map was written; listMode: laps of the log files (0) or of the course-map files (1);
    // course: the small map's course and lap.
    CCourseMapViewerDlg(orvelo::LapDataCore& core, AppSettings& settings, platform::WindowHandle answerTo,
                        const CourseRegistry& registry, int listMode, const CourseBlock& course,
                        QWidget* parent = nullptr);
    ~CCourseMapViewerDlg() override;

    platform::WindowHandle Handle() const { return m_window.Handle(); }
    CMapSegEditView& EditView() const { return *m_view; }
    CPropertyGridCtrlSegEx& Grid() const { return *m_grid; }
    CourseMapLapList& LapList() const { return *m_lapList; }
    CFrameMapSegEdit& Frame() const { return *m_frame; }
    QLabel* StatusPane(int index) const { return m_status[static_cast<std::size_t>(index)]; }
    int Angle() const { return m_angle; }
    const orvelo::SegmentGroup& CurrentGroup() const { return m_current; }
    const std::deque<orvelo::SegmentGroup>& Groups() const { return m_groups; }
    int SegmentCountOnMap() const { return m_segmentCount; }
    int SplitterColumnWidth() const { return m_splitterColumnWidth; }

    // The buttons.
    void OnSave();
    void OnResetSegments();
    void OnAngleReset();

    void reject() override;

private:
    // Opening and layout (CCourseMapViewerDlg.cpp).
    void BuildControls();
    void MapMessages();
    void OnOk();
    void PostAngle();
    void OnAngleChanged(int angle);
    void UpdateStatusBar();
    void AddStatusPanes();
    platform::WindowHandle ViewHandle() const;

    // Laps and groups (CCourseMapViewerDlgLaps.cpp).
    orvelo::LapRef OpeningLap() const;
    void ShowLap(const orvelo::LapRef& lap);
    void ChooseMapGroup();
    void ShowGroupInGrid();
    void FillLapList();
    void RefreshRows(const std::vector<int>& ends);
    void ColourRow(int segment, platform::ColorRef colour);
    platform::LResult OnSegmentLengthChanged(const platform::Message& m);
    void OnEditingGroupName(const platform::Message& m);
    void OnAfterEditGroupName(const platform::Message& m);
    void RenameCurrentGroup(const std::u16string& name);
    void AddGroup(const std::u16string& name);
    int RunLengthDialog(platform::WindowHandle receiver);
    bool RegisteredPath(std::u16string& path);
    void RememberFirstAngle();

    platform::MessageWindow m_window;
    orvelo::LapDataCore& m_core;
    AppSettings& m_settings;
    platform::WindowHandle m_answerTo;
    const CourseRegistry& m_registry;
    int m_listMode;
    CourseBlock m_course;
    orvelo::LapRef m_lap;

    int m_angle = 0;
    int m_listStyle;
    int m_segmentCount = 0;
    int m_splitterColumnWidth = 0;
    orvelo::SegmentGroup m_current;
    std::deque<orvelo::SegmentGroup> m_groups;
    std::vector<int> m_endPoints;
    std::vector<int> m_segmentEnds;
    // The rotation each lap had before the dialog turned it, put back on Cancel.
    std::map<std::tuple<int, std::uint32_t, std::int32_t>, std::int32_t> m_firstAngles;
    MapViewProperty m_thumbnailProperty;
    std::unique_ptr<CDrawMapSegCtrl> m_thumbnails;

    CourseMapLapList* m_lapList = nullptr;
    CFrameMapSegEdit* m_frame = nullptr;
    CMapSegEditView* m_view = nullptr;
    CPropertyGridCtrlSegEx* m_grid = nullptr;
    CPropGridPropSegExt* m_gridGroup = nullptr;
    CRtSliderCtrl* m_slider = nullptr;
    QSpinBox* m_angleBox = nullptr;
    QComboBox* m_groupCombo = nullptr;
    QStatusBar* m_statusBar = nullptr;
    std::array<QLabel*, kStatusPanes> m_status{};
};
