// The map view as a window: its messages, the calls of the properties pane,
// size, showing and painting, its properties and the answer of the segment editor.
#include "coursemap/CMapView.h"

#include "coursemap/LapDrawingMode.h"

#include "settings/AppSettings.h"
#include "settings/SegmentGroupStore.h"
#include "settings/SettingsDefaults.h"

#include "core/CourseBuilder.h"
#include "core/LapDataCore.h"
#include "core/LapSelection.h"
#include "core/SegmentGroupCodec.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/SystemColors.h"
#include "platform/UserMessages.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

using platform::LResult;
using platform::Message;

CMapView::CMapView(QWidget* parent, orvelo::LapDataCore& core, AppSettings& settings,
                   std::deque<orvelo::SegmentGroup>& groups, platform::WindowHandle mainFrame)
    : QWidget(parent),
      m_window(this),
      m_core(core),
      m_settings(settings),
      m_groups(groups),
      m_mainFrame(mainFrame),
      m_draw(std::make_unique<CDrawCorseCtrl>(core)),
      m_redraw(*this, [this] {
          OnDraw();
          update();
      }) {
    setObjectName(QStringLiteral("CourseMap"));
    // Every paint covers its rectangle, so what lies behind is never drawn for it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(60, 60);
    MapMessages();
    OnInitialUpdate();
}

CMapView::~CMapView() = default;

void CMapView::OnInitialUpdate() {
    m_draw->SetWindow(this);
    m_width = width();
    m_height = height();
    m_draw->UpdateClientSize();
    m_draw->SetCourseColorCount(3);
    if (PersistMapProperty(0) != 0)
        m_settings.Colors().SetDefaultMapViewProp(&m_property);
    m_draw->ApplyMapProperty(m_property);
    // The main frame keeps a copy for the map property dialog and the segment views.
    platform::PostMessage(m_mainFrame, platform::MessageWithBlock(platform::UM_RESET_SEGMENT_COLOR, 0, m_property));
    LoadSegmentGroups(m_settings.Store(), m_groups);
}

void CMapView::MapMessages() {
    m_window.On(platform::UM_REDRAW_MAP_BY_OFFSET_MODE, [this](const Message& m) {
        return LResult{SetGpsMode(static_cast<int>(m.wParam), static_cast<int>(m.lParam))};
    });
    // The lap colour dialog answers the lap list first, which recolours the compared laps.
    m_window.On(platform::UM_LAP_COLOR_PROPERTY, [this](const Message&) {
        m_draw->RecolorLapMarks();
        Invalidate();
        return LResult{0};
    });
    m_window.On(platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, [this](const Message&) {
        Invalidate();
        return LResult{0};
    });
    m_window.On(platform::UM_MAP_PROPERTY, [this](const Message& m) { return OnMapProperty(m); });
    m_window.On(platform::UM_SEGMENT_EDIT_REPLACE, [this](const Message& m) { return OnSegmentEditReplace(m); });
}

// ----- the properties pane's calls -----

void CMapView::SetCourse(platform::WParam request, const CourseBlock* course) {
    m_courseRequest = request;
    m_mode = kLapMode;
    orvelo::SetActiveMapFile(m_core, static_cast<int>(m_core.MapFiles.size()));
    m_segmentGroupPresent = false;
    m_course = course ? *course : CourseBlock{};
    m_hasCourse = course != nullptr;
    Invalidate();
}

void CMapView::ShowReadMapFile(platform::WindowHandle answerTo) {
    if (m_mode != kLapMode) {
        platform::SendMessage(answerTo, platform::UM_VIEW_READ_MAP_FILE, static_cast<platform::WParam>(m_mode), 0);
        return;
    }
    if (m_core.MapFiles.empty())
        return;
    m_mode = kMapFileMode;
    const std::size_t last = m_core.MapFiles.size() - 1;
    FillBlockFromMapFile(last);
    platform::PostMessage(answerTo, platform::MessageWithBlock(platform::UM_VIEW_READ_MAP_FILE,
                                                               static_cast<platform::WParam>(m_mode), m_course.info));
    orvelo::SetActiveMapFile(m_core, static_cast<int>(last));
    if (!m_layersReady)
        PrepareLayers();
    Invalidate();
    m_pendingMessage = platform::UM_VIEW_READ_MAP_FILE;
}

