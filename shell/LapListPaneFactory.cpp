#include "shell/LapListPaneFactory.h"

#include "shell/AppSettings.h"
#include "shell/CClassView.h"
#include "shell/CMainFrame.h"
#include "shell/SettingsDefaults.h"
#include "shell/WindowRoles.h"

#include "core/LapDataCore.h"
#include "platform/MessageBus.h"

LapListPane* CreateLapListPane(QWidget* parent, platform::WindowHandle mainFrame) {
    LapColorAccess colors;
    colors.builtIn = settings::kLapColorDefaults;
    colors.setting = [](int op, orvelo::LapColorArray& table) {
        return ApplicationSettings().Colors().LapColorSetting(op, table.data());
    };
    auto* pane = new CClassView(orvelo::TheLapDataCore(), mainFrame, colors, parent);
    const CMainFrame* frame = platform::WindowFromHandle<CMainFrame>(mainFrame);
    if (frame && frame->Properties())
        pane->SetPropertiesPane(frame->Properties()->Handle());
    return pane;
}
