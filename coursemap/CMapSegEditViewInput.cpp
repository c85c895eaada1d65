// The segment edit view's input: selecting and dragging with the mouse, hovering with its tip,
// and the context menu.
#include "coursemap/CMapSegEditView.h"

#include "coursemap/LapDrawingMode.h"

#include "platform/CColorToolTipWnd.h"
#include "platform/MessageBus.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>

// ----- mouse -----

void CMapSegEditView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_captured)
        return;
    DeactivateTip();
    const QPoint point = event->position().toPoint();
    m_dragAllowed = false;
    if (m_courseDrawn) {
        m_mouseDown = true;
        if (m_ends.Count() > 0)
            SelectAt(point);
        // A press on the markers of a segment whose end can move starts a drag that lasts until the
        // release: the markers move only from course point to course point, so a pointer moving on
        // along the course soon leaves them.
        m_dragAllowed = m_selected > 0 && m_selected < m_ends.Count() && m_renderer->MarkerHit(point);
    }
    // The press grabs the mouse until the release.
    m_captured = true;
}

// A click on the selected segment's markers keeps it (a drag may follow); elsewhere the segment
// under the click becomes selected, or none off the course.
void CMapSegEditView::SelectAt(const QPoint& point) {
    if (m_selected > 0 && m_renderer->MarkerHit(point))
        return;
    const int nearest = m_renderer->NearestCoursePoint(point);
    m_renderer->SelectSegmentAt(nearest);
    const int selected = m_renderer->Segments().SelectedNumber();
    RebuildLabels();
    m_renderer->Present();
    if (selected == m_selected)
        return;
    m_selected = selected;
    platform::PostMessage(m_owner, platform::UM_SET_SELECTED_SEGMENT_COLOR, static_cast<platform::WParam>(selected),
                          static_cast<platform::LParam>(selected > 0 ? m_renderer->SelectedColor() : 0));
}

void CMapSegEditView::mouseMoveEvent(QMouseEvent* event) {
    m_lastMouse = event->position().toPoint();
    if (m_captured)
        DragTo(m_lastMouse);
    else
        Hover(m_lastMouse);
}

// The selected segment's end follows the mouse along the course while the drag started on its
// markers; the last segment ends at the start and finish line, which does not move.
void CMapSegEditView::DragTo(const QPoint& point) {
    DeactivateTip();
    if (!m_dragAllowed || !m_courseDrawn || !m_mouseDown || m_selected < 1 || m_selected >= m_ends.Count()) {
        HideLengthLabels();
        return;
    }
    const orvelo::LapAnalysisItem* item = ShownItem();
    const int moved = item ? m_renderer->DragBoundary(point, *item) : 0;
    m_renderer->Present();
    if (moved != 0)
        platform::PostMessage(Handle(), platform::UM_MOVING_SEGMENT, static_cast<platform::WParam>(moved), 0);
}

void CMapSegEditView::Hover(const QPoint& point) {
    const int hovered = m_courseDrawn && m_ends.Count() > 0 ? std::max(0, m_renderer->SegmentAt(point)) : 0;
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    DeactivateTip();
    // The tip asks for its text again after its wake-up delay.
    if (hovered > 0)
        m_tipWake.start();
}

void CMapSegEditView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_captured)
        return;
    m_mouseDown = false;
    m_dragAllowed = false;
    m_captured = false;
    HideLengthLabels();
}

void CMapSegEditView::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    if (m_selected == 0) {
        m_labelsDirty = true;
        RebuildLabels();
    }
}

void CMapSegEditView::HideLengthLabels() {
    for (CColorToolTipWnd* label : m_lengthLabels)
        label->Hide();
}

// ----- tip -----

QString CMapSegEditView::TipText() const {
    if (m_hovered < 1 || m_hovered > m_ends.Count())
        return {};
    return QStringLiteral("S%1 : %2").arg(m_hovered).arg(m_ends.Length(m_hovered));
}

void CMapSegEditView::DeactivateTip() {
    m_tipWake.stop();
    QToolTip::hideText();
}

void CMapSegEditView::ShowTip() {
    const QString text = TipText();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(mapToGlobal(m_lastMouse), text, this, QRect(), kTipShownMs);
}

bool CMapSegEditView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        m_lastMouse = static_cast<QHelpEvent*>(event)->pos();
        ShowTip();
        return true;
    }
    return QWidget::event(event);
}

// ----- menu -----

void CMapSegEditView::contextMenuEvent(QContextMenuEvent* event) {
    const orvelo::LapAnalysisItem* item = ShownItem();
    if (event->reason() != QContextMenuEvent::Mouse || !m_courseDrawn || !item) {
        QWidget::contextMenuEvent(event);
        return;
    }
    // A tip shown or about to wake up would stand over the menu.
    DeactivateTip();
    QMenu menu(this);
    QMenu* modes = menu.addMenu(QStringLiteral("Drawing Map Mode "));
    const int checked = lapmode::CheckedCommand(*item);
    const std::pair<int, const char*> modeEntries[] = {
        {lapmode::kOffsetOn, "offset ON "}, {lapmode::kOffsetOff, "offset OFF"}, {lapmode::kGps, "   GPS    "}};
    for (const auto& [id, text] : modeEntries) {
        QAction* action = modes->addAction(QString::fromLatin1(text));
        action->setData(id);
        action->setCheckable(true);
        action->setChecked(id == checked);
    }
    menu.addSeparator();
    QMenu* segments = menu.addMenu(QStringLiteral("Add Multiple Segment"));
    segments->addAction(QStringLiteral("Input Segment length"))->setData(kCmdInputSegmentLength);
    QAction* automatic = segments->addAction(QStringLiteral("Auto St./Cr."));
    automatic->setData(kCmdAutoStartCross);
    automatic->setEnabled(false);
    if (QAction* chosen = platform::RunPopupMenu(menu, event->globalPos()))
        OnMenuCommand(chosen->data().toInt());
}
