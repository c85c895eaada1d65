// The main window: menu bar, two toolbars, status bar, the three docking
// panes and the work areas; owner of the logging-time window and the
// variable Y-scale dialog; and the hub of the private messages, which it
// passes on to the work areas, the panes and the floating windows. On close
// it saves the work-area layout, in a fixed order.
#pragma once

#include "platform/MessageRecords.h"
#include "platform/MessageWindow.h"
#include "settings/SettingsRecords.h"
#include "settings/WindowRoles.h"
#include "shell/VariableScaleBackup.h"

#include "core/LapData.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <map>
#include <vector>
#include <optional>

class CChildFrame;
class COrveloApp;
class FloatingWindow;
class LapListPane;
class PropertiesPane;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class SegmentListPane;
class YScaleWindow;

class CMainFrame : public QMainWindow, public CourseRegistry {
public:
    static constexpr int kStatusPaneCount = 7;

    explicit CMainFrame(COrveloApp& app);
    ~CMainFrame() override;

    // The creation steps; false when a part could not be made.
    bool Create();
    platform::WindowHandle Handle() const { return m_window.Handle(); }
    // The application the frame belongs to: its data core, settings and window factory.
    COrveloApp& App() const { return m_app; }
    void BringToFront();

    // Opens work area number (slot + 1) and activates it; nullptr on failure.
    CChildFrame* OpenWorkArea(int number);
    void ActivateWorkArea(CChildFrame* frame);
    // Tracked here: Qt has no active sub-window while the program is not active.
    CChildFrame* ActiveWorkArea() const { return m_activeWorkArea; }
    // Called by a work-area frame while it is destroyed.
    void ForgetWorkArea(CChildFrame* frame);

    int DockingPaneCounter() const { return m_dockingPaneCounter; }
    void SetDockingPaneCounter(int value) { m_dockingPaneCounter = value; }
    void UpdateCommandStates();

    QMdiArea* MdiArea() const { return m_mdiArea; }
    LapListPane* LapList() const { return m_lapList; }
    PropertiesPane* Properties() const { return m_properties; }
    SegmentListPane* SegmentList() const { return m_segmentList; }
    FloatingWindow* LoggingTimeWindow() const;
    bool LoggingTimeShown() const { return m_logTimeShown != 0; }
    // The lap overview whose cursor is shown (the last one relayed, until it drops it); none without.
    platform::WindowHandle CursorOwner() const { return m_cursorOwner; }
    YScaleWindow* YScaleDialog() const;
    QAction* Action(int commandId) const;
    QLabel* StatusPane(int index) const;
    QToolBar* MainToolBar() const { return m_mainToolBar; }
    QToolBar* ZoomToolBar() const { return m_zoomToolBar; }
    QDockWidget* PropertiesDock() const { return m_propertiesDock; }
    QDockWidget* LapListDock() const { return m_lapListDock; }
    QDockWidget* SegmentListDock() const { return m_segmentListDock; }
    // The folders the file selection dialog last read log files and course-map files from (empty
    // until then); it opens on the one of its mode.
    const QString& LastLogFolder() const { return m_lastLogFolder; }
    const QString& LastMapFolder() const { return m_lastMapFolder; }
    void SetLastLogFolder(const QString& folder) { m_lastLogFolder = folder; }
    void SetLastMapFolder(const QString& folder) { m_lastMapFolder = folder; }
    const QString& LastMapFile() const { return m_lastMapFile; }
    std::u16string RegisteredMapPath() const override { return m_lastMapFile.toStdU16String(); }
    const platform::MapInfoBlock& CurrentCourse() const { return m_currentCourse; }
    const orvelo::SegmentGroup& SegmentGroupCopy() const { return m_segmentGroup; }
    int GraphStatus() const { return m_graphStatus; }
    bool ZoomMode() const { return m_zoomMode; }
    const VariableScaleBackup& ScaleBackup() const { return m_scaleBackup; }

    // Commands.
    void OnZoomMode();
    void OnResetZoom();
    void OnLoggingTime();
    void OnAnalysisSetup();
    void OnWindowManager();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Message = platform::Message;
    using LResult = platform::LResult;

    void CreateMenus();
    QAction* AddCommand(QMenu* menu, int id, const QString& text, const QKeySequence& shortcut = {});
    void CreateToolBars();
    void CreateStatusBar();
    void CreatePanes();
    void MapMessages();
    void MapCommands();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void ShowWorkAreaLeft();

