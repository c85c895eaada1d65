// The course map viewer's laps and segment groups: the lap list, showing a lap, choosing and
// showing its map's group in the grid, typed lengths and group names.
#include "coursemap/CCourseMapViewerDlg.h"

#include "coursemap/CDrawMapSegCtrl.h"
#include "coursemap/CEditNameDlg.h"
#include "coursemap/CInputSegLenDlg.h"
#include "coursemap/CMapSegEditView.h"
#include "coursemap/CPropGridPropSegExt.h"
#include "coursemap/CPropertyGridCtrlSegEx.h"
#include "coursemap/CRtSliderCtrl.h"
#include "coursemap/CourseMapLapList.h"

#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/SegmentGroupCodec.h"
#include "platform/MessageBus.h"
#include "platform/ModalDialog.h"
#include "platform/UserMessages.h"

#include <QComboBox>
#include <QSpinBox>

#include <algorithm>

using platform::LResult;
using platform::Message;
using platform::MapInfoBlock;

namespace {
bool HasCourse(const orvelo::Lap& lap) { return lap.noAnalysisFlag == 0 && !lap.analysisItems.empty(); }
}  // namespace

// ----- the laps -----

// The small map's lap: among the log files the lap the block names (else the current lap of its
// file), among the course-map files the first lap of the file.
orvelo::LapRef CCourseMapViewerDlg::OpeningLap() const {
    const std::u16string path = m_course.info.Path();
    if (m_listMode == kListMapLaps) {
        for (const orvelo::LogFile& file : m_core.MapFiles) {
            if (file.fullPath == path && !file.laps.empty())
                return {orvelo::FileSet::Map, file.fileId, 0};
        }
        return {};
    }
    if (m_course.lap.set == orvelo::FileSet::Log && m_core.ResolveLap(m_course.lap))
        return m_course.lap;
    for (const orvelo::LogFile& file : m_core.LogFiles) {
        for (std::size_t i = 0; file.fullPath == path && i < file.laps.size(); ++i) {
            if (file.laps[i].currentLapMark != 0)
                return {orvelo::FileSet::Log, file.fileId, static_cast<std::int32_t>(i)};
        }
    }
    return {};
}

void CCourseMapViewerDlg::FillLapList() {
    std::vector<CourseMapLapList::Entry> entries;
    const std::deque<orvelo::LogFile>* files = m_core.FilesOf(m_listMode == kListMapLaps ? orvelo::FileSet::Map
                                                                                        : orvelo::FileSet::Log);
    const bool thumbnails = m_listStyle == CourseMapLapList::kThumbnailStyle;
    for (const orvelo::LogFile& file : *files) {
        const QString title = QString::fromStdU16String(file.title);
        for (std::size_t i = 0; i < file.laps.size(); ++i) {
            const orvelo::Lap& lap = file.laps[i];
            if (!HasCourse(lap))
                continue;
            CourseMapLapList::Entry entry;
            entry.lap = {m_listMode == kListMapLaps ? orvelo::FileSet::Map : orvelo::FileSet::Log, file.fileId,
                         static_cast<std::int32_t>(i)};
            const QString number = QString::number(lap.lapNumber);
            const QString distance = QString::number(lap.distance);
            entry.label = m_listMode == kListMapLaps ? title : QStringLiteral("L %1").arg(lap.lapNumber);
            entry.cells = m_listMode == kListMapLaps ? QStringList{title, distance} : QStringList{number, distance, title};
            if (thumbnails) {
                m_thumbnails->CreateThumbnailLayer();
                if (m_thumbnails->FitThumbnail(lap.analysisItems.front()) == 0)
                    m_thumbnails->DrawThumbnailCourse(lap.analysisItems.front());
                entry.thumbnail = m_thumbnails->Thumbnail().copy();
            }
            entries.push_back(std::move(entry));
        }
    }
    m_lapList->onLapClicked = [this](const orvelo::LapRef& lap) { ShowLap(lap); };
    m_lapList->onStyleChosen = [this](int style) {
        m_listStyle = style;
        FillLapList();
    };
    m_lapList->Fill(m_listStyle, m_listMode, entries, m_lap);
}

