// The colour button of the lap colour and map property dialogs: shows its
// colour and drops down a palette of twenty colours, five a row, with
// "More colors..." for the colour chooser. It reports every pick, also of
// the colour it already has, and then shows the picked colour.
#pragma once

#include "platform/CPalleteColorWnd.h"
#include "platform/MessageWindow.h"

#include <QImage>
#include <QPointer>
#include <QToolButton>

#include <functional>

class ColorPickButton : public QToolButton {
public:
    using Picked = std::function<void(platform::ColorRef)>;

    static const CPalleteColorWnd::Cells& ButtonCells();
    static constexpr int kPaletteWidth = 112;

    // The button is named by its control id.
    ColorPickButton(int controlId, QWidget* parent);
    ~ColorPickButton() override;

    int ControlId() const { return m_controlId; }
    platform::ColorRef Color() const { return m_color; }
    void SetColor(platform::ColorRef color);
    void SetOnPicked(Picked picked) { m_picked = std::move(picked); }
    // What the palette's choice does: the button shows it and reports it.
    void Pick(platform::ColorRef color);

    void OpenPalette();
    CPalleteColorWnd* Palette() const { return m_palette; }
    QImage Picture() const;
    QSize sizeHint() const override { return {56, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    platform::MessageWindow m_window;
    int m_controlId;
    platform::ColorRef m_color = 0;
    Picked m_picked;
    QPointer<CPalleteColorWnd> m_palette;
    platform::CustomColors m_customColors;
};
