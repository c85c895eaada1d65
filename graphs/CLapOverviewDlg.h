// "Lap overview": the graph window that overlays the compared laps (base lap
// and overlay laps) for each chosen channel, one row per channel (a Y scale
// beside a graph pane), the X scale below and the segment strip above. It
// lives in its work-area view's window area, owns the zoom of all its panes,
// keeps its place, rows and channels per work area and slot, and relays the
// private messages between its panes, the main frame and its view.
#pragma once

#include "graphs/LapOverviewLayout.h"
#include "graphs/LapOverviewSegmentStrip.h"
#include "graphs/LapOverviewZoom.h"
#include "graphs/WorkAreaWindowProp.h"

#include "core/LapData.h"
#include "platform/MessageWindow.h"
#include "platform/WindowPlacement.h"
#include "settings/SettingsRecords.h"
#include "settings/WindowRoles.h"

#include <QMdiSubWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CAxisSplitterWnd;
class CDlgGrafView;
class CLScaleView;
class CxSplitterWnd;
class GraphHost;
class QMenu;

class CLapOverviewDlg : public QMdiSubWindow, public GraphWindow {
public:
    // Menu "Menu Graf" and the window's commands.
    static constexpr int kCmdDistance = 32802;
    static constexpr int kCmdTime = 32803;
    static constexpr int kCmdChannelSelect = 32806;
    static constexpr int kCmdCloseWindow = 32789;
    static constexpr int kCmdWindowProperty = 59729;

    struct Row {
        int channel = 0;
        CLScaleView* scale = nullptr;
        CDlgGrafView* graph = nullptr;
    };

