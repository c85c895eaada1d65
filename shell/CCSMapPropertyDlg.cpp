#include "shell/CCSMapPropertyDlg.h"

#include "platform/ColorPickButton.h"
#include "platform/ControlId.h"
#include "platform/GdiDraw.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/ColorSettings.h"

#include <QGridLayout>
#include <QLabel>

namespace {
constexpr int kCourseLabel = 1068;
constexpr int kViewLabel = 1069;
// The places of the buttons, in button order.
constexpr std::array<int, 6> kButtonLabels = {1063, 1065, 1066, 1070, 1071, 1072};
const char* const kButtonTexts[6] = {"1", "2", "3", "Back ground", "Label", "Position mark"};
}  // namespace

CCSMapPropertyDlg::CCSMapPropertyDlg(platform::WindowHandle requester, const MapViewProperty& property,
                                     const ColorSettings& colors, QWidget* parent)
    : ColorPropertyDialog(QStringLiteral("CCSMapPropertyDlg"), QStringLiteral("Map Property Dialog"), requester,
                          parent),
      m_colorSettings(colors), m_property(property) {
    auto* grid = new QGridLayout;
    const QFont groupFont = platform::GdiFont(QStringLiteral("MS UI Gothic"), 12);
    int row = 0;
    for (int i = 0; i < static_cast<int>(m_buttons.size()); ++i) {
        if (i == 0 || i == 3) {
            auto* group = new QLabel(i == 0 ? QStringLiteral("Course line") : QStringLiteral("Map view"), this);
            platform::NamedControl(group, i == 0 ? kCourseLabel : kViewLabel)->setFont(groupFont);
            grid->addWidget(group, row++, 0, 1, 2);
        }
        grid->addWidget(platform::NamedControl(new QLabel(QString::fromLatin1(kButtonTexts[i]), this),
                                               kButtonLabels[static_cast<std::size_t>(i)]),
                        row, 0);
        auto* button = new ColorPickButton(kFirstButton + i, this);
        button->SetColor(m_property.words[static_cast<std::size_t>(kButtonWords[static_cast<std::size_t>(i)])]);
        button->SetOnPicked([this, i](platform::ColorRef color) { OnPick(i, color); });
        grid->addWidget(button, row++, 1);
        m_buttons[static_cast<std::size_t>(i)] = button;
    }
    SetUpButtons(grid, kOk, kReset);
}

void CCSMapPropertyDlg::OnPick(int index, platform::ColorRef color) {
    // Every report of black counts here, changed or not.
    if (color == 0)
        ++m_property.words[kBlackCountWord];
    std::uint32_t& field = m_property.words[static_cast<std::size_t>(kButtonWords[static_cast<std::size_t>(index)])];
    if (field == color)
        return;
    field = color;
    ++m_changes;
}

void CCSMapPropertyDlg::Reset() {
    m_colorSettings.SetDefaultMapViewProp(&m_property);
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->SetColor(m_property.words[static_cast<std::size_t>(kButtonWords[i])]);
        ++m_changes;
    }
}

void CCSMapPropertyDlg::Answer() {
    if (m_changes > 0)
        platform::SendMessage(Requester(), platform::UM_MAP_PROPERTY, reinterpret_cast<platform::WParam>(&m_property),
                              m_changes);
}
