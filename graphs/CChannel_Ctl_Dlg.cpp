#include "graphs/CChannel_Ctl_Dlg.h"

#include "graphs/GraphChannelTable.h"
#include "graphs/LapOverviewLayout.h"

#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "platform/ModalDialog.h"
#include "settings/ChannelSettings.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <bit>

using namespace platform;

CChannel_Ctl_Dlg::CChannel_Ctl_Dlg(WindowHandle owner, std::uint32_t mask, ChannelSettings& channels,
                                   QWidget* parent)
    : QDialog(parent), m_owner(owner) {
    setObjectName(QStringLiteral("CChannel_Ctl_Dlg"));
    setWindowTitle(QStringLiteral("Channel list"));
    m_list = NamedControl(new QListWidget(this), kList);
    QFont font(QStringLiteral("Microsoft Sans Serif"));
    font.setPointSize(10);
    m_list->setFont(font);
    for (int channel = 1; channel <= graphs::kChannelCount; ++channel) {
        const ChannelNameRec& names = channels.ChannelNameTable()[static_cast<std::size_t>(channel - 1)];
        auto* item = new QListWidgetItem(ChannelNameRec::Text(names.currentName), m_list);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        const bool checked = (mask >> (channel - 1)) & 1u;
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        if (checked) {
            m_flags[static_cast<std::size_t>(channel - 1)] = true;
            ++m_checkedCount;
        }
    }
    auto* allCheck = NamedControl(new QPushButton(QStringLiteral("All check"), this), kAllCheck);
    auto* ok = NamedControl(new QPushButton(QStringLiteral("OK"), this), kOk);
    auto* cancel = NamedControl(new QPushButton(QStringLiteral("Cancel"), this), kCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(allCheck);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { OnCheckChange(item); });
    connect(allCheck, &QPushButton::clicked, this, [this] { OnAllCheck(); });
    connect(ok, &QPushButton::clicked, this, [this] { OnOk(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    platform::ReturnPressesOk(*this, ok);
}

std::uint32_t CChannel_Ctl_Dlg::CheckedMask() const {
    std::uint32_t mask = 0;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->checkState() == Qt::Checked)
            mask |= 1u << row;
    }
    return mask;
}

// The rows are compared with what was last seen of them, in order; a ninth
// channel picked by a click is refused and unchecked again.
void CChannel_Ctl_Dlg::OnCheckChange(QListWidgetItem*) {
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        bool& flag = m_flags[static_cast<std::size_t>(row)];
        const bool checked = item->checkState() == Qt::Checked;
        if (!checked && flag) {
            --m_checkedCount;
            flag = false;
        } else if (checked && !flag) {
            if (++m_checkedCount > kMaxPicked) {
                ShowMessageBox(this, QStringLiteral("Warning , you choose more than 8 channels."),
                               QStringLiteral("OK"), kMbIconWarning);
                const QSignalBlocker blocker(m_list);
                item->setCheckState(Qt::Unchecked);
                --m_checkedCount;
                return;
            }
            flag = true;
        }
    }
}

void CChannel_Ctl_Dlg::OnAllCheck() {
    m_allChecked = !m_allChecked;
    const QSignalBlocker blocker(m_list);
    for (int row = 0; row < m_list->count(); ++row)
        m_list->item(row)->setCheckState(m_allChecked ? Qt::Checked : Qt::Unchecked);
}

void CChannel_Ctl_Dlg::OnOk() {
    std::uint32_t mask = CheckedMask();
    if (mask == 0)
        mask = graphs::kDefaultChannelMask;
    PostMessage(m_owner, UM_RESET_CHANNEL_VIEW, static_cast<WParam>(std::popcount(mask)), static_cast<LParam>(mask));
    accept();
}
