#include "shell/CLapOverView_WndProp.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/SettingsDefaults.h"

#include <QGridLayout>

CLapOverView_WndProp::CLapOverView_WndProp(platform::WindowHandle requester, const OverviewWindowColors& block,
                                           QWidget* parent)
    : ColorPropertyDialog(QStringLiteral("CLapOverView_WndProp"), QStringLiteral("Lap over view window property"),
                          requester, parent),
      m_block(block) {
    auto* grid = new QGridLayout;
    AddSwatch(*grid, 0, 0, kBackground, QStringLiteral("Back ground"), &m_block.background);
    AddSwatch(*grid, 1, 0, kText, QStringLiteral("Text"), &m_block.text);
    AddSwatch(*grid, 2, 0, kAnalysisLine, QStringLiteral("Analysis line"), &m_block.analysisLine);
    AddSwatch(*grid, 3, 0, kGridLine, QStringLiteral("Grid Line"), &m_block.gridLine);
    AddCheckBox(*grid, 4, kGridCheck, QStringLiteral(" Enable Grid Line"), &m_block.gridEnabled);
    SetCountWord(&m_block.readFlag);
    SetUpButtons(grid, kOk, kReset);
}

void CLapOverView_WndProp::Reset() {
    m_block = settings::kOverviewWindowDefaults;
    ShowFields();
}

void CLapOverView_WndProp::Answer() {
    if (m_block.readFlag > 0)
        platform::SendMessage(Requester(), platform::UM_COLOR_SELECTED, reinterpret_cast<platform::WParam>(&m_block),
                              static_cast<platform::LParam>(Handle()));
}
