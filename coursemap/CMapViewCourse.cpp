// The map view's course: which lap it shows, with which segment group, and drawing it.
#include "coursemap/CMapView.h"

#include "coursemap/LapDrawingMode.h"

#include "core/CourseBuilder.h"
#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "core/SegmentGroupCodec.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

namespace {

bool HasCourse(const orvelo::Lap& lap) { return lap.noAnalysisFlag == 0 && !lap.analysisItems.empty(); }

}  // namespace

orvelo::Lap* CMapView::ShownLap() const { return m_core.ResolveLap(m_shownLap); }

orvelo::LapAnalysisItem* CMapView::ShownItem() const {
    orvelo::Lap* lap = ShownLap();
    return lap && !lap->analysisItems.empty() ? &lap->analysisItems.front() : nullptr;
}

void CMapView::PrepareLayers() {
    m_draw->SetWindow(this);
    m_draw->UpdateClientSize();
    m_draw->SetValueRange(m_height / 6, m_height / 6);
    m_draw->SetTextColor(kTextColor);
    m_draw->CreateLayers();
    m_layersReady = true;
    m_draw->ComposeLayers();
}

void CMapView::OnDraw() {
    if (!m_layersReady)
        return;  // the window's own colour until the layers exist
    m_marksMoved = false;
    PrepareLayers();
    m_courseDrawn = DrawMap() == 0;
    if (!m_courseDrawn)
        m_draw->ComposeLayers();
    else
        RestoreCursorMarks();
}

// The compared laps' marks where the cursor left them, on the course as it is drawn now.
void CMapView::RestoreCursorMarks() {
    std::vector<CDrawCorseCtrl::LapMarkAt> marks;
    for (const CursorMark& mark : m_cursorMarks) {
        QPoint centre;
        if (m_draw->PointAtDistance(mark.distance, centre))
            marks.push_back({mark.lapNumber, mark.lapIndex, centre});
    }
    m_draw->RestoreLapMarks(marks);
}

void CMapView::ShowNoCourse() {
    if (m_courseRequest == 0) {
        m_draw->DrawMessageText(QStringLiteral("Warn. No map selected, select on laplist"));
        return;
    }
    m_draw->DrawMessageText(QStringLiteral("Error, Cannot create course-map, Nothing data"));
    m_courseRequest = 0;
}

int CMapView::CreateCourseMap() {
    if (m_mode == kLapMode) {
        for (const orvelo::LogFile& file : m_core.LogFiles) {
            for (std::size_t i = 0; i < file.laps.size(); ++i) {
                if (file.laps[i].currentLapMark == 0)
                    continue;
                if (!HasCourse(file.laps[i]))
                    break;
                m_shownLap = {orvelo::FileSet::Log, file.fileId, static_cast<std::int32_t>(i)};
                m_attachedGroup = orvelo::SegmentGroup{};
                m_segmentGroupPresent = false;
                m_pendingMessage = 0;
                return 0;
            }
        }
        ShowNoCourse();
        return 1;
    }
    int active = -1;
    for (std::size_t i = 0; i < m_core.MapFiles.size() && active < 0; ++i) {
        if (m_core.MapFiles[i].currentCourseFlag != 0)
            active = static_cast<int>(i);
    }
    if (active < 0 && orvelo::SetActiveMapFile(m_core, 0) != 0) {
        active = 0;
        FillBlockFromMapFile(0);
    }
    const orvelo::LogFile* file = active >= 0 ? &m_core.MapFiles[static_cast<std::size_t>(active)] : nullptr;
    if (!file || file->laps.empty() || !HasCourse(file->laps.front())) {
        ShowNoCourse();
        return 1;
    }
    m_shownLap = {orvelo::FileSet::Map, file->fileId, 0};
    FindSegmentGroupForMap();
    return 0;
}

void CMapView::FindSegmentGroupForMap() {
    m_attachedGroup = orvelo::SegmentGroup{};
    m_foundGroup = -1;
    if (m_pendingGroupSet) {
        m_attachedGroup = m_pendingGroup;
        m_pendingGroupSet = false;
    } else {
        const std::u16string path = ShownMapPath();
        for (std::size_t i = 0; i < m_groups.size() && !path.empty(); ++i) {
            if (m_groups[i].mapPath == path) {
                m_attachedGroup = m_groups[i];
                m_foundGroup = static_cast<int>(i);
                break;
            }
        }
    }
    m_segmentGroupPresent = orvelo::UsablePairCount(m_attachedGroup) > 0;
}

