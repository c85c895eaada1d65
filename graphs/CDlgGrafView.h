// The graph pane: one row of a lap overview (kind 1: the compared laps of one
// channel over its grid, with a cross-hair cursor the user drags or steps),
// or a pane of a file overview (kind 0: a whole log file, lap after lap, with
// the zoomed part of its base lap marked; kind 4: white). It is drawn into an
// image that paintEvent copies; the cursor and the zoom band lie over it, so
// moving them repaints only the pixels they leave and enter.
#pragma once

#include "graphs/GraphPaneData.h"
#include "graphs/GraphRecords.h"

#include "platform/ColorRef.h"
#include "platform/MessageWindow.h"
#include "settings/SettingsRecords.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class QRegion;

class CDlgGrafView : public QWidget {
public:
    static constexpr std::uint64_t kRelayed = 0x40;     // flag of a cursor event passed on by a sibling pane
    static constexpr int kZoomInCursor = 389;            // mouse cursors while the zoom mode is on
    static constexpr int kZoomOutCursor = 390;
    static constexpr platform::ColorRef kGreyFill = 0xC8C8C8;
    static constexpr platform::ColorRef kLapMarkColor = 0x404040;
    static constexpr platform::ColorRef kZoomColor = 0xF00000;
    static constexpr int kTitleChars = 64;

    // A pane of the kind (GraphPaneData::Kind) in a graph window: paneId is its
    // row, channel its channel (1 to 18, 0 none; a kind-1 pane's mask becomes
    // that channel), owner the graph window it posts to.
    CDlgGrafView(QWidget* parent, GraphHost& host, int kind, int paneId, int channel,
                 platform::WindowHandle owner);
    ~CDlgGrafView() override;

    platform::WindowHandle Handle() const { return m_window.Handle(); }
    int Kind() const { return m_data.Kind(); }
    int PaneId() const { return m_paneId; }
    int Channel() const { return m_channel; }
    GraphPaneData& Data() { return m_data; }
    const GraphPaneData& Data() const { return m_data; }

    // What the owner sets before the pane draws; each takes effect at the next redraw.
    void SetChannel(int channel);
    void SetChannelMask(std::uint32_t mask) { m_data.SetChannelMask(mask); }
    // The channel's band, scaled for the client area and kept in its slot.
    void SetChannelRange(const graphs::ChannelRange& range) { m_data.SetChannelRange(range); }
    void SetDataFlag(bool on) { m_data.SetDataFlag(on); }
    void SetXAxisMode(int mode) { m_data.SetXAxisMode(mode); }
    // The graph window's own colours: background, title and analysis line
    // unless the channel's block is enabled, and always the grid.
    void SetOverviewColors(const OverviewWindowColors& colors);
    // A channel's colour block, copied into the pane and into that channel's
    // run-time colours; no block clears the enable flag of the pane's channel.
    void ApplyColorBlock(const ChannelColorProperty* block);
    // The work area and window slot the pane record is stored under.
    void SetWorkAreaNumbers(int workArea, int window);
    // Kinds 0 and 4: the file shown (see GraphPaneData), drawn at the next paint.
    bool OpenFirstBaseLapFile();
    bool SetFile(std::uint32_t fileId);

    // Everything is drawn again at the next paint.
    void Redraw();
    // Laps closed since the picture was drawn: they are neither picked nor shown (no traces and no
    // cursor until the next redraw builds the traces of the laps there are).
    void DropClosedLaps();
    // A full redraw for new limits (the channel ranges set again) or new colours: the cursor
    // stays on its base-lap sample and comes back where that sample is drawn now.
    void RedrawKeepingCursor(bool reapplyRanges);
    bool RedrawPending() const { return m_dirty; }
    // Called when the pane is about to draw its picture again: its owner may draw the pictures of all
    // its panes that wait for it at once (RenderAll) instead of one by one as each is painted.
    void SetBeforeRender(std::function<void()> hook) { m_beforeRender = std::move(hook); }
    // Called before the picture is used while it shows laps closed since it was drawn (closed while
    // another work area was active, which alone is redrawn then): the owner draws its window again.
    void SetOnClosedLaps(std::function<void()> hook) { m_onClosedLaps = std::move(hook); }
    // Draws the pictures of the shown lap-overlay panes that wait for it, in their order, the traces of
    // several side by side on the thread pool; the other panes draw theirs when painted.
    static void RenderAll(const std::vector<CDlgGrafView*>& panes);
    // The picture as drawn now (drawn first when something asked for a redraw;
    // a pending analysis record then puts the cursor on its point).
    const QImage& Picture();
    // Paints the picture with the cursor and the zoom band over it, only in region.
    void PaintRegion(QPainter& painter, const QRegion& region);

