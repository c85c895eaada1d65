// "Channel Color Property": the colours of one channel's graphs (the seven
// lap colours, background, text, analysis line) and whether the view uses
// them. The change count is the block's read flag, so a block that arrives
// with 1 is answered on OK unchanged. The answer: UM_COLOR_PROPERTY_SELECTED
// (block, the value the requester gave) sent to the requester.
#pragma once

#include "settings/SettingsRecords.h"
#include "shell/ColorPropertyDialog.h"

class CChannel_ColorPropDlg : public ColorPropertyDialog {
public:
    static constexpr int kOk = 1042;
    static constexpr int kReset = 1091;
    static constexpr int kEnableCheck = 1031;
    // Swatches of the base lap and overlay laps 1 to 6.
    static constexpr std::array<int, 7> kLapSwatches = {1017, 1018, 1019, 1023, 1022, 1021, 1020};
    static constexpr int kBackground = 1028;
    static constexpr int kText = 1029;
    static constexpr int kAnalysisLine = 1032;

    // The caption is channelName followed by " Channel Color property".
    CChannel_ColorPropDlg(platform::WindowHandle requester, platform::LParam answerParam,
                          const ChannelColorProperty& block, const QString& channelName, QWidget* parent);

    const ChannelColorProperty& EditedBlock() const { return m_block; }

private:
    void Answer() override;
    void Reset() override;

    platform::LParam m_answerParam;
    ChannelColorProperty m_block;
};