int CMapView::DrawMap() {
    const int chosen = CreateCourseMap();
    if (chosen != 0)
        return chosen;
    if (m_pendingMessage == platform::UM_VIEW_READ_MAP_FILE) {
        platform::PostMessage(m_mainFrame,
                              platform::MessageWithBlockInWParam(platform::UM_VIEW_READ_MAP_FILE, m_course.info,
                                                                 static_cast<platform::LParam>(m_mode)));
        m_pendingMessage = 0;
    }
    const orvelo::Lap& lap = *ShownLap();
    const orvelo::LapAnalysisItem& item = lap.analysisItems.front();
    m_draw->SetDivisor(m_width * 3 / 4);
    const int fit = m_draw->FitCourse(static_cast<int>(item.coursePoints.size()), item);
    if (fit == -1) {
        m_draw->CreateLayers();
        platform::ShowMessageBox(this, QStringLiteral("on drawing a Course"), QStringLiteral("ERROR"));
        return -1;
    }
    if (fit != 0) {
        m_draw->DrawMessageText(QStringLiteral("Lap No.%1 : %2")
                                    .arg(static_cast<int>(lap.lapNumber))
                                    .arg(QStringLiteral("drawing Map")));
        return 1;
    }
    m_draw->SetSegmentGroup(m_mode == kMapFileMode && m_segmentGroupPresent ? &m_attachedGroup : nullptr);
    const int drawn = m_draw->DrawCourse(item);
    if (drawn >= 2)
        m_draw->DrawPositionMark(drawn - 2, item);
    const int mode = lapmode::DrawingMode(item);
    platform::PostMessage(m_mainFrame, platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 6, mode);
    m_draw->ComposeLayers();
    return 0;
}

bool CMapView::FillBlockFromMapFile(std::size_t position) {
    if (position >= m_core.MapFiles.size())
        return false;
    const orvelo::LogFile& file = m_core.MapFiles[position];
    CourseBlock block{};
    using platform::MapInfoBlock;
    const bool pathFits = MapInfoBlock::Put(block.info.path.data(), MapInfoBlock::kPathChars, file.fullPath);
    if (!file.laps.empty()) {
        // Three digits fit the block; the lap reference names any lap.
        MapInfoBlock::Put(block.info.shortText.data(), MapInfoBlock::kShortTextChars,
                          orvelo::FormatLapNumber(file.laps.front().lapNumber));
    }
    MapInfoBlock::Put(block.info.courseName.data(), MapInfoBlock::kCourseNameChars,
                      std::u16string_view(file.title).substr(0, MapInfoBlock::kCourseNameChars - 1));
    block.info.setFlag = 1;
    block.lap = {orvelo::FileSet::Map, file.fileId, file.laps.empty() ? -1 : 0};
    m_course = block;
    m_hasCourse = true;
    if (!pathFits) {
        platform::ShowMessageBox(this,
                                 QStringLiteral("ERROR , the path of the map-file is too long.\n") +
                                     QString::fromStdU16String(file.fullPath),
                                 QStringLiteral("ERROR"), platform::kMbIconError);
    }
    return pathFits;
}

// The course the block names becomes the marked one again (after the segment editor showed others).
void CMapView::MarkShownCourse() {
    if (!m_hasCourse)
        return;
    const std::u16string path = m_course.info.Path();
    if (m_mode != kLapMode) {
        for (orvelo::LogFile& file : m_core.MapFiles)
            file.currentCourseFlag = !path.empty() && file.fullPath == path ? 1 : 0;
        return;
    }
    orvelo::LapRef shown = m_course.lap;
    if (!m_core.ResolveLap(shown) || shown.set != orvelo::FileSet::Log)
        shown = orvelo::FindLogLap(m_core, path, orvelo::ParseLapNumber(m_course.info.ShortText()));
    // One lap is current: the viewer may have made a lap of another file current meanwhile.
    for (orvelo::LogFile& file : m_core.LogFiles) {
        for (std::size_t i = 0; i < file.laps.size(); ++i)
            file.laps[i].currentLapMark =
                file.fileId == shown.fileId && static_cast<std::int32_t>(i) == shown.lapIndex ? 1 : 0;
    }
}
