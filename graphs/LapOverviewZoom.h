// The zoom state of a lap overview window and the rules that change it: a
// zoom step at a point, a key zoom and a key or X-scale scroll. Level, span
// and start offset are in the X unit of the mode (metres, or hundredths of a
// second over time); a span of 0 is the full view. The window hands the
// resulting (span, offset) to its panes and the main frame.
#pragma once

namespace graphs {

class LapOverviewZoom {
public:
    enum Mode : int { kDistance = 0, kTime = 1 };
    // A zoom-out from level 1, a zoom-in at this level or above, clears the zoom.
    static constexpr int kDeepestLevel = 6;
    static constexpr int kKeyRight = 39;

    void SetMode(int mode) { m_mode = mode == kTime ? kTime : kDistance; }
    // The longest marked lap of the current mode, as last computed.
    void SetFullSpan(int span) { m_fullSpan = span; }
    void SetState(int level, int span, int offset) {
        m_level = level;
        m_span = span;
        m_offset = offset;
    }
    void Reset() { m_level = m_span = m_offset = 0; }

    // Each returns true when the panes must be told the new (span, offset).
    // A zoom at cursor position p (X units): in halves the span, out widens it by 30 %.
    bool Step(int p, bool out, int fullSpanNow);
    // Ctrl+Up / Ctrl+Down: the right end stays, the start moves by a fixed step.
    bool KeyZoom(bool out, int fullSpanNow);
    // Ctrl+Left / Ctrl+Right; visibleEnd: the end of the visible range.
    bool KeyScroll(int keyCode, int visibleEnd);
    // A drag of the zoomed X scale by amount X units.
    bool DragScroll(bool forward, int amount, int visibleEnd);

    int Mode() const { return m_mode; }
    int Level() const { return m_level; }
    int Span() const { return m_span; }
    int Offset() const { return m_offset; }
    int FullSpan() const { return m_fullSpan; }
    bool Zoomed() const { return m_span > 0; }

    // The grid the zoom step's shift snaps to, for a span change d.
    int SnapUnit(int d) const;
    // The key scroll step for the current span.
    int ScrollStep() const;

private:
    // The zoom begins from the full view; false when the span is too small.
    bool Start(int fullSpanNow);
    bool Scroll(bool forward, int step, int visibleEnd);

    int m_mode = kDistance;
    int m_level = 0;
    int m_span = 0;
    int m_offset = 0;
    int m_fullSpan = 0;
};

} // namespace graphs
