// How a graph pane takes the mouse and the keys: the cross-hair pressed,
// dragged and released (told to the sibling panes through the owner), arrow
// steps, zoom clicks and the zoom and scroll requests to the owner, and the
// channel menu.
#include "graphs/CDlgGrafView.h"

#include "graphs/GraphHost.h"

#include "platform/MessageBus.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kKeyLeft = 0x25;
constexpr int kKeyUp = 0x26;
constexpr int kKeyRight = 0x27;
constexpr int kKeyDown = 0x28;

// The point as the 16-bit halves of a message parameter.
platform::LParam PointParam(const QPoint& point) {
    return platform::MakeLong(static_cast<std::uint32_t>(point.x()), static_cast<std::uint32_t>(point.y()));
}

// The button and key flags of a mouse message.
std::uint64_t MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    std::uint64_t flags = 0;
    flags |= buttons & Qt::LeftButton ? 0x01 : 0;
    flags |= buttons & Qt::RightButton ? 0x02 : 0;
    flags |= modifiers & Qt::ShiftModifier ? 0x04 : 0;
    flags |= modifiers & Qt::ControlModifier ? 0x08 : 0;
    flags |= buttons & Qt::MiddleButton ? 0x10 : 0;
    return flags;
}

int VirtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left:
        return kKeyLeft;
    case Qt::Key_Up:
        return kKeyUp;
    case Qt::Key_Right:
        return kKeyRight;
    case Qt::Key_Down:
        return kKeyDown;
    default:
        return 0;
    }
}

// A magnifier with "+" (zoom in) or "-" (zoom out) in its glass.
QCursor MagnifierCursor(bool zoomOut) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRect(2, 2, 16, 16));
    painter.drawLine(16, 16, 27, 27);
    painter.drawLine(6, 10, 14, 10);
    if (!zoomOut)
        painter.drawLine(10, 6, 10, 14);
    painter.end();
    return QCursor(pixmap, 10, 10);
}

} // namespace

void CDlgGrafView::ShowCursorAt(const QPoint& point) {
    m_data.Plot().MoveCursor(point);
    m_data.KeepCursorPoint(point);
}

void CDlgGrafView::Press(const QPoint& point, bool relayed) {
    if (m_tracking)
        return;
    Picture(); // picks need the traces of the view as it is now
    if (!relayed && m_data.Host().ZoomMode()) {
        ZoomClick(point);
        return;
    }
    m_tracking = true;
    if (!relayed)
        platform::PostMessage(m_data.Host().PropertiesPane(), platform::UM_CURSOR_PRESS_NOTIFY,
                              static_cast<platform::WParam>(m_data.XAxisMode()), 0);
    const QPoint base = m_data.Pick(point.x(), m_data.CursorPoint().x());
    if (base.isNull()) {
        m_tracking = false;
        return;
    }
    m_data.Plot().MoveCursor(QPoint());
    ShowCursorAt(base);
    if (relayed)
        return;
    platform::PostMessage(m_data.OwnerHandle(), platform::UM_CURSOR_PRESS, Handle(), PointParam(point));
    m_data.PostCursorValues();
}

void CDlgGrafView::Drag(const QPoint& point, bool relayed) {
    if (!m_tracking)
        return;
    Picture();
    const QPoint base = m_data.Pick(point.x(), m_data.CursorPoint().x());
    m_data.Plot().MoveCursor(base);
    m_data.KeepCursorPoint(base);
    if (relayed)
        return;
    platform::PostMessage(m_data.OwnerHandle(), platform::UM_CURSOR_MOVE, Handle(), PointParam(point));
    m_data.PostCursorValues();
}

void CDlgGrafView::Release(std::uint64_t flags, const QPoint& point, bool relayed) {
    if (!m_tracking)
        return;
    m_tracking = false;
    if (!relayed)
        platform::PostMessage(m_data.OwnerHandle(), platform::UM_CURSOR_RELEASE, flags, PointParam(point));
}

// The primary channel's first trace's point under x becomes the zoom centre;
// false, with the centre's lap cleared, when there is none.
bool CDlgGrafView::TakeZoomCentre(int x) {
    Picture();
    const std::vector<GraphTrace>& traces = m_data.PrimaryTraces();
    platform::GraphPoint found{};
    if (!traces.empty() && traces.front().LapLoaded())
        m_data.Plot().FindSampleAt(found, x, m_data.CursorPoint().x(), traces.front());
    if (found.words[graphs::kPointX] == 0 && found.words[graphs::kPointY] == 0) {
        m_zoomCentre.words[graphs::kPointRow] = 0;
        m_zoomCentre.words[graphs::kPointLapNumber] = 0;
        return false;
    }
    m_zoomCentre = found;
    return true;
}

void CDlgGrafView::ZoomClick(const QPoint& point) {
    if (!TakeZoomCentre(point.x()))
        return;
    const platform::GraphPoint& found = m_zoomCentre;
    const int word = m_data.XAxisMode() == GraphPaneData::kTime ? graphs::kPointTime : graphs::kPointDistance;
    const bool zoomOut = m_zoomCursor && m_shift;
    platform::PostMessage(m_data.OwnerHandle(), platform::UM_ZOOM_CONTROL,
                          static_cast<platform::WParam>(static_cast<std::uint32_t>(found.words[word])), zoomOut ? 1 : 0);
}

