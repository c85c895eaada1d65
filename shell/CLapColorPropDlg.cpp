#include "shell/CLapColorPropDlg.h"

#include "platform/ColorPickButton.h"
#include "platform/ControlId.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/SettingsDefaults.h"

#include <QGridLayout>
#include <QLabel>

namespace {
constexpr int kBaseLabel = 1017;
constexpr int kFirstOverlayLabel = 1048;
}  // namespace

CLapColorPropDlg::CLapColorPropDlg(platform::WindowHandle requester, platform::WindowHandle mapWindow,
                                   const Colors& colors, QWidget* parent)
    : ColorPropertyDialog(QStringLiteral("CLapColorPropDlg"), QStringLiteral("Lap Color Property"), requester,
                          parent),
      m_mapWindow(mapWindow), m_colors(colors) {
    auto* grid = new QGridLayout;
    for (int lap = 0; lap < static_cast<int>(m_colors.size()); ++lap) {
        const QString text = lap == 0 ? QStringLiteral("Base") : QString::number(lap);
        const int labelId = lap == 0 ? kBaseLabel : kFirstOverlayLabel + lap - 1;
        grid->addWidget(platform::NamedControl(new QLabel(text, this), labelId), lap, 0);
        auto* button = new ColorPickButton(kFirstButton + lap, this);
        button->SetColor(m_colors[static_cast<std::size_t>(lap)]);
        button->SetOnPicked([this, lap](platform::ColorRef color) { OnPick(lap, color); });
        grid->addWidget(button, lap, 1);
        m_buttons[static_cast<std::size_t>(lap)] = button;
    }
    SetUpButtons(grid, kOk, kReset);
}

void CLapColorPropDlg::OnPick(int lap, platform::ColorRef color) {
    platform::ColorRef& field = m_colors[static_cast<std::size_t>(lap)];
    if (field == color)
        return;
    field = color;
    ++m_changes;
}

void CLapColorPropDlg::Reset() {
    for (std::size_t lap = 0; lap < m_colors.size(); ++lap) {
        m_colors[lap] = settings::kLapColorDefaults[lap];
        m_buttons[lap]->SetColor(m_colors[lap]);
        ++m_changes;
    }
}

void CLapColorPropDlg::Answer() {
    if (m_changes <= 0)
        return;
    platform::SendMessage(Requester(), platform::UM_LAP_COLOR_PROPERTY, reinterpret_cast<platform::WParam>(&m_colors),
                          m_changes);
    platform::PostMessage(m_mapWindow, platform::UM_LAP_COLOR_PROPERTY, 0, m_changes);
}
