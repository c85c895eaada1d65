#include "graphs/CxSplitterWnd.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

#include <QMouseEvent>
#include <QPointer>
#include <QSplitterHandle>

#include <algorithm>

namespace {

// One row: the left pane at a fixed width, the right one beyond the gap.
class SplitterRow : public QWidget {
public:
    explicit SplitterRow(QWidget* parent) : QWidget(parent) {}

    void SetPanes(QWidget* left, QWidget* right) {
        m_left = left;
        m_right = right;
        for (QWidget* pane : {left, right}) {
            if (pane)
                pane->setParent(this), pane->show();
        }
        Place();
    }
    void SetLeftWidth(int width) {
        m_leftWidth = width;
        Place();
    }
    QWidget* Pane(int column) const { return column == 0 ? m_left.data() : m_right.data(); }

protected:
    void resizeEvent(QResizeEvent*) override { Place(); }

private:
    void Place() {
        const int left = std::min(m_leftWidth, width());
        if (m_left)
            m_left->setGeometry(0, 0, left, height());
        if (m_right) {
            const int x = left + CxSplitterWnd::kColumnGap;
            m_right->setGeometry(x, 0, std::max(0, width() - x), height());
        }
    }

    QPointer<QWidget> m_left;
    QPointer<QWidget> m_right;
    int m_leftWidth = 0;
};

// A row border: a drag let go is reported once.
class RowHandle : public QSplitterHandle {
public:
    RowHandle(Qt::Orientation orientation, CxSplitterWnd* splitter)
        : QSplitterHandle(orientation, splitter), m_owner(splitter) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        m_moved = false;
        QSplitterHandle::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (event->buttons() & Qt::LeftButton)
            m_moved = true;
        QSplitterHandle::mouseMoveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QSplitterHandle::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && m_moved)
            m_owner->ReportStopTracking();
        m_moved = false;
    }

private:
    CxSplitterWnd* m_owner;
    bool m_moved = false;
};

} // namespace

CxSplitterWnd::CxSplitterWnd(int rows, platform::WindowHandle owner, QWidget* parent)
    : QSplitter(Qt::Vertical, parent), m_owner(owner) {
    setObjectName(QStringLiteral("CxSplitterWnd"));
    setHandleWidth(kRowGap);
    setChildrenCollapsible(false);
    setOpaqueResize(true);
    for (int row = 0; row < rows; ++row)
        addWidget(new SplitterRow(this));
}

void CxSplitterWnd::SetPanes(int row, QWidget* left, QWidget* right) {
    if (auto* target = dynamic_cast<SplitterRow*>(widget(row)))
        target->SetPanes(left, right);
}

QWidget* CxSplitterWnd::Pane(int row, int column) const {
    const auto* target = dynamic_cast<const SplitterRow*>(widget(row));
    return target ? target->Pane(column) : nullptr;
}

void CxSplitterWnd::SetLeftColumnWidth(int width) {
    m_leftWidth = std::max(0, width);
    for (int row = 0; row < count(); ++row) {
        if (auto* target = dynamic_cast<SplitterRow*>(widget(row)))
            target->SetLeftWidth(m_leftWidth);
    }
}

void CxSplitterWnd::SetRowHeights(int ideal, int minimum, const std::vector<int>& heights) {
    QList<int> sizes;
    for (int row = 0; row < count(); ++row) {
        widget(row)->setMinimumHeight(std::max(0, minimum));
        const bool given = heights.size() == static_cast<std::size_t>(count());
        sizes << std::max(given ? heights[static_cast<std::size_t>(row)] : ideal, minimum);
    }
    setSizes(sizes);
}

std::vector<int> CxSplitterWnd::RowHeights() const {
    std::vector<int> heights;
    for (int size : sizes())
        heights.push_back(size);
    return heights;
}

void CxSplitterWnd::ReportStopTracking() {
    platform::PostMessage(m_owner, platform::UM_STOP_TRACKING_PLOT, static_cast<platform::WParam>(count()), 0);
}

QSplitterHandle* CxSplitterWnd::createHandle() { return new RowHandle(orientation(), this); }
