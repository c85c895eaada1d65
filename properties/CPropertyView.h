// A cell of the properties pane's splitter that holds one of the pane's grids and keeps it at
// its own size. It draws nothing itself; the pane owns the grid.
#pragma once

#include <QPointer>
#include <QWidget>

class CPropertyView : public QWidget {
public:
    explicit CPropertyView(QWidget* parent = nullptr) : QWidget(parent) {}

    void SetHostedGrid(QWidget* grid);
    QWidget* HostedGrid() const { return m_grid; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitGrid();

    QPointer<QWidget> m_grid;
};
