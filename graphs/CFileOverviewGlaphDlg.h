// The file overview window of a work area: one loaded log file as a whole,
// its laps end to end, in a graph pane over a blank one with their Y scales
// beside them. It has no caption: the user moves it by dragging its client
// area and sizes it by its edges. Its context menu picks the file and the
// channels, and it shows the lap overview's zoom as a band.
#pragma once

#include "graphs/GraphRecords.h"
#include "graphs/WorkAreaWindowProp.h"

#include "platform/MessageWindow.h"
#include "platform/WindowPlacement.h"
#include "settings/WindowRoles.h"

#include <QMdiSubWindow>
#include <QStringList>

#include <cstdint>
#include <vector>

class CDlgGrafView;
class CLScaleView;
class CxSplitterWnd;
class GraphHost;

class CFileOverviewGlaphDlg : public QMdiSubWindow, public GraphWindow {
public:
    enum Command : int { kFirstFileItem = 59602, kLastFileItem = 59728, kChannelSelect = 32806, kCloseWindow = 32789 };
    static constexpr int kEdge = 4;       // pixels of an edge that size the window
    static constexpr int kNameChars = 128;

    CFileOverviewGlaphDlg(GraphHost& host, QWidget* viewWidget, platform::WindowHandle view, int workAreaNumber,
                          int slot, bool restored);
    ~CFileOverviewGlaphDlg() override;

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return m_window.Handle(); }
    QRect DefaultPlace(const QSize& workArea) const override { return StartPlacement(workArea, m_slot); }
    QRect RestoredPlace() const override { return m_restoredPlace.Opened(); }
    void ShownInWorkArea(const QRect& shown) override { m_restoredPlace.Shown(shown); }

    // Where a new window of the slot stands in a view of that size.
    static QRect StartPlacement(const QSize& view, int slot);
    // The band of a channel in the upper pane; channels past 14 share channel 14's.
    static graphs::ChannelRange RangeOf(int channel);

    bool OnWorkAreaShown() override;

    void OnCommand(int id);
    // The file menu at the point (global coordinates).
    void ShowFileMenu(const QPoint& globalPos);

    CDlgGrafView* UpperPane() const { return m_upper; }
    CDlgGrafView* LowerPane() const { return m_lower; }
    CLScaleView* UpperScale() const { return m_upperScale; }
    CxSplitterWnd* GraphSplitter() const { return m_splitter; }
    const QString& FileName() const { return m_fileName; }
    // The files the file menu listed last time, in order.
    QStringList FileMenuTitles() const;
    std::uint32_t ChannelMask() const { return m_mask; }
    int ChannelCount() const { return m_count; }
    // The graph splitter's rectangle for a window of that size.
    static QRect SplitterRect(const QSize& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct MenuItem {
        int id = 0;
        QString title;
        std::u16string path;
    };

    void Start(QWidget* viewWidget, bool restored);
    void BuildPanes();
    void Relayout();
    void ApplyChannelRanges();
    void TakeFileName();
    void OnFileChosen(int id);
    void RunChannelDialog();
    void Close();
    bool MouseEvent(QMouseEvent* event);
    void KeepOthersState(bool activating);
    void WatchPresses(QWidget* widget);
    void ComeToFront();
    int EdgesAt(const QPoint& point) const;

    void MapMessages();
    int SaveLayout();
    int LoadLayout();

    GraphHost& m_host;
    platform::MessageWindow m_window;
    platform::WindowHandle m_view;
    int m_workArea;
    int m_slot;
    std::uint32_t m_mask = 1;
    int m_count = 1;
    QString m_fileName;
    WorkAreaWindowProp m_record;
    platform::RestoredPlace m_restoredPlace;
    QWidget* m_client;
    CxSplitterWnd* m_splitter = nullptr;
    CDlgGrafView* m_upper = nullptr;
    CDlgGrafView* m_lower = nullptr;
    CLScaleView* m_upperScale = nullptr;
    CLScaleView* m_lowerScale = nullptr;
    std::vector<MenuItem> m_menuItems;
    bool m_onlyItemChecked = false;
    bool m_dragging = false;
    int m_edges = 0;
    QPoint m_grab;        // cursor in the parent's coordinates at the press
    QRect m_grabPlace;    // the window's place at the press
    bool m_closing = false;
    bool m_keepingOthers = false;  // the area's option set by this window's activation
    std::uint32_t m_redrawsTaken = 0;  // the data core's count of redraws for the compared laps, as last drawn for
    QMetaObject::Connection m_activated;
};
