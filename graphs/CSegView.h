// One pane of the segment strip above the lap overview's rows. The top pane
// (role 2000) names the base lap and the time or distance at the cursor and,
// with a segment group, the segment there; the left pane below (role 1)
// shows the laps of the base lap's file as bands; the right 2-pixel pane
// (role 0) draws nothing. The picture is cached and only copied on paint.
#pragma once

#include "graphs/SegmentBoundaries.h"
#include "platform/ColorRef.h"
#include "platform/MessageWindow.h"
#include "settings/SettingsRecords.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <vector>

class GraphHost;

class CSegView : public QWidget {
public:
    static constexpr int kTopRole = 2000;
    static constexpr int kMaxBandBitmaps = 6;

    CSegView(GraphHost& host, int role, QWidget* parent);

    platform::WindowHandle Handle() const { return m_window.Handle(); }
    int Role() const { return m_role; }
    // The top pane is active; it labels the base lap at the cursor.
    void SetActive(bool active) { m_active = active; }
    void SetXMode(int mode) { m_xMode = mode; }
    void SetSegmentMode(bool on) { m_segmentMode = on; }
    // The lap bands of the base lap's file for the zoom (span 0: the longest compared lap).
    void BuildLapBands(int span, int start);
    // Boundaries of the current group on the base lap; an empty group clears them.
    void SetSegmentGroup(const orvelo::SegmentGroup& group);

    int BandCount() const { return m_bandCount; }
    const std::vector<int>& BandPositions() const { return m_bandPositions; }
    const graphs::SegmentBoundaries& Boundaries() const { return m_bounds; }
    platform::ColorRef BandColor() const { return m_bandColor; }
    // The labels last drawn, left to right.
    const QStringList& Labels() const { return m_labels; }
    const QImage& Picture() const { return m_picture; }
    // Grey of lap band k (0 first) of a pane: 200 stepping down by 30 x role, never below 0.
    static platform::ColorRef LapBandColor(int role, int band);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void MapMessages();
    void TakeBaseLap();
    QString ValueText(int value) const;
    QString CursorSegmentText() const;
    void DrawLapBands(QPainter& painter);
    void DrawLabel(QPainter& painter, int x, const QString& text);
    void Redraw();

    GraphHost& m_host;
    platform::MessageWindow m_window;
    int m_role;
    bool m_active = false;
    int m_xMode = 0;
    bool m_segmentMode = false;
    bool m_baseLap = false;
    orvelo::LapRef m_baseLapRef;
    int m_baseLapNumber = 0;
    int m_segmentValue = 0;
    int m_markedItem = 0;
    int m_distanceValue = 0;
    int m_timeValue = 0;
    bool m_cursorKnown = false;
    graphs::SegmentBoundaries m_bounds;
    int m_bandCount = 0;
    std::vector<int> m_bandPositions;
    int m_zoomSpan = 0;
    int m_zoomStart = 0;
    platform::ColorRef m_bandColor;
    platform::ColorRef m_textColor = 0xFFFFFF;
    // What the picture shows: drawn again only when this changes.
    struct Label {
        int x = 0;
        QString text;
        bool lapFont = false;
        bool operator==(const Label&) const = default;
    };
    struct Look {
        QSize size;
        platform::ColorRef fill = 0;
        platform::ColorRef text = 0;
        int bandCount = 0;
        std::vector<int> bands;
        std::vector<Label> labels;
        bool operator==(const Look&) const = default;
    };
    Look m_shown;
    QStringList m_labels;
    QImage m_picture;
    QFont m_segmentFont;
    QFont m_lapFont;
    int m_lapFontHeight = -1;  // the strip height the label font was made for
};
