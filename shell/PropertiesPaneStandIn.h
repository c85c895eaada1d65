// Stand-in for the properties pane and its small course map until that pane
// is built: receives and answers the pane's and the map's messages, and
// reports its first activation to the main frame.
#pragma once

#include "shell/StandInWindow.h"
#include "settings/WindowRoles.h"

class PropertiesPaneStandIn : public StandInWindow, public PropertiesPane {
public:
    PropertiesPaneStandIn(QWidget* parent, platform::WindowHandle mainFrame);

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return WindowHandle(); }
    platform::WindowHandle MapWindow() const override { return m_map->WindowHandle(); }
    std::u16string ShownMapPath() const override { return m_shownMapPath; }
    bool MapHasSegmentGroup() const override { return m_hasSegmentGroup; }

    StandInWindow& Map() { return *m_map; }
    void SetShownCourse(const std::u16string& mapPath, bool hasSegmentGroup) {
        m_shownMapPath = mapPath;
        m_hasSegmentGroup = hasSegmentGroup;
    }

private:
    StandInWindow* m_map;
    std::u16string m_shownMapPath;
    bool m_hasSegmentGroup = false;
};