    // Delivery to the work areas: once to the active one with the message as
    // it is, once to every other one with (wOthers, lOthers).
    void RelayToWorkAreas(const Message& message, platform::WParam wOthers, platform::LParam lOthers);
    void PostToActiveWorkArea(const Message& message);
    platform::WindowHandle ActiveViewHandle() const;
    platform::WindowHandle PropertiesHandle() const;
    platform::WindowHandle SegmentListViewHandle() const;
    bool PickSegmentGroup();
    void RestorePlacement();
    void RepaintLoggingTime();
    void QueueFrameCheck();
    void KeepFrameOnScreen();
    void StorePlacement();
    void ReadFloatingPlacement(const QString& valueName, WindowPlacementRec* copy);

    LResult OnDrawMapOnView(const Message& m);
    LResult OnRedrawLapGraph(const Message& m);
    LResult OnResetLapList(const Message& m);
    LResult OnCloseLogfileInGroup(const Message& m);
    LResult OnRegistCourseMap(const Message& m);
    LResult OnViewReadMapFile(const Message& m);
    LResult OnAnalysisLine(const Message& m);
    LResult OnStopTrackingPlot(const Message& m);
    LResult OnColorSelected(const Message& m);
    LResult OnColorPropertySelected(const Message& m);
    LResult OnResetSegmentColor(const Message& m);
    LResult OnSegmentEditReplace(const Message& m);
    LResult OnEditingSegmentInfoViewInit(const Message& m);
    LResult OnMapPathControl(const Message& m);
    LResult OnGetMapOnViewEditSegmentInfo(const Message& m);
    LResult OnPutLoggingTime(const Message& m);
    LResult OnClockTimeWindowView(const Message& m);
    LResult OnPopupVariableYScaleDialog(const Message& m);
    LResult OnSaveChannelMaxValue(const Message& m);
    LResult OnSetVariableScaleControlValue(const Message& m);
    LResult OnActivateLapOverviewWindow(const Message& m);
    LResult OnChangedGlobalMapDrawMode(const Message& m);

    bool OnClose();
    void CloseWorkAreas();
    void OnDestroy();
    void DestroyYScaleDialog();

    COrveloApp& m_app;
    platform::MessageWindow m_window;
    QString m_lastLogFolder;
    QString m_lastMapFolder;
    QString m_lastMapFile;
    int m_dockingPaneCounter = 0;
    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_mainToolBar = nullptr;
    QToolBar* m_zoomToolBar = nullptr;
    QMenu* m_panesMenu = nullptr;
    std::array<QLabel*, kStatusPaneCount> m_statusPanes{};
    LapListPane* m_lapList = nullptr;
    PropertiesPane* m_properties = nullptr;
    SegmentListPane* m_segmentList = nullptr;
    QDockWidget* m_propertiesDock = nullptr;
    QDockWidget* m_lapListDock = nullptr;
    QDockWidget* m_segmentListDock = nullptr;
    QPointer<QWidget> m_yScaleWidget;
    YScaleWindow* m_yScale = nullptr;
    platform::WindowHandle m_yScaleLapOverview = platform::kNoWindow;
    int m_yScaleChannel = 0;
    int m_mapDrawModeChanges = 0;
    QPointer<QWidget> m_logTimeWidget;
    FloatingWindow* m_logTime = nullptr;
    std::int32_t m_logTimeShown = 0;
    platform::GraphPoint m_lastCursor;
    platform::WindowHandle m_cursorOwner = platform::kNoWindow; // the lap overview whose cursor the pane shows
    std::vector<platform::GraphPoint> m_cursorRecords;  // its last cursor list: a record per lap with a point
    MapViewProperty m_mapViewProperty;
    OverviewWindowColors m_overviewColors;
    WindowPlacementRec m_logTimePlacement;
    WindowPlacementRec m_yScalePlacement;
    platform::RestoredPlace m_restoredPlace;
    platform::FrameCheck m_frameCheck;
    std::optional<QRect> m_restoreTo;  // the normal place while maximised
    QTimer* m_restoreSettle = nullptr;
    bool m_frameCheckQueued = false;
    VariableScaleBackup m_scaleBackup;
    orvelo::SegmentGroup m_segmentGroup;
    bool m_viewerSavedGroup = false;  // a Save in the course map viewer now open stored a group
    platform::MapInfoBlock m_currentCourse;
    int m_graphStatus = 0;
    bool m_zoomMode = false;
    std::map<int, QAction*> m_actions;
    CChildFrame* m_activeWorkArea = nullptr;
    bool m_closed = false;
};
