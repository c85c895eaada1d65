// The empty upper pane of the segment edit frame's splitter. A window it hosts, when given one,
// covers its whole client area.
#pragma once

#include <QPointer>
#include <QWidget>

class CDummyView : public QWidget {
public:
    explicit CDummyView(QWidget* parent = nullptr);

    void SetHostedWindow(QWidget* window);
    QWidget* HostedWindow() const { return m_hosted; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QWidget> m_hosted;
};
