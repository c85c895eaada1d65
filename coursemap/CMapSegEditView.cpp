// The segment edit view's messages, the viewer's calls and the edits of the segment list.
#include "coursemap/CMapSegEditView.h"

#include "coursemap/LapDrawingMode.h"

#include "core/CourseBuilder.h"
#include "core/LapDataCore.h"
#include "platform/CColorToolTipWnd.h"
#include "platform/MessageBus.h"
#include "platform/SystemColors.h"
#include "platform/UserMessages.h"

using platform::LResult;
using platform::Message;

namespace {

int SignedParam(platform::WParam w) { return static_cast<int>(static_cast<std::int64_t>(w)); }

}  // namespace

CMapSegEditView::CMapSegEditView(orvelo::LapDataCore& core, platform::WindowHandle mainFrame, QWidget* parent)
    : QWidget(parent),
      m_window(this),
      m_core(core),
      m_mainFrame(mainFrame),
      m_renderer(std::make_unique<CDrawMapSegCtrl>()),
      m_property(DefaultProperty()),
      m_redraw(*this, [this] { Redraw(); }) {
    setObjectName(QStringLiteral("CMapSegEditView"));
    setMouseTracking(true);
    setMinimumSize(20, 20);
    m_tipWake.setSingleShot(true);
    m_tipWake.setInterval(kTipWakeUpMs);
    QObject::connect(&m_tipWake, &QTimer::timeout, this, [this] { ShowTip(); });
    for (CColorToolTipWnd*& label : m_lengthLabels) {
        label = new CColorToolTipWnd;
        label->SetColors(platform::SystemColor(platform::kColorBtnFace), kLabelText);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->resize(kLengthLabelSize);
        label->Create(this);
    }
    MapMessages();
}

CMapSegEditView::~CMapSegEditView() = default;

MapViewProperty CMapSegEditView::DefaultProperty() {
    MapViewProperty property;
    property.words = {0x787878, 0xFF4000, 0x8A8A8A, 0, 0, 0, platform::SystemColor(platform::kColorBtnFace),
                      0x566D34, 0x8000FF, 3, 0, 0, 1};
    return property;
}

void CMapSegEditView::MapMessages() {
    m_window.On(platform::UM_SELECTED_MAP_FROM_THUMBNAIL_LIST, [this](const Message& m) { return OnSelectedMap(m); });
    m_window.On(platform::UM_ADD_SEGMENT, [this](const Message& m) {
        Add(static_cast<platform::WindowHandle>(m.lParam));
        return LResult{0};
    });
    m_window.On(platform::UM_CLEAR_SEGMENT, [this](const Message& m) {
        Clear(static_cast<platform::WindowHandle>(m.lParam));
        return LResult{0};
    });
    // Reset is a Clear without a selection.
    m_window.On(platform::UM_RESET_SEGMENT, [this](const Message& m) {
        m_selected = 0;
        Clear(static_cast<platform::WindowHandle>(m.lParam));
        return LResult{0};
    });
    m_window.On(platform::UM_SEGMENT_LENGTH_CHANGED, [this](const Message& m) {
        return ChangeLength(platform::HiWord(static_cast<std::uint64_t>(m.lParam)),
                            platform::LoWord(static_cast<std::uint64_t>(m.lParam)));
    });
    m_window.On(platform::UM_MOVING_SEGMENT, [this](const Message& m) {
        MoveBoundary(SignedParam(m.wParam));
        return LResult{0};
    });
    m_window.On(platform::UM_REDRAW_MAP_BY_OFFSET_MODE, [this](const Message& m) {
        SetDrawingMode(static_cast<int>(m.wParam), static_cast<int>(m.lParam));
        return LResult{0};
    });
    m_window.On(platform::UM_REDRAW_ROTATE_COURSE_MAP, [this](const Message& m) {
        Rotate(SignedParam(m.wParam));
        return LResult{1};
    });
    m_window.On(platform::UM_INPUT_SEGMENT_LENGTH_DIALOG, [this](const Message& m) {
        GenerateSegments(kCmdInputSegmentLength, SignedParam(m.wParam));
        return LResult{1};
    });
    m_window.On(platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, [this](const Message&) {
        Invalidate();
        return LResult{0};
    });
}

