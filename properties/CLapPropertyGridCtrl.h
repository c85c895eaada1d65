// The property grid of the properties pane, used for both of its grids: a bold font and the header
// items the pane shows ("LapNo.", "Value").
#pragma once

#include "platform/PropertyGrid.h"

class CLapPropertyGridCtrl : public platform::PropertyGrid {
public:
    explicit CLapPropertyGridCtrl(QWidget* parent = nullptr);

    // The desktop's GUI font, semi-bold.
    void SetBoldFont();
    // The pane's set-up of a grid, once.
    void SetupColumns();
};
