// "Lap over view window property": the colours of a lap overview window
// (background, text, analysis line, grid line) and whether it draws the
// grid. The change count is the block's read flag, so a block that arrives
// with 1 is answered on OK unchanged. The answer: UM_COLOR_SELECTED (block,
// this dialog's window) sent to the requester.
#pragma once

#include "settings/SettingsRecords.h"
#include "shell/ColorPropertyDialog.h"

class CLapOverView_WndProp : public ColorPropertyDialog {
public:
    static constexpr int kOk = 1041;
    static constexpr int kReset = 1067;
    static constexpr int kGridCheck = 1034;
    static constexpr int kBackground = 1028;
    static constexpr int kText = 1029;
    static constexpr int kAnalysisLine = 1032;
    static constexpr int kGridLine = 1035;

    CLapOverView_WndProp(platform::WindowHandle requester, const OverviewWindowColors& block, QWidget* parent);

    const OverviewWindowColors& EditedBlock() const { return m_block; }

private:
    void Answer() override;
    void Reset() override;

    OverviewWindowColors m_block;
};
