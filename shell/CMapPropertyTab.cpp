#include "shell/CMapPropertyTab.h"

#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/ChannelSettings.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

CMapPropertyTab::CMapPropertyTab(ChannelSettings& channels, QWidget* parent)
    : CTabPageDlg(QStringLiteral("CMapPropertyTab"), parent), m_channels(channels), m_radios(new QButtonGroup(this)) {
    auto* group = new QGroupBox(QStringLiteral("Global map mode"), this);
    auto* inGroup = new QVBoxLayout(group);
    inGroup->addWidget(new QLabel(QStringLiteral("Select the global draw map mode."), group));
    const struct {
        int id;
        const char* text;
    } radios[] = {{kOffsetOff, "offset OFF"}, {kOffsetOn, "offset ON"}, {kGps, "GPS"}};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(radios[i].text), group);
        platform::NamedControl(radio, radios[i].id);
        m_radios->addButton(radio, i);
        inGroup->addWidget(radio);
    }
    m_save = platform::NamedControl(new QPushButton(QStringLiteral("Save"), this), kSave);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_save, 0, Qt::AlignRight);
    layout->addStretch(1);
    connect(m_radios, &QButtonGroup::idClicked, this, [this](int) { OnRadio(); });
    connect(m_save, &QPushButton::clicked, this, [this] { OnSave(); });
}

void CMapPropertyTab::Init() {
    m_choice = std::clamp(m_channels.MapDrawMode() - 1, 0, 2);
    m_kept = m_choice;
    m_radios->button(m_choice)->setChecked(true);
    m_save->setEnabled(false);
    m_changed = false;
}

void CMapPropertyTab::OnRadio() {
    m_choice = std::max(0, m_radios->checkedId());
    m_changed = m_choice != m_kept;
    m_save->setEnabled(m_changed);
}

void CMapPropertyTab::OnSave() {
    std::int32_t mode = m_choice + 1;
    if (m_channels.MapDrawModeSetting(1, &mode) != 0) {
        // No caption of its own: the program's title.
        platform::ShowMessageBox(this, QStringLiteral("ERROR, failed set registry map mode !"),
                                 QStringLiteral("Varnek Orvelo"));
        return;
    }
    m_save->setEnabled(false);
    m_changed = false;
    m_channels.MapDrawMode() = mode;
    m_kept = m_choice;
    platform::PostMessage(m_notify, platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 0, 0);
}