    // A window of a work-area view (viewWidget, reached as view); restored: it
    // is reopened from the saved layout and reads it.
    CLapOverviewDlg(GraphHost& host, QWidget* viewWidget, platform::WindowHandle view, int workAreaNumber, int slot,
                    bool restored);
    ~CLapOverviewDlg() override;

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return m_window.Handle(); }
    QRect DefaultPlace(const QSize& workArea) const override { return graphs::FirstPlacement(workArea.width(), m_slot); }
    QRect RestoredPlace() const override { return m_restoredPlace.Opened(); }
    void ShownInWorkArea(const QRect& shown) override { m_restoredPlace.Shown(shown); }

    // The frame sizes the layout reads (the style's by default).
    void SetFrameMetrics(const graphs::FrameMetrics& metrics);
    // The segment strip (a stand-in until it is built); the window owns it.
    void SetSegmentStrip(std::unique_ptr<LapOverviewSegmentStrip> strip);

    GraphHost& Host() { return m_host; }
    int WorkAreaNumber() const { return m_workArea; }
    int Slot() const { return m_slot; }
    std::uint32_t ChannelMask() const { return m_mask; }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const Row& RowAt(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }
    int XAxisMode() const { return m_zoom.Mode(); }
    const graphs::LapOverviewZoom& Zoom() const { return m_zoom; }
    // The longest marked lap of the X mode, as last computed.
    int FullSpan() const { return m_fullSpan; }
    int SegmentMode() const { return m_segmentMode; }
    bool BaseLapChanged() const { return m_baseLapChanged; }
    void ClearBaseLapChanged() { m_baseLapChanged = false; }
    const std::vector<orvelo::BaseLapFileRef>& BaseLapFiles() const { return m_baseLapFiles; }
    const orvelo::LapRef& BaseLap() const { return m_baseLap; }
    const OverviewWindowColors& Colors() const { return m_colors; }
    const ChannelColorProperty& ChannelColors(int channel) const;
    const graphs::LapOverviewAreas& Areas() const { return m_areas; }
    CxSplitterWnd* ChannelSplitter() const { return m_channels; }
    CAxisSplitterWnd* AxisSplitter() const { return m_axis; }
    CLScaleView* XScale() const { return m_xScale; }
    LapOverviewSegmentStrip* SegmentStrip() const { return m_strip.get(); }
    QWidget* Client() const { return m_client; }

    bool OnWorkAreaShown() override;

    // The commands of "Menu Graf".
    void OnCommand(int id);
    // The context menu as a right click at pos (client coordinates) over target shows it.
    void ShowContextMenu(const QPoint& globalPos, QWidget* target);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start and layout.
    void Start(QWidget* viewWidget, bool restored);
    bool RestoreLayout();
    void Relayout();
    // The room the scales' labels need, and a new layout when it is not what the areas were made with.
    graphs::LabelRoom LabelRoom() const;
    void OnLabelRoomChanged();
    void BuildChannelSplitter(int rows);
    void BuildAxisSplitter();
    void BuildSegmentStrip(bool rebuild);
    // The rows' pictures that wait to be drawn, all at once when the first of them is painted.
    void RenderRowPictures();
    Row MakeRow(int row, int channel, QWidget* parent);
    void SetColumnWidths();
    void SetRowHeights();
    // Shown, neither maximised nor minimised: where a normal place is taken from.
    bool StandsNormal() const;
    void LeaveNormal();
    void WatchClicks(QWidget* widget);
    void OnActivated(bool active);
    void FocusView();

    // Messages.
    void MapMessages();
    void MapRelays();
    void MapColors();
    void MapZoom();
    platform::LResult OnRedrawLapGraph(const platform::Message& m);
    bool ShowsClosedLaps() const;
    void DropClosedLaps();
    platform::LResult OnResetChannelView(const platform::Message& m);
    platform::LResult OnRegisterWndProperty(const platform::Message& m);
    platform::LResult OnChannelPropertyMenu(const platform::Message& m);
    platform::LResult OnColorSelected(const platform::Message& m);
    platform::LResult OnColorPropertySelected(const platform::Message& m);
    platform::LResult OnSegmentEditReplace(const platform::Message& m);
    platform::LResult OnChannelViewInfo(const platform::Message& m);
    int SaveLayout();
    int LoadLayout();
    bool CheckBaseLap();
    void TakeBaseLap();
    int ComputeFullSpan();
    void OnXAxisCommand(int mode);
    void OnChannelSelect();
    void OnWindowProperty();

    // Zoom.
    void AfterZoom(std::uint32_t paneMessage, std::uint32_t distanceFrameMessage);
    // Back to the full view, told to the panes, the X scale, the strip and the main frame.
    void ResetZoom();
    void BroadcastToPanes(std::uint32_t id, int span, int offset);

    // Relays.
    void PostToGraphPanes(const platform::Message& m, platform::WindowHandle skip = platform::kNoWindow);
    void PostToScalePanes(const platform::Message& m);
    // The rows forgot their cursor: the strip, and the properties pane with its map when they show
    // this window's cursor, stop showing it.
    void DropCursor();
    // The strip names no place of a cursor.
    void DropStripCursor();
    const Row* RowOfChannel(int channel) const;
    int MarkedLaps();
    // The properties pane's channel rows follow this window's mask when laps are marked.
    void GiveChannelsToProperties(bool queued = false);
    // The properties pane learns this window as the one last activated: its axis and channels (queued:
    // posted behind what is already on its way).
    void ActivatedForProperties(bool queued = false);
    void TellProperties(bool queued, std::uint32_t id, platform::WParam wParam, platform::LParam lParam);

    GraphHost& m_host;
    platform::MessageWindow m_window;
    QPointer<QWidget> m_viewWidget;
    platform::WindowHandle m_view;
    int m_workArea;
    int m_slot;

    std::uint32_t m_mask = graphs::kDefaultChannelMask;
    QRect m_place;
    platform::RestoredPlace m_restoredPlace;
    graphs::FrameMetrics m_metrics;
    graphs::LapOverviewAreas m_areas;
    graphs::LabelRoom m_room;  // what m_areas were made with
    WorkAreaWindowProp m_record;
    std::vector<std::int32_t> m_savedHeights;
    std::vector<std::int32_t> m_storedHeights;  // as read, written back while the window is left as shown
    std::vector<int> m_shownHeights;            // the rows once the stored heights were taken
    static constexpr Qt::WindowStates kAway{Qt::WindowMaximized | Qt::WindowMinimized};
    bool m_standsNormal = false;                // as it last settled: shown, neither maximised nor minimised
    QRect m_normalPlace;                        // maximised or minimised: the place it comes back to
    std::vector<int> m_normalHeights;           // its rows there
    std::vector<int> m_normalPaneHeights;       // and their panes' heights

    OverviewWindowColors m_colors;
    std::array<ChannelColorProperty, 18> m_channelColors{};

    graphs::LapOverviewZoom m_zoom;
    int m_fullSpan = 0;
    std::vector<orvelo::BaseLapFileRef> m_baseLapFiles;
    orvelo::LapRef m_baseLap;
    bool m_baseLapChanged = false;
    int m_segmentMode = 0;

    QWidget* m_client = nullptr;
    CxSplitterWnd* m_channels = nullptr;
    CAxisSplitterWnd* m_axis = nullptr;
    CLScaleView* m_xScale = nullptr;
    std::unique_ptr<LapOverviewSegmentStrip> m_strip;
    std::vector<Row> m_rows;

    QMetaObject::Connection m_activation;
    bool m_ready = false;
    bool m_relayingOut = false;
    bool m_loadPaneRecords = false;  // the panes of a restored window read their own records
    bool m_activationHandled = false;
    bool m_wasActive = false;
    bool m_clickActivation = false;
    bool m_closedLapsRedrawPosted = false;
    std::uint32_t m_redrawsTaken = 0;  // the data core's count of redraws for the compared laps, as last drawn for
    bool m_channelsGiven = false;    // the properties pane has this window's channels for the marked laps
};