    QString Title() const { return m_title; }
    int LapsDrawn() const { return m_data.LapsDrawn(); }
    const ChannelColorProperty& ColorBlock(int channel) const;
    const graphs::ChannelViewProp& PaneRecord() const { return m_record; }
    // While its window stands as it was shown from the stored records, the pane's record is written
    // back with the height it was read with; else with height, or its own when that is 0.
    void StoreHeight(bool asRead, int height) {
        m_storeHeightAsRead = asRead;
        m_heightToStore = height;
    }
    bool Tracking() const { return m_tracking; }
    int ZoomCursorShown() const { return m_zoomCursorShown; }
    const platform::GraphPoint& ZoomCentre() const { return m_zoomCentre; }
    // Kind 0: the zoom band's first and last x, none while not zoomed.
    std::optional<std::pair<int, int>> ZoomBand() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Colors {
        platform::ColorRef background = 0;
        platform::ColorRef text = 0;
        platform::ColorRef analysis = 0;
    };
    // Where the file overview drew its base lap, for the zoom band.
    struct FileLayout {
        double ppu = 0.0;
        int baseFirstX = 0;
        int baseLastX = 0;
        bool baseDrawn = false;
    };

    // Drawing.
    void Render();
    void RenderLapOverlay();
    // RenderLapOverlay in three parts: what reads the settings and colours, then what only draws the
    // pane's own picture from the data (any thread), then the cursor and the title.
    Colors BeginLapOverlay();
    void DrawLapOverlay(const Colors& colors);
    void FinishLapOverlay(const Colors& colors);
    bool DrawsLapOverlay() const;
    void RenderFileOverview();
    Colors ChooseColors() const;
    void DrawGrid(QPainter& painter);
    void DrawTitle(QPainter& painter, platform::ColorRef color);
    void DrawFileLaps(QPainter& painter, const orvelo::LogFile& file, int channel, bool marks);
    QRect BandRect() const;
    void MoveBand(std::uint32_t offset, std::uint32_t span);

    // Input.
    void Press(const QPoint& point, bool relayed);
    void Drag(const QPoint& point, bool relayed);
    void Release(std::uint64_t flags, const QPoint& point, bool relayed);
    bool TakeZoomCentre(int x);
    void ZoomClick(const QPoint& point);
    void StepCursor(int key, bool ownKey);
    void AskToScroll(int key);
    void AskToZoomAtCentre(int key);
    void ShowCursorAt(const QPoint& point);
    void UpdateZoomCursor();

    // Messages.
    void WireMessages();
    void SetZoom(std::uint32_t start, std::uint32_t span);
    void ZoomByTimeDivision(std::int64_t span, std::int64_t offset);
    void ResetAfterRedrawRequest(bool reapplyRanges);
    void ForgetCursor();
    // Before a redraw at another scale: the cursor comes back on its base-lap sample (else on its
    // time or distance, as a zoom keeps it).
    void KeepCursorOverRedraw();
    std::optional<std::uint32_t> TakeCursorValue();
    void ShowAnalysisLine(const platform::GraphPoint& record);
    void PersistRecord(bool write, std::int64_t numbers);

    platform::MessageWindow m_window;
    GraphPaneData m_data;
    int m_paneId;
    int m_channel = 0;
    QImage m_image;
    bool m_dirty = true;
    std::function<void()> m_beforeRender;
    std::function<void()> m_onClosedLaps;

    std::optional<OverviewWindowColors> m_overviewColors;
    std::array<ChannelColorProperty, graphs::kChannelCount> m_blocks{};
    QString m_title;
    QFont m_titleFont;
    bool m_titleFontMade = false;
    std::optional<platform::GraphPoint> m_pendingAnalysis;
    FileLayout m_file;
    std::uint32_t m_bandOffset = 0;
    std::uint32_t m_bandSpan = 0;

    bool m_tracking = false;
    bool m_shift = false;
    bool m_zoomCursor = false; // the mouse is over the pane
    int m_zoomCursorShown = 0;
    bool m_swallowNextClick = false;
    platform::GraphPoint m_zoomCentre{};
    graphs::ChannelViewProp m_record;
    bool m_recordRead = false;
    bool m_storeHeightAsRead = false;
    int m_heightToStore = 0;
    int m_workArea = -1;
    int m_windowNumber = -1;
};
