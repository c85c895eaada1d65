#include "app/ProgramWindowFactory.h"

#include "coursemap/CMapView.h"
#include "settings/AppSettings.h"
#include "shell/PropertiesPaneStandIn.h"

ProgramWindowFactory::ProgramWindowFactory(AppSettings& settings, orvelo::LapDataCore& core)
    : m_settings(settings), m_core(core) {}

PropertiesPane* ProgramWindowFactory::CreatePropertiesPane(QWidget* parent, platform::WindowHandle mainFrame) {
    auto* pane = new PropertiesPaneStandIn(parent, mainFrame);
    auto* map = new CMapView(pane, m_core, m_settings, m_settings.SegmentGroups(), mainFrame);
    pane->HostMap(*map);
    return pane;
}
