// The drop-down colour palette of the colour swatches (CStaticColorSel) and
// of the colour buttons (ColorPickButton): a popup of colour cells over one
// text button that opens the colour chooser. A choice is posted as
// UM_COLOR_SELECTED (wParam = the colour) to the window that opened it; the
// palette then closes and destroys itself, so openers keep it in a QPointer.
#pragma once

#include "platform/ChooseColor.h"
#include "platform/WindowMessage.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <vector>

class CPalleteColorWnd : public QWidget {
public:
    struct Cells {
        std::vector<platform::ColorRef> colors;
        int columns = 8;
        QString buttonText;
    };
    // The sixteen colours of the VGA palette, eight a row, with "Custom colors...".
    static const Cells& StandardCells();
    static constexpr int kStandardWidth = 148;

    explicit CPalleteColorWnd(Cells cells = StandardCells());

    // Shows the palette with its top-left corner at the opener's screen
    // rectangle, width pixels wide and as high as its rows need, moved left or
    // up to stay inside the desktop's work area. customColors are the
    // chooser's (the shared ones when null); they must outlive the palette.
    void Create(const QRect& openerScreenRect, platform::WindowHandle resultWindow, platform::ColorRef current,
                platform::CustomColors* customColors, int width);

    // The cell under a client point, -1 for none.
    int CellAt(const QPoint& point) const;
    QRect CellRect(int index) const;
    QRect ButtonRect() const;

    QImage Picture() const;
    platform::ColorRef CurrentColor() const { return m_current; }
    bool ColorDialogOpen() const { return m_colorDialogOpen; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int Rows() const;
    void Choose(platform::ColorRef color);
    void ChooseCustom();

    Cells m_cells;
    platform::WindowHandle m_resultWindow = platform::kNoWindow;
    platform::ColorRef m_current = 0;
    platform::CustomColors* m_customColors = nullptr;
    int m_hotCell = -1;
    bool m_hotButton = false;
    bool m_colorDialogOpen = false;
};
