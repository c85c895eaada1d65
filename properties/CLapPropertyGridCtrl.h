// The property grid of the properties pane, used for both of its grids: a bold font, the header
// items the pane shows ("LapNo.", "Value") and a copy of its custom colours.
#pragma once

#include "platform/PropertyGrid.h"

class CLapPropertyGridCtrl : public platform::PropertyGrid {
public:
    explicit CLapPropertyGridCtrl(QWidget* parent = nullptr);

    // The desktop's GUI font, semi-bold.
    void SetBoldFont();
    // The pane's set-up of a grid, once.
    void SetupColumns();
    // Takes the grid's custom colours into Colors().
    void Init() { m_colors = GetCustomColors(); }
    const CustomColors& Colors() const { return m_colors; }

private:
    CustomColors m_colors;
};
