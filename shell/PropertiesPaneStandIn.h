// Stand-in for the properties pane until that pane is built: receives and
// answers the pane's messages and reports its first activation to the main
// frame. Its small course map is a stand-in too, or the real map view when
// one is handed in (HostMap): the pane then passes the map's messages on to
// it as the pane will (2022, 2027, 2042, 2017, and the compared laps of 2023)
// and answers for the map from it.
#pragma once

#include "shell/StandInWindow.h"
#include "settings/WindowRoles.h"

class PropertiesPaneStandIn : public StandInWindow, public PropertiesPane {
public:
    PropertiesPaneStandIn(QWidget* parent, platform::WindowHandle mainFrame);

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return WindowHandle(); }
    platform::WindowHandle MapWindow() const override;
    std::u16string ShownMapPath() const override;
    bool MapHasSegmentGroup() const override;

    // The map view takes the stand-in map's place; the pane's child from now on.
    void HostMap(CourseMapView& map);
    CourseMapView* HostedMap() const { return m_hosted; }

    StandInWindow& Map() { return *m_map; }
    void SetShownCourse(const std::u16string& mapPath, bool hasSegmentGroup) {
        m_shownMapPath = mapPath;
        m_hasSegmentGroup = hasSegmentGroup;
    }

protected:
    void PassOn(const platform::Message& m) override;

private:
    StandInWindow* m_map;
    CourseMapView* m_hosted = nullptr;
    std::u16string m_shownMapPath;
    bool m_hasSegmentGroup = false;
};
