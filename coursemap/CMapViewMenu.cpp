// The map view's context menu and its commands.
#include "coursemap/CMapView.h"

#include "coursemap/LapDrawingMode.h"

#include "core/LapDataCore.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

using platform::Message;

namespace {

enum Command : int {
    kOffsetOn = lapmode::kOffsetOn,
    kOffsetOff = lapmode::kOffsetOff,
    kGps = lapmode::kGps,
    kRegisterCourse = 4,
    kMapProperty = 5,
    kSegmentEdit = 6,
};

MapMenuItem Separator() { return MapMenuItem{}; }

void AddAction(QMenu& menu, const MapMenuItem& item) {
    QAction* action = menu.addAction(item.text);
    action->setData(item.id);
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
}

}  // namespace

std::vector<MapMenuItem> CMapView::ContextMenuItems() const {
    if (!m_courseDrawn)
        return {{1, QStringLiteral("Map property..."), false, false}};
    const orvelo::LapAnalysisItem* item = ShownItem();
    const int checked = item ? lapmode::CheckedCommand(*item) : kOffsetOff;
    std::vector<MapMenuItem> items = {
        {kOffsetOn, QStringLiteral("offset ON "), checked == kOffsetOn, true},
        {kOffsetOff, QStringLiteral("offset OFF"), checked == kOffsetOff, true},
        {kGps, QStringLiteral("   GPS    "), checked == kGps, true},
        Separator(),
        {kSegmentEdit, QStringLiteral("Map Segment Edit..."), false, false},
        {kMapProperty, QStringLiteral("Map property..."), false, false},
        Separator(),
        {kRegisterCourse, QStringLiteral("Register course..."), false, false},
    };
    if (!m_core.MapFiles.empty())
        items.push_back(Separator());
    for (std::size_t i = 0; i < m_core.MapFiles.size(); ++i) {
        const orvelo::LogFile& file = m_core.MapFiles[i];
        items.push_back({kFirstMapFileCommand + static_cast<int>(i), QString::fromStdU16String(file.title),
                         file.currentCourseFlag != 0, false});
    }
    return items;
}

void CMapView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QMenu* modes = nullptr;
    for (const MapMenuItem& item : ContextMenuItems()) {
        if (item.inModeMenu) {
            if (!modes)
                modes = menu.addMenu(QStringLiteral("Drawing Map Mode "));
            AddAction(*modes, item);
        } else if (item.id == 0) {
            menu.addSeparator();
        } else {
            AddAction(menu, item);
        }
    }
    const bool fullMenu = m_courseDrawn;
    if (QAction* chosen = platform::RunPopupMenu(menu, event->globalPos()))
        OnMenuCommand(chosen->data().toInt(), fullMenu);
}

void CMapView::SendCourse(std::uint32_t id) const {
    const auto mode = static_cast<platform::WParam>(m_mode);
    Message message{id, mode, 0, {}, nullptr};
    if (m_hasCourse)
        message = platform::MessageWithBlock(id, mode, m_course);
    if (id == platform::UM_REGIST_COURSE_MAP)
        platform::SendMessage(m_mainFrame, message);
    else
        platform::PostMessage(m_mainFrame, message);
}

void CMapView::OnMenuCommand(int id, bool fullMenu) {
    if (!fullMenu) {
        if (id == 1)
            platform::PostMessage(m_mainFrame, platform::UM_MAP_PROPERTY, static_cast<platform::WParam>(Handle()), 0);
        return;
    }
    switch (id) {
    case kOffsetOn:
        platform::PostMessage(Handle(), platform::UM_REDRAW_MAP_BY_OFFSET_MODE, 0, 1);
        return;
    case kOffsetOff:
        platform::PostMessage(Handle(), platform::UM_REDRAW_MAP_BY_OFFSET_MODE, 0, 0);
        return;
    case kGps:
        platform::PostMessage(Handle(), platform::UM_REDRAW_MAP_BY_OFFSET_MODE, 1, 0);
        return;
    case kRegisterCourse:
        SendCourse(platform::UM_REGIST_COURSE_MAP);
        return;
    case kMapProperty:
        platform::PostMessage(m_mainFrame, platform::UM_MAP_PROPERTY, static_cast<platform::WParam>(Handle()), 0);
        return;
    case kSegmentEdit:
        if (const orvelo::LapAnalysisItem* item = ShownItem())
            m_savedAngle = item->rotation;
        SendCourse(platform::UM_SEGMENT_EDIT_DIALOG_POPUP);
        return;
    default:
        if (id >= kFirstMapFileCommand)
            ChooseMapFile(id - kFirstMapFileCommand);
        return;
    }
}

void CMapView::ChooseMapFile(int position) {
    m_mode = kMapFileMode;
    if (orvelo::SetActiveMapFile(m_core, position) == 0) {
        Invalidate();
        return;
    }
    FillBlockFromMapFile(static_cast<std::size_t>(position));
    Invalidate();
    platform::SendMessage(m_mainFrame,
                          platform::MessageWithBlockInWParam(platform::UM_VIEW_READ_MAP_FILE, m_course.info,
                                                             static_cast<platform::LParam>(m_mode)));
    m_pendingMessage = platform::UM_VIEW_READ_MAP_FILE;
}