// One sample left or right of the cursor; told to the owner when the key was this pane's.
void CDlgGrafView::StepCursor(int key, bool ownKey) {
    if (m_tracking || !m_data.CursorKnown() || m_data.CursorPoint().isNull())
        return;
    Picture();
    const QPoint cursor = m_data.CursorPoint();
    const int x = std::max(0, cursor.x() + (key == kKeyRight ? 1 : -1));
    const QPoint base = m_data.Pick(x, cursor.x());
    m_data.Plot().MoveCursor(base);
    m_data.KeepCursorPoint(base);
    if (!ownKey)
        return;
    platform::PostMessage(m_data.OwnerHandle(), platform::UM_CURSOR_MOVE, Handle(), key);
    m_data.PostCursorValues();
}

void CDlgGrafView::AskToScroll(int key) {
    Picture(); // the view's end as the last redraw left it
    if (m_tracking || (key == kKeyRight && m_data.AllLapsEndedInView()))
        return;
    platform::PostMessage(m_data.OwnerHandle(), platform::UM_SCROLL_CONTROL_ON_ZOOM, static_cast<platform::WParam>(key),
                          static_cast<platform::LParam>(m_data.XEnd()));
}

void CDlgGrafView::AskToZoomAtCentre(int key) {
    if (m_tracking || !TakeZoomCentre(m_data.Width() / 2))
        return;
    const platform::GraphPoint& found = m_zoomCentre;
    platform::PostMessage(m_data.OwnerHandle(), platform::UM_ZOOM_CONTROL_BY_ARROW_KEY,
                          static_cast<platform::WParam>(static_cast<std::uint32_t>(found.words[graphs::kPointDistance])),
                          key == kKeyUp ? 0 : 1);
}

void CDlgGrafView::UpdateZoomCursor() {
    const int shown = Kind() != GraphPaneData::kFileOverview && m_data.Host().ZoomMode()
                          ? (m_shift ? kZoomOutCursor : kZoomInCursor)
                          : 0;
    if (shown == m_zoomCursorShown)
        return;
    m_zoomCursorShown = shown;
    if (shown == 0)
        unsetCursor();
    else
        setCursor(MagnifierCursor(shown == kZoomOutCursor));
}

void CDlgGrafView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (m_swallowNextClick) {
        m_swallowNextClick = false;
        return;
    }
    m_zoomCursor = true;
    m_shift = event->modifiers() & Qt::ShiftModifier;
    if (Kind() == GraphPaneData::kLapOverlay)
        Press(event->position().toPoint(), false);
}

void CDlgGrafView::mouseMoveEvent(QMouseEvent* event) {
    m_zoomCursor = true;
    UpdateZoomCursor();
    if (Kind() == GraphPaneData::kLapOverlay && (event->buttons() & Qt::LeftButton))
        Drag(event->position().toPoint(), false);
}

void CDlgGrafView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || Kind() != GraphPaneData::kLapOverlay)
        return;
    Release(MouseFlags(event->buttons(), event->modifiers()), event->position().toPoint(), false);
}

void CDlgGrafView::enterEvent(QEnterEvent* event) {
    m_zoomCursor = true;
    UpdateZoomCursor();
    QWidget::enterEvent(event);
}

void CDlgGrafView::leaveEvent(QEvent* event) {
    m_zoomCursor = false;
    QWidget::leaveEvent(event);
}

void CDlgGrafView::keyPressEvent(QKeyEvent* event) {
    const int key = VirtualKey(event->key());
    if (event->key() == Qt::Key_Shift) {
        m_shift = true;
        if (m_zoomCursor) {
            UpdateZoomCursor();
            update();
        }
    } else {
        m_shift = event->modifiers() & Qt::ShiftModifier;
    }
    const bool zoomedWithCtrl = m_data.Zoomed() && (event->modifiers() & Qt::ControlModifier);
    if (key == kKeyLeft || key == kKeyRight) {
        if (zoomedWithCtrl)
            AskToScroll(key);
        else
            StepCursor(key, true);
    } else if ((key == kKeyUp || key == kKeyDown) && zoomedWithCtrl) {
        AskToZoomAtCentre(key);
    } else if (event->key() == Qt::Key_A) {
        if (m_dirty)
            Render();
        repaint();
    }
    QWidget::keyPressEvent(event);
}

void CDlgGrafView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift) {
        m_shift = false;
        UpdateZoomCursor();
    }
    QWidget::keyReleaseEvent(event);
}

void CDlgGrafView::contextMenuEvent(QContextMenuEvent* event) {
    if (Kind() != GraphPaneData::kLapOverlay || !m_data.HasData()) {
        event->ignore();
        return;
    }
    Picture(); // the title of the channel as it is now
    QMenu menu(this);
    QString title = m_title;
    menu.addAction(QStringLiteral("Channel property : ") + title.replace(QLatin1Char('&'), QStringLiteral("&&")));
    if (platform::RunPopupMenu(menu, event->globalPos()))
        platform::PostMessage(m_data.OwnerHandle(), platform::UM_CHANNEL_PROPERTY_MENU, Handle(), 0);
}
