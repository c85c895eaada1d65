// The segment strip's splitter: the top segment pane in row 0 and, in row 1,
// a nested row of two panes: segment bands with a segment group in use, the
// laps of the base lap's file otherwise. Its bars cannot be dragged.
#pragma once

#include "graphs/LapOverviewSegmentStrip.h"

#include <QSplitter>

class CSegInfoPlotView;
class CSegView;
class GraphHost;

class CSegSplitterWnd : public QSplitter, public LapOverviewSegmentStrip {
public:
    CSegSplitterWnd(GraphHost& host, QWidget* parent);

    QWidget* Widget() override { return this; }
    platform::WindowHandle TopPane() const override { return TopHandle(); }
    platform::WindowHandle LeftNestedPane() const override { return LeftHandle(); }
    // The panes for the window's segment mode, X mode, zoom and base lap, told to draw.
    void Build(CLapOverviewDlg& window, bool rebuild) override;
    void PassSpans() override;
    void Relayout(const QRect& area) override { Relayout(area, !m_segmentMode); }

    CSegView& Top() { return *m_top; }
    // Replaces the nested row (its old panes go with it).
    void Rebuild(bool segmentMode, int xMode);
    bool SegmentMode() const { return m_segmentMode; }
    // The nested row's panes: CSegInfoPlotView in segment mode, else CSegView.
    QWidget* Left() const;
    QWidget* Right() const;
    CSegView* LeftLapPane() const;
    CSegInfoPlotView* LeftSegmentPane() const;
    platform::WindowHandle TopHandle() const;
    platform::WindowHandle LeftHandle() const;
    // Rows: half the height each (the top at least a quarter); nested columns:
    // the width and a 2-pixel right pane (0 when thin is false).
    void Relayout(const QRect& area, bool thinColumn);

private:
    static void FreezeHandles(QSplitter& splitter);

    GraphHost& m_host;
    CSegView* m_top;
    QSplitter* m_nested = nullptr;
    bool m_segmentMode = false;
};