void CMapView::ResetCourse(int mode) {
    if (mode != m_mode)
        return;
    if (CreateCourseMap() != 0) {
        m_courseDrawn = false;
        m_hasCourse = false;
        m_course = CourseBlock{};
        if (m_mode == kLapMode && !m_core.MapFiles.empty())
            m_mode = kMapFileMode;
    }
    Invalidate();
}

void CMapView::MoveCursorMarks(int lapNumber, int lapIndex, int distance) {
    const auto kept = std::find_if(m_cursorMarks.begin(), m_cursorMarks.end(),
                                   [lapIndex](const CursorMark& mark) { return mark.lapIndex == lapIndex; });
    if (kept != m_cursorMarks.end())
        *kept = {lapNumber, lapIndex, distance};
    else
        m_cursorMarks.push_back({lapNumber, lapIndex, distance});
    if (m_courseDrawn) {
        QPoint point;
        if (m_draw->PointAtDistance(distance, point))
            m_draw->MoveLapMark(lapNumber, lapIndex, point.x(), point.y());
    }
    m_marksMoved = true;
}

void CMapView::SetOverlapLayers(int count) {
    m_cursorMarks.clear();
    m_draw->SetOverlapLayers(count);
}

void CMapView::ClearCursorMarks() {
    m_cursorMarks.clear();
    m_draw->ClearLapMarks();
}

std::u16string CMapView::ShownMapPath() const { return m_hasCourse ? m_course.info.Path() : std::u16string(); }

// ----- drawing mode, properties, segment editor -----

int CMapView::SetGpsMode(int gps, int offset) {
    orvelo::Lap* lap = ShownLap();
    if (!lap || lap->lapNumber < 1)
        return 0;
    if (lapmode::ChangeDrawingMode(m_core, *lap, gps, offset, this) > 0)
        return 1;
    Invalidate();
    return 0;
}

int CMapView::PersistMapProperty(int op) {
    const QString key = settings::SubKeyPath(settings::kItemColorInfo);
    if (op == 1)
        return m_settings.Store().WriteRecord(key, settings::kMapViewProp, m_property);
    m_property = MapViewProperty{};
    return m_settings.Store().ReadRecord(key, settings::kMapViewProp, &m_property);
}

LResult CMapView::OnMapProperty(const Message& m) {
    const auto* property = platform::BlockIn<MapViewProperty>(m, m.wParam);
    if (!property)
        return 0;
    m_property = *property;
    // Kept for this run even when it cannot be stored, so the map shows what the user chose.
    m_draw->ApplyMapProperty(m_property);
    Invalidate();
    if (PersistMapProperty(1) != 0) {
        platform::ShowMessageBox(this, QStringLiteral("ERROR , failed regist map propertyy."), QStringLiteral("OK"),
                                 platform::kMbIconError);
        return 0;
    }
    platform::PostMessage(m_mainFrame, platform::MessageWithBlock(platform::UM_RESET_SEGMENT_COLOR, 0, m_property));
    return 1;
}

LResult CMapView::OnSegmentEditReplace(const Message& m) {
    if (m.lParam == 1) {
        if (const auto* group = platform::BlockIn<orvelo::SegmentGroup>(m, m.wParam)) {
            m_pendingGroup = *group;
            m_pendingGroup.pairs.resize(orvelo::UsablePairCount(*group));
            m_pendingGroupSet = true;
        }
        Invalidate();
        return 1;
    }
    const auto angle = static_cast<std::int32_t>(static_cast<std::int64_t>(m.wParam));
    MarkShownCourse();
    if (m.lParam == 2) {
        m_savedAngle = angle;
    } else if (angle != m_savedAngle) {
        if (orvelo::Lap* lap = ShownLap(); lap && !lap->analysisItems.empty()) {
            lap->analysisItems.front().rotation = m_savedAngle;
            orvelo::RebuildCoursePoints(*lap);
        }
    }
    Invalidate();
    return 1;
}

// ----- window -----

void CMapView::Invalidate() { m_redraw.Request(); }

void CMapView::UpdateWindow() { m_redraw.RunPending(); }

void CMapView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage& picture = m_draw->Presented();
    if (!m_layersReady || picture.size() != size()) {
        painter.fillRect(event->rect(), platform::ToQColor(platform::SystemColor(platform::kColorBtnFace)));
        if (!m_layersReady)
            return;
    }
    painter.drawImage(event->rect(), picture, event->rect());
}

void CMapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_width = width();
    m_height = height();
    m_draw->UpdateClientSize();
    m_draw->CreateLayers();
    Invalidate();
}

void CMapView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_layersReady)
        PrepareLayers();
    Invalidate();
}