orvelo::Lap* CMapSegEditView::ShownLap() const {
    orvelo::Lap* lap = m_lapGiven ? m_core.ResolveLap(m_lap) : nullptr;
    return lap && lap->noAnalysisFlag == 0 && !lap->analysisItems.empty() ? lap : nullptr;
}

const orvelo::LapAnalysisItem* CMapSegEditView::ShownItem() const {
    const orvelo::Lap* lap = ShownLap();
    return lap ? &lap->analysisItems.front() : nullptr;
}

int CMapSegEditView::CourseLength() const {
    const orvelo::Lap* lap = ShownLap();
    return lap ? static_cast<int>(lap->distance) : 0;
}

// ----- the viewer's calls -----

LResult CMapSegEditView::OnSelectedMap(const Message& m) {
    m_owner = static_cast<platform::WindowHandle>(m.wParam);
    if (const auto* course = platform::BlockIn<platform::MapInfoBlock>(m, m.lParam))
        m_course = *course;
    DestroySegmentLabels();
    Invalidate();
    return 1;
}

void CMapSegEditView::SetLap(const orvelo::LapRef& lap, int listMode) {
    m_lap = lap;
    m_lapGiven = true;
    m_listMode = listMode;
    m_renderer->EditSegments(MapSegmentModel::kClear, 0, 0, orvelo::LapAnalysisItem{});
    m_ends.Clear();
    m_endPoints.clear();
    m_group = orvelo::SegmentGroup{};
    m_groupGiven = false;
    m_selected = 0;
    m_labelsDirty = true;
}

void CMapSegEditView::SetSegmentGroup(const orvelo::SegmentGroup& group, const std::vector<int>& endPoints,
                                      const std::vector<int>& ends) {
    m_group = group;
    // Only the ends the group has: a count beyond them names nothing.
    const auto count = std::min({static_cast<std::size_t>(std::max(group.segmentCount, 0)), ends.size(), endPoints.size()});
    if (count == 0)
        return;
    m_ends.Assign(std::vector<int>(ends.begin(), ends.begin() + static_cast<std::ptrdiff_t>(count)));
    m_endPoints.assign(endPoints.begin(), endPoints.begin() + static_cast<std::ptrdiff_t>(count));
    m_groupGiven = true;
}

void CMapSegEditView::ExportSegments(std::vector<int>& endPoints, std::vector<int>& ends) {
    endPoints.clear();
    ends.clear();
    if (m_ends.Count() == 0)
        return;
    m_renderer->ExportEndIndices(m_endPoints);
    endPoints = m_endPoints;
    ends = m_ends.Ends();
}

void CMapSegEditView::GenerateSegments(int mode, int length) {
    const orvelo::LapAnalysisItem* item = ShownItem();
    if (mode != kCmdInputSegmentLength || !m_courseDrawn || !item)
        return;
    const std::vector<int> indices = SegmentEndList::AutoSegmentEnds(item->coursePoints, CourseLength(), length);
    if (indices.empty())
        return;
    std::vector<int> ends;
    m_renderer->BuildSegmentsFromIndices(*item, indices, ends);
    m_endPoints = indices;
    m_ends.Assign(std::move(ends));
    AfterEdit(m_owner);
}

// ----- edits -----

void CMapSegEditView::ApplyEdits(const SegmentEndList::Edits& edits) {
    const orvelo::LapAnalysisItem* item = ShownItem();
    for (const SegmentEndList::RendererEdit& edit : edits)
        m_renderer->EditSegments(edit.operation, edit.flagOrIndex, edit.distance, *item);
}

void CMapSegEditView::Add(platform::WindowHandle reportTo) {
    if (!m_courseDrawn || !ShownItem())
        return;
    const SegmentEndList::Edits edits = m_ends.Add(m_selected, CourseLength());
    if (edits.empty())
        return;
    ApplyEdits(edits);
    AfterEdit(reportTo);
}

