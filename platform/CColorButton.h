// The push button of the colour-aware dialogs; it adds nothing to the
// standard button and exists so those dialogs name one button class.
#pragma once

#include <QPushButton>

class CColorButton : public QPushButton {
public:
    using QPushButton::QPushButton;
};
