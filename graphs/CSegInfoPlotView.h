// The segment bands of the segment strip: each segment of the current group
// as a coloured band between its boundaries on the base lap, by time or by
// distance, following the lap overview's zoom. Grey until there is a band.
#pragma once

#include "graphs/SegmentBoundaries.h"
#include "platform/ColorRef.h"
#include "platform/MessageWindow.h"
#include "settings/SettingsRecords.h"

#include <QImage>
#include <QWidget>

class GraphHost;

class CSegInfoPlotView : public QWidget {
public:
    static constexpr platform::ColorRef kNoDataColor = 0xDCDCDC;

    CSegInfoPlotView(GraphHost& host, QWidget* parent);

    platform::WindowHandle Handle() const { return m_window.Handle(); }
    void SetXMode(int mode) { m_xMode = mode; }
    // The full spans of the compared laps: 1/100 s and metres.
    void SetSpans(int timeSpan, int distanceSpan);
    int TimeSpan() const { return m_timeSpan; }
    int DistanceSpan() const { return m_distanceSpan; }
    // The group's segments on the lap (the base lap).
    void SetSegmentGroup(const orvelo::SegmentGroup& group, const orvelo::Lap* lap);

    int SegmentCount() const { return m_segmentCount; }
    // The base lap changed at the last redraw request (2023).
    bool BaseLapChanged() const { return m_baseLapChanged; }
    const graphs::SegmentBoundaries& Boundaries() const { return m_bounds; }
    // Segment k's colour (0 first): the course colours taken in turn.
    platform::ColorRef SegmentColor(int segment) const;
    const QImage& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void MapMessages();
    void AskForGroup();
    void Redraw();
    void Render();

    GraphHost& m_host;
    platform::MessageWindow m_window;
    int m_xMode = 0;
    int m_timeSpan = 0;
    int m_distanceSpan = 0;
    bool m_zoomed = false;
    int m_zoomSpan = 0;
    int m_zoomStart = 0;
    MapViewProperty m_colors;
    int m_segmentCount = 0;
    bool m_baseLapChanged = false;
    bool m_askingForGroup = false;
    bool m_stale = false;  // the picture is made at the next paint
    graphs::SegmentBoundaries m_bounds;
    QImage m_picture;
};
