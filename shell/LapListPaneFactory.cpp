#include "shell/LapListPaneFactory.h"

#include "settings/AppSettings.h"
#include "shell/CClassView.h"
#include "shell/CMainFrame.h"
#include "shell/COrveloApp.h"
#include "settings/WindowRoles.h"

LapListPane* CreateLapListPane(CMainFrame& frame, QWidget* parent) {
    COrveloApp& app = frame.App();
    ColorSettings& settings = app.Settings().Colors();
    LapColorAccess colors;
    // The settings pass the colours they take on to the application's data core.
    colors.setting = [&settings](int op, orvelo::LapColorArray& table) {
        return settings.LapColorSetting(op, table.data());
    };
    colors.builtIn = [&settings] {
        settings.UseBuiltInLapColors();
        return settings.LapColorTable();
    };
    auto* pane = new CClassView(app.Core(), frame.Handle(), colors, parent);
    if (frame.Properties())
        pane->SetPropertiesPane(frame.Properties()->Handle());
    return pane;
}
