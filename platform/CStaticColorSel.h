// A colour swatch of the colour dialogs: a framed field in its colour that
// opens the drop-down palette (CPalleteColorWnd) when clicked. The palette's
// choice comes back as UM_COLOR_SELECTED (colour); the swatch takes it and
// posts UM_COLOR_SELECTED (colour, control id) to its dialog.
#pragma once

#include "platform/CPalleteColorWnd.h"
#include "platform/MessageWindow.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class CStaticColorSel : public QWidget {
public:
    static constexpr platform::ColorRef kInitialColor = 0x0000FF;

    // The swatch is named by its control id; dialog receives its reports.
    CStaticColorSel(int controlId, platform::WindowHandle dialog, QWidget* parent);
    ~CStaticColorSel() override;

    int ControlId() const { return m_controlId; }
    platform::WindowHandle Handle() const { return m_window.Handle(); }
    platform::ColorRef Color() const { return m_color; }
    void SetColor(platform::ColorRef color);
    // The open palette; null once it has closed itself.
    CPalleteColorWnd* Palette() const { return m_palette; }
    // Opens a new palette in place of any open one (what a click does).
    void OpenPalette();

    QImage Picture() const;
    QSize sizeHint() const override { return {48, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    platform::MessageWindow m_window;
    int m_controlId;
    platform::WindowHandle m_dialog;
    platform::ColorRef m_color = kInitialColor;
    QPointer<CPalleteColorWnd> m_palette;
};
