// The scale strip of the graph windows: the X axis under the graphs (metres,
// units of 1600 m, or minutes and seconds), a channel's Y axis beside one
// graph pane, or an empty strip. A zoomed X scale is dragged to scroll; the
// Y scale's menu opens the Y-scale dialog. Drawn into an image that painting
// only copies.
#pragma once

#include "graphs/CChannelGraph.h"
#include "graphs/GraphRecords.h"
#include "graphs/XAxisScale.h"

#include "platform/MessageWindow.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class GraphHost;

class CLScaleView : public QWidget {
public:
    enum Mode : int { kYScale = 0, kXScale = 1, kEmpty = 2 };
    using Geometry = std::array<int, 5>;
    // The menu item that opens the Y-scale dialog.
    static constexpr int kYScaleMenuItem = 9;

    CLScaleView(GraphHost& host, QWidget* parent = nullptr);

    platform::WindowHandle Handle() const { return m_window.Handle(); }
    // The graph window the pane reports to (drags, menu).
    void SetOwner(platform::WindowHandle owner) { m_owner = owner; }
    void SetMode(int mode) { m_mode = mode; }
    void SetXGeometry(const Geometry& geometry) { m_xGeometry = geometry; }
    void SetYGeometry(const Geometry& geometry) { m_yGeometry = geometry; }
    // The channel (1 to 18) and the band of the graph pane beside it.
    void SetChannel(int channel) { m_channel = channel; }
    void SetChannelRange(const graphs::ChannelRange& range);
    const graphs::ChannelRange& Range() const { return m_range; }
    // The X axis's mode (0 distance, 1 time) and span.
    void SetXAxis(int mode, int span);
    // Fonts made, scale computed, picture drawn.
    void OnInitialUpdate();
    // The least width a Y scale needs for its labels to show whole in the smallest font the
    // scales take (0 for an X scale or an empty strip), and what is called when that changes.
    int LeastWidth() const { return m_leastWidth; }
    void SetOnLeastWidthChanged(std::function<void()> changed) { m_onLeastWidthChanged = std::move(changed); }
    // The least height an X scale needs for its labels to show whole in that font.
    static int LeastXScaleHeight();

    int Mode() const { return m_mode; }
    int Channel() const { return m_channel; }
    int XMode() const { return m_xMode; }
    int XSpan() const { return m_xSpan; }
    bool Zoomed() const { return m_zoomed; }
    int ZoomOffset() const { return m_zoomOffset; }
    bool Linked() const { return m_linked; }
    const graphs::XAxisRange& XRange() const { return m_xRange; }
    const std::vector<graphs::ScaleTick>& YTicks() const { return m_yTicks; }
    const QImage& Picture() const { return m_picture; }
    // The font the labels are drawn in, and a Y scale's labels.
    const QFont& LabelFont() const;
    std::vector<QString> YLabels() const;
    CChannelGraph& ChannelGraph() { return m_graph; }
    platform::ColorRef Background() const { return m_background; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void MapMessages();
    void FitFonts();
    void ApplyYScale();
    void TakeLeastWidth();
    void ComputeXRange(int span);
    void SetZoom(platform::WParam span, platform::LParam offset);
    void Unzoom(int span);
    void Redraw();
    void DrawXScale(QPainter& painter);
    void DrawYScale(QPainter& painter);
    int XOffset() const { return m_zoomed ? m_zoomOffset : 0; }

    GraphHost& m_host;
    platform::MessageWindow m_window;
    platform::WindowHandle m_owner = platform::kNoWindow;
    int m_mode = kXScale;
    Geometry m_xGeometry{0, 0, 10, 0, 0};
    Geometry m_yGeometry{28, 0, 10, 0, 0};

    int m_channel = 0;
    graphs::ChannelRange m_range;
    bool m_rangeGiven = false;
    CChannelGraph m_graph;
    std::vector<graphs::ScaleTick> m_yTicks;

    int m_xMode = 0;
    int m_xSpan = 0;
    int m_fullSpan = 0; // of the full view last shown
    bool m_zoomed = false;
    int m_zoomSpan = 0;
    int m_zoomOffset = 0;
    graphs::XAxisRange m_xRange;

    QFont m_verticalFont;
    QFont m_horizontalFont;
    int m_xFontHeight = -1; // the X strip height m_horizontalFont was fitted to
    platform::ColorRef m_background;
    bool m_dragging = false;
    QPoint m_lastMouse;
    bool m_linked = false;
    int m_leastWidth = 0;
    std::function<void()> m_onLeastWidthChanged;
    QImage m_picture;
};
