#include "shell/CCTabCtrl_SetConfigDlg.h"

#include "platform/ControlId.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "platform/ModalDialog.h"
#include "shell/CAnalysisSetupTabCtrl.h"
#include "shell/CEditChannelValue_DlgPage.h"
#include "shell/CMapPropertyTab.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CCTabCtrl_SetConfigDlg::CCTabCtrl_SetConfigDlg(ChannelSettings& channels, platform::WindowHandle mainWindow,
                                               QWidget* parent)
    : QDialog(parent), m_window(this), m_mainWindow(mainWindow), m_tabs(new CAnalysisSetupTabCtrl(this)) {
    setObjectName(QStringLiteral("CCTabCtrl_SetConfigDlg"));
    setWindowTitle(QStringLiteral("Orvelo Setup"));
    m_window.On(platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, [this](const platform::Message&) {
        platform::PostMessage(m_mainWindow, platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 5, 0);
        return platform::LResult{1};
    });

    m_channelPage = new CEditChannelValue_DlgPage(channels, mainWindow);
    m_tabs->AddPage(QStringLiteral("Channel "), m_channelPage, true);
    m_mapPage = new CMapPropertyTab(channels);
    m_mapPage->SetNotifyWindow(Handle());
    m_tabs->AddPage(QStringLiteral("Map "), m_mapPage, true);

    // "Prev." and "Next" do nothing.
    auto* prev = platform::NamedControl(new QPushButton(QStringLiteral("Prev."), this), kPrev);
    auto* next = platform::NamedControl(new QPushButton(QStringLiteral("Next"), this), kNext);
    auto* close = platform::NamedControl(new QPushButton(QStringLiteral("Close"), this), kClose);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(prev);
    buttons->addWidget(next);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    resize(420, 520);
    // No OK: Return presses nothing, not a page's Save or Reset.
    platform::ReturnPressesOk(*this, nullptr);
}

void CCTabCtrl_SetConfigDlg::Finish() {
    if (m_finished)
        return;
    m_finished = true;
    m_channelPage->OnClosing();
}

void CCTabCtrl_SetConfigDlg::reject() {
    Finish();
    QDialog::reject();
}