// The lap becomes the current one of its files and is shown with its map's group.
void CCourseMapViewerDlg::ShowLap(const orvelo::LapRef& ref) {
    m_lap = ref;
    const orvelo::LogFile* shownFile = m_core.FindFile(ref.set, ref.fileId);
    const orvelo::Lap* shown = m_core.ResolveLap(ref);
    if (std::deque<orvelo::LogFile>* files = m_core.FilesOf(ref.set)) {
        for (orvelo::LogFile& file : *files) {
            for (std::size_t i = 0; i < file.laps.size(); ++i)
                file.laps[i].currentLapMark =
                    file.fileId == ref.fileId && static_cast<std::int32_t>(i) == ref.lapIndex ? 1 : 0;
        }
    }
    if (shownFile && shown) {
        CourseBlock block{};
        MapInfoBlock::Put(block.info.path.data(), MapInfoBlock::kPathChars, shownFile->fullPath);
        // Three digits fit the block; the lap reference names any lap.
        MapInfoBlock::Put(block.info.shortText.data(), MapInfoBlock::kShortTextChars,
                          orvelo::FormatLapNumber(shown->lapNumber));
        MapInfoBlock::Put(block.info.courseName.data(), MapInfoBlock::kCourseNameChars,
                          std::u16string_view(shownFile->title).substr(0, MapInfoBlock::kCourseNameChars - 1));
        block.info.setFlag = 1;
        block.lap = ref;
        m_course = block;
        if (!shown->analysisItems.empty())
            m_angle = shown->analysisItems.front().rotation;
    }
    ChooseMapGroup();
    ShowGroupInGrid();
    // The view starts without segments; it reports the group's once it has drawn them.
    m_segmentCount = 0;
    UpdateStatusBar();
    m_view->SetLap(ref, m_listMode);
    if (m_current.pairsStoredFlag != 0 && !m_segmentEnds.empty())
        m_view->SetSegmentGroup(m_current, m_endPoints, m_segmentEnds);
    platform::PostMessage(ViewHandle(), platform::MessageWithBlock(platform::UM_SELECTED_MAP_FROM_THUMBNAIL_LIST,
                                                                   Handle(), m_course.info));
    const QSignalBlocker sliderBlocker(m_slider);
    const QSignalBlocker boxBlocker(m_angleBox);
    m_slider->setValue(m_angle);
    m_angleBox->setValue(m_angle);
}

// ----- the groups -----

// The group of the shown course map becomes the current one (a new default group when it has none).
void CCourseMapViewerDlg::ChooseMapGroup() {
    const std::size_t chosen = orvelo::ChooseMapGroup(m_groups, m_course.info.Path(), orvelo::NewSegmentGroupId(m_core));
    m_current = m_groups[chosen];
    const orvelo::Lap* shown = m_core.ResolveLap(m_lap);
    const bool course = shown && !shown->analysisItems.empty();
    orvelo::CheckSegmentEnds(m_current, course ? &shown->analysisItems.front().coursePoints : nullptr,
                             course ? static_cast<std::int64_t>(shown->distance) : 0);
    const std::size_t usable = orvelo::UsablePairCount(m_current);
    m_endPoints.clear();
    m_segmentEnds.clear();
    for (std::size_t k = 0; k < usable; ++k) {
        m_segmentEnds.push_back(m_current.pairs[k].cumulativeDistance);
        m_endPoints.push_back(m_current.pairs[k].endPointIndex);
    }
}

void CCourseMapViewerDlg::ShowGroupInGrid() {
    m_grid->clear();
    m_gridGroup = new CPropGridPropSegExt(QString::fromStdU16String(m_current.groupName));
    m_grid->AddProperty(m_gridGroup);
    m_gridGroup->Expand(true);
    RefreshRows(m_segmentEnds);
}

