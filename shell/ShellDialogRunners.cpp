#include "shell/ShellDialogRunners.h"

#include "platform/ModalDialog.h"
#include "shell/CCSMapPropertyDlg.h"
#include "shell/CCTabCtrl_SetConfigDlg.h"
#include "shell/CChannel_ColorPropDlg.h"
#include "shell/CLapColorPropDlg.h"
#include "shell/CLapOverView_WndProp.h"

int RunLapColorDialog(QWidget* parent, platform::WindowHandle requester, platform::WindowHandle mapWindow,
                      const std::array<platform::ColorRef, 7>& colors) {
    CLapColorPropDlg dialog(requester, mapWindow, colors, parent);
    return platform::RunModalDialog(dialog);
}

int RunMapPropertyDialog(QWidget* parent, platform::WindowHandle requester, const MapViewProperty& property,
                         const ColorSettings& colors) {
    CCSMapPropertyDlg dialog(requester, property, colors, parent);
    return platform::RunModalDialog(dialog);
}

int RunChannelColorDialog(QWidget* parent, platform::WindowHandle requester, platform::LParam answerParam,
                          const ChannelColorProperty& block, const QString& channelName) {
    CChannel_ColorPropDlg dialog(requester, answerParam, block, channelName, parent);
    return platform::RunModalDialog(dialog);
}

int RunLapOverviewColorDialog(QWidget* parent, platform::WindowHandle requester, const OverviewWindowColors& block) {
    CLapOverView_WndProp dialog(requester, block, parent);
    return platform::RunModalDialog(dialog);
}

int RunSetupDialog(QWidget* parent, platform::WindowHandle mainWindow, ChannelSettings& channels) {
    CCTabCtrl_SetConfigDlg dialog(channels, mainWindow, parent);
    const int result = platform::RunModalDialog(dialog);
    dialog.Finish();
    return result;
}