void CMapSegEditView::Clear(platform::WindowHandle reportTo) {
    if (!m_courseDrawn || !ShownItem())
        return;
    ApplyEdits(m_ends.Clear(m_selected));
    if (m_ends.Count() == 0)
        m_endPoints.clear();
    AfterEdit(reportTo);
}

LResult CMapSegEditView::ChangeLength(int k, int length) {
    const orvelo::LapAnalysisItem* item = ShownItem();
    if (!m_courseDrawn || !item)
        return -1;
    const int changed = m_ends.ChangeLength(k, length, CourseLength());
    if (changed <= 0)
        return changed;
    m_renderer->SetEndDistances(m_ends.Ends(), *item);
    AfterEdit(m_owner);
    return 1;
}

void CMapSegEditView::MoveBoundary(int delta) {
    const int k = m_selected;
    if (!m_ends.MoveEnd(k, delta))
        return;
    const auto text = [this](int segment) {
        return QStringLiteral("S%1 : %2").arg(segment).arg(m_ends.Length(segment));
    };
    m_lengthLabels[0]->ShowText(5, 5, text(k));
    m_lengthLabels[1]->ShowText(5, 68, text(k + 1));
    ReportCount(m_owner);
}

// What follows every change: the labels to be numbered again, no selection, the changed segments
// to be drawn, and the count to the window asking.
void CMapSegEditView::AfterEdit(platform::WindowHandle reportTo) {
    m_labelsDirty = true;
    m_selected = 0;
    // The edits drop the renderer's selection, except a typed length and new segments.
    if (m_renderer->Segments().SelectedNumber() != 0)
        m_renderer->SelectSegmentAt(-1);
    // The picture follows at the next paint, once for any number of edits before it.
    m_redraw.Request();
    ReportCount(reportTo);
}

void CMapSegEditView::ReportCount(platform::WindowHandle to) {
    platform::PostMessage(to, platform::UM_NOW_SEGMENT_COUNT_ON_MAP, static_cast<platform::WParam>(m_ends.Count()),
                          static_cast<platform::LParam>(Handle()));
}

// ----- the course -----

void CMapSegEditView::Rotate(int angle) {
    orvelo::Lap* lap = ShownLap();
    if (!lap)
        return;
    lap->analysisItems.front().rotation = angle;
    orvelo::RebuildCoursePoints(*lap);
    Invalidate();
}

void CMapSegEditView::SetDrawingMode(int gps, int offset) {
    orvelo::Lap* lap = ShownLap();
    if (!lap)
        return;
    QWidget* mainWindow = platform::WindowFromHandle<QWidget>(m_mainFrame);
    if (lapmode::ChangeDrawingMode(m_core, *lap, gps, offset, mainWindow ? mainWindow : this) > 0)
        return;
    // The course was built anew: its points may differ, the ends are found again by their distances.
    m_findEndPoints = true;
    Invalidate();
    platform::PostMessage(m_owner, platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 0, static_cast<platform::LParam>(Handle()));
}

void CMapSegEditView::OnMenuCommand(int id) {
    switch (id) {
    case lapmode::kOffsetOn:
        platform::PostMessage(Handle(), platform::UM_REDRAW_MAP_BY_OFFSET_MODE, 0, 1);
        return;
    case lapmode::kOffsetOff:
        platform::PostMessage(Handle(), platform::UM_REDRAW_MAP_BY_OFFSET_MODE, 0, 0);
        return;
    case lapmode::kGps:
        platform::PostMessage(Handle(), platform::UM_REDRAW_MAP_BY_OFFSET_MODE, 1, 0);
        return;
    case kCmdInputSegmentLength:
        platform::PostMessage(m_owner, platform::UM_INPUT_SEGMENT_LENGTH_DIALOG, kCmdInputSegmentLength,
                              static_cast<platform::LParam>(Handle()));
        return;
    default:
        return;
    }
}