// Row i: i and the length of segment i.
void CCourseMapViewerDlg::RefreshRows(const std::vector<int>& ends) {
    while (m_gridGroup->SubItemCount() > 0)
        m_gridGroup->RemoveSubItem(m_gridGroup->SubItem(0));
    std::int64_t previous = 0;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        auto* row = new CPropGridPropSegExt(QString::number(i + 1), QString::number(ends[i] - previous));
        row->AllowEdit(true);
        m_gridGroup->AddSubItem(row);
        previous = ends[i];
    }
    m_gridGroup->Expand(true);
}

void CCourseMapViewerDlg::ColourRow(int segment, platform::ColorRef colour) {
    if (segment < 0 || segment > m_gridGroup->SubItemCount())
        return;
    for (int i = 0; i < m_gridGroup->SubItemCount(); ++i) {
        const platform::ColorRef text = i + 1 == segment ? colour : 0;
        if (auto* row = dynamic_cast<CPropGridPropSegExt*>(m_gridGroup->SubItem(i)))
            row->SetTextColors(text, text);
    }
}

LResult CCourseMapViewerDlg::OnSegmentLengthChanged(const Message& m) {
    const auto* group = platform::BlockIn<QString>(m, m.wParam);
    if (!group)
        return 0;
    LResult result = -1;
    if (*group == QString::fromStdU16String(m_current.groupName))
        result = platform::SendMessage(ViewHandle(), m);
    if (result < 0)
        m_grid->RestoreEditedValue();
    return result;
}

void CCourseMapViewerDlg::OnEditingGroupName(const Message& m) {
    QString caption;
    QString text;
    if (m.wParam == CPropertyGridCtrlSegEx::kCmdAddGroup) {
        caption = QStringLiteral("Add New Group Info name");
    } else if (m.wParam == CPropertyGridCtrlSegEx::kCmdRenameGroup) {
        const auto* name = platform::BlockIn<QString>(m, m.lParam);
        if (!name)
            return;
        caption = QStringLiteral("Rename New Group Info name");
        text = *name;
    } else {
        return;
    }
    CEditNameDlg dialog(caption, text, Handle(), this);
    platform::RunModalDialog(dialog);
}

// Renaming changes the current group (stored at the next Save); adding makes a group the list
// keeps, while editing and Save stay on the shown map's group.
void CCourseMapViewerDlg::OnAfterEditGroupName(const Message& m) {
    const auto* text = platform::BlockIn<QString>(m, m.lParam);
    if (!text || text->isEmpty())
        return;
    if (m.wParam == CEditNameDlg::kModeRename)
        RenameCurrentGroup(text->toStdU16String());
    else if (m.wParam == CEditNameDlg::kModeAdd)
        AddGroup(text->toStdU16String());
}

void CCourseMapViewerDlg::RenameCurrentGroup(const std::u16string& name) {
    if (name == m_current.groupName)
        return;
    m_current.groupName = name;
    m_gridGroup->SetName(QString::fromStdU16String(name));
    UpdateStatusBar();
}

void CCourseMapViewerDlg::AddGroup(const std::u16string& name) {
    auto* caption = new CPropGridPropSegExt(QString::fromStdU16String(name));
    m_grid->AddProperty(caption);
    for (int i = 1; i <= 2; ++i)
        caption->AddSubItem(new CPropGridPropSegExt(QString::number(i), QStringLiteral("0")));
    caption->Expand(true);
    orvelo::SegmentGroup group;
    group.groupId = orvelo::NewSegmentGroupId(m_core);
    // Ids are seconds: one taken already is raised until free.
    while (std::any_of(m_groups.begin(), m_groups.end(), [&](const auto& g) { return g.groupId == group.groupId; }))
        ++group.groupId;
    group.groupName = name;
    m_groups.push_back(group);
    UpdateStatusBar();
}

int CCourseMapViewerDlg::RunLengthDialog(platform::WindowHandle receiver) {
    const orvelo::Lap* lap = m_core.ResolveLap(m_lap);
    CInputSegLenDlg dialog(lap ? static_cast<int>(lap->distance) : 0, receiver, this);
    return platform::RunModalDialog(dialog);
}
