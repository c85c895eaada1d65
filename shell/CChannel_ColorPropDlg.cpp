#include "shell/CChannel_ColorPropDlg.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/ColorSettings.h"

#include <QGridLayout>

CChannel_ColorPropDlg::CChannel_ColorPropDlg(platform::WindowHandle requester, platform::LParam answerParam,
                                             const ChannelColorProperty& block, const QString& channelName,
                                             QWidget* parent)
    : ColorPropertyDialog(QStringLiteral("CChannel_ColorPropDlg"),
                          channelName + QStringLiteral(" Channel Color property"), requester, parent),
      m_answerParam(answerParam), m_block(block) {
    auto* grid = new QGridLayout;
    for (std::size_t lap = 0; lap < kLapSwatches.size(); ++lap) {
        const QString label = lap == 0 ? QStringLiteral("Base") : QString::number(lap);
        AddSwatch(*grid, static_cast<int>(lap), 0, kLapSwatches[lap], label, &m_block.lapColors[lap]);
    }
    AddSwatch(*grid, 0, 2, kBackground, QStringLiteral("Back ground"), &m_block.background);
    AddSwatch(*grid, 1, 2, kText, QStringLiteral("Text"), &m_block.text);
    AddSwatch(*grid, 2, 2, kAnalysisLine, QStringLiteral("Analysis line"), &m_block.analysisLine);
    AddCheckBox(*grid, static_cast<int>(kLapSwatches.size()), kEnableCheck, QStringLiteral(" Enable this view color"),
                &m_block.checkFlag);
    SetCountWord(&m_block.readFlag);
    SetUpButtons(grid, kOk, kReset);
}

void CChannel_ColorPropDlg::Reset() {
    ColorSettings::CopyDefaultChannelColor(&m_block);
    ShowFields();
}

void CChannel_ColorPropDlg::Answer() {
    if (m_block.readFlag > 0)
        platform::SendMessage(Requester(), platform::UM_COLOR_PROPERTY_SELECTED,
                              reinterpret_cast<platform::WParam>(&m_block), m_answerParam);
}
