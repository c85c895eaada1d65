// The course map viewer's rotation slider: the one-colour slider as it stands.
#pragma once

#include "platform/CCustomDrawSliderCtrl.h"

class CRtSliderCtrl : public CCustomDrawSliderCtrl {
public:
    using CCustomDrawSliderCtrl::CCustomDrawSliderCtrl;
};
