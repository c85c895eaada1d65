// "Channel list": the modal dialog in which the user picks the channels a
// graph window shows, at most 8 by clicking ("All check" takes them all). On
// OK it posts UM_RESET_CHANNEL_VIEW (count, mask) to the window that opened it.
#pragma once

#include "platform/WindowMessage.h"

#include <QDialog>

#include <array>
#include <cstdint>

class ChannelSettings;
class QListWidget;
class QListWidgetItem;

class CChannel_Ctl_Dlg : public QDialog {
public:
    static constexpr int kList = 1011;
    static constexpr int kAllCheck = 1005;
    static constexpr int kOk = 1013;
    static constexpr int kCancel = 1012;
    static constexpr int kMaxPicked = 8;

    CChannel_Ctl_Dlg(platform::WindowHandle owner, std::uint32_t mask, ChannelSettings& channels,
                     QWidget* parent = nullptr);

    int CheckedCount() const { return m_checkedCount; }
    // The channels checked now, and how many.
    std::uint32_t CheckedMask() const;

private:
    void OnCheckChange(QListWidgetItem* changed);
    void OnAllCheck();
    void OnOk();

    platform::WindowHandle m_owner;
    QListWidget* m_list = nullptr;
    std::array<bool, 18> m_flags{};
    int m_checkedCount = 0;
    bool m_allChecked = false;
};
