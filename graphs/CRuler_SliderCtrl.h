// The ruler of the Y-scale dialog: a channel's scale with two thumbs, the
// displayed minimum (low) and maximum (high). A thumb follows the mouse while
// dragged; on release it snaps to the step and the ruler posts the new limits
// (2099, MAKELONG(maximum, minimum)) to its parent window.
#pragma once

#include "graphs/GraphRecords.h"
#include "platform/ColorRef.h"
#include "platform/MessageWindow.h"

#include <QImage>
#include <QWidget>

#include <vector>

class CColorToolTipWnd;

class CRuler_SliderCtrl : public QWidget {
public:
    static constexpr int kGrabDistance = 4;
    static constexpr platform::ColorRef kSpanColor = 0x00FF00;
    static constexpr platform::ColorRef kThumbColor = 0x0000FF;

    // vertical: values grow upwards; otherwise to the right.
    CRuler_SliderCtrl(bool vertical, QWidget* parent);

    platform::WindowHandle Handle() const { return m_window.Handle(); }
    // Where the new limits go (the dialog).
    void SetNotify(platform::WindowHandle parent) { m_notify = parent; }
    // Thumbs at low and high; values snap to step, high stays at most full,
    // low at least floor. Values are 16-bit.
    void SetRange(int low, int high, int step, int full, int floor);
    // Values counted from the top: the thumbs mirror each other (the G channels).
    void SetInverted(bool inverted) { m_inverted = inverted; }
    // Scale ticks by value; tenths: labels "%1.1f" of value / 10.
    void SetTicks(std::vector<graphs::ScaleTick> ticks, bool tenths);

    int Low() const { return m_low; }
    int High() const { return m_high; }
    int LowPosition() const { return m_lowPos; }
    int HighPosition() const { return m_highPos; }
    // The pixel along the ruler (y, or x) of a value, and back.
    int PositionOf(double value) const;
    int ValueAt(int position) const;
    const QImage& Picture() const { return m_picture; }
    bool ToolTipShown() const;
    QString ToolTipText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int Length() const { return m_vertical ? height() : width(); }
    int Along(const QPoint& point) const { return m_vertical ? point.y() : point.x(); }
    double ExactValueAt(int position) const;
    bool NearThumb(int position) const;
    void MoveThumbs(int position);
    void SnapThumbs();
    void PlaceThumbs();
    void ShowValueTip(int position);
    void Redraw();

    platform::MessageWindow m_window;
    platform::WindowHandle m_notify = platform::kNoWindow;
    bool m_vertical;
    int m_low = 0;
    int m_high = 0;
    int m_step = 1;
    int m_full = 0;
    int m_floor = 0;
    bool m_inverted = false;
    int m_lowPos = 0;
    int m_highPos = 0;
    bool m_dragging = false;
    bool m_lowGrabbed = false;
    bool m_highGrabbed = false;
    int m_pressPosition = 0;
    bool m_tenths = false;
    std::vector<graphs::ScaleTick> m_ticks;
    CColorToolTipWnd* m_tip;
    QImage m_picture;
};
