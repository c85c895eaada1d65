#include "shell/PropertiesPaneStandIn.h"

#include "platform/UserMessages.h"

#include <QVBoxLayout>

PropertiesPaneStandIn::PropertiesPaneStandIn(QWidget* parent, platform::WindowHandle mainFrame)
    : StandInWindow(QStringLiteral("Log data property window"), parent) {
    ReportFirstShowTo(mainFrame);
    m_map = new StandInWindow(QStringLiteral("Course map"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(2);
    layout->addWidget(m_map, 1);
    SetAnswer(platform::UM_CLOSE_SLIDING_PANEL, 1);
    SetAnswer(platform::UM_OPEN_SLIDING_PANEL, 1);
}

platform::WindowHandle PropertiesPaneStandIn::MapWindow() const {
    return m_hosted ? m_hosted->Handle() : m_map->WindowHandle();
}

std::u16string PropertiesPaneStandIn::ShownMapPath() const {
    return m_hosted ? m_hosted->ShownMapPath() : m_shownMapPath;
}

bool PropertiesPaneStandIn::MapHasSegmentGroup() const {
    return m_hosted ? m_hosted->HasSegmentGroup() : m_hasSegmentGroup;
}

void PropertiesPaneStandIn::HostMap(CourseMapView& map) {
    QWidget* view = map.Widget();
    view->setParent(this);
    delete layout()->replaceWidget(m_map, view);  // the stand-in map's layout item
    m_map->hide();
    m_hosted = &map;
}

void PropertiesPaneStandIn::PassOn(const platform::Message& m) {
    if (!m_hosted)
        return;
    switch (m.id) {
    case platform::UM_DRAW_MAP_ON_VIEW: {
        if (const auto* course = platform::TypedBlockIn<CourseBlock>(m, m.lParam)) {
            m_hosted->SetCourse(m.wParam, course);
        } else if (const auto* info = platform::BlockIn<platform::MapInfoBlock>(m, m.lParam)) {
            const CourseBlock alone{*info, {}};
            m_hosted->SetCourse(m.wParam, &alone);
        } else {
            m_hosted->SetCourse(m.wParam, nullptr);
        }
        return;
    }
    case platform::UM_RESET_LAP_LIST:
        m_hosted->ResetCourse(static_cast<int>(m.lParam));
        return;
    case platform::UM_VIEW_READ_MAP_FILE:
        m_hosted->ShowReadMapFile(static_cast<platform::WindowHandle>(m.wParam));
        return;
    case platform::UM_SET_DISTANCE_VALUE:
        m_hosted->MoveCursorMarks(platform::LoWord(static_cast<std::uint64_t>(m.lParam)),
                                  platform::HiWord(static_cast<std::uint64_t>(m.lParam)),
                                  static_cast<int>(static_cast<std::int64_t>(m.wParam)));
        return;
    case platform::UM_REDRAW_LAP_GRAPH:
        m_hosted->SetOverlapLayers(static_cast<int>(m.wParam));
        return;
    default:
        return;
    }
}
