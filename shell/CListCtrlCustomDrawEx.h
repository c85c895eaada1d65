// A list with a check box per row, grid lines and whole-row selection; the focused row has a
// focus rectangle around it while the list has the focus. With its own drawing switched on, each
// cell is drawn through the colour and drawing operations below, which the editable lists of the
// setup dialog override.
#pragma once

#include "platform/ColorRef.h"

#include <QFont>
#include <QTableWidget>

class QPainter;

class CListCtrlCustomDrawEx : public QTableWidget {
public:
    explicit CListCtrlCustomDrawEx(QWidget* parent = nullptr);
    ~CListCtrlCustomDrawEx() override;

    // Off at construction: the list draws in the standard way.
    void SetOwnDrawing(bool on);
    bool OwnDrawing() const { return m_ownDrawing; }

    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);
    void SetAllChecked(bool checked);

    // The cell's background, the text inset by 4 pixels, centred vertically, cut with an ellipsis,
    // aligned as the column says.
    virtual void DrawSubItem(QPainter& painter, int item, int subItem, const QRect& rect);
    virtual platform::ColorRef GetCellTextColor(int item, int subItem) const;
    virtual platform::ColorRef GetCellBkColor(int item, int subItem) const;
    // The widest text of the column; -1 when the list is empty.
    virtual int GetColumnTextWidth(const QFontMetrics& metrics, int column) const;
    // A cell's text cut to the width, as DrawSubItem draws it.
    virtual QString FitCellText(const QFontMetrics& metrics, const QString& text, int width) const;

    // What a double click does on a row: its check flips.
    void OnDblClk(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    class CellDelegate;

    bool m_ownDrawing = false;
};
