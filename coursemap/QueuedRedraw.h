// A course map window's redraw as a window paints after being invalidated: asked for any number
// of times, it runs once, after whatever asked for it (a queued call), and only while the window
// is shown; one asked for while hidden runs once the window shows and asks again.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QueuedRedraw {
public:
    QueuedRedraw(QWidget& window, std::function<void()> draw) : m_window(&window), m_draw(std::move(draw)) {}

    void Request();
    // The redraw asked for, now (when the window is shown).
    void RunPending();

private:
    QPointer<QWidget> m_window;
    std::function<void()> m_draw;
    bool m_pending = false;
    bool m_queued = false;
};
