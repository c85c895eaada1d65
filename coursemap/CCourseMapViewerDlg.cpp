// The course map viewer's opening, controls, messages, buttons, Save and closing.
#include "coursemap/CCourseMapViewerDlg.h"

#include "coursemap/CDrawMapSegCtrl.h"
#include "coursemap/CFrameMapSegEdit.h"
#include "coursemap/CMapSegEditView.h"
#include "coursemap/CPropertyGridCtrlSegEx.h"
#include "coursemap/CRtSliderCtrl.h"
#include "coursemap/CourseMapLapList.h"
#include "coursemap/CxSplitterWndExt.h"

#include "core/CourseBuilder.h"
#include "core/LapDataCore.h"
#include "platform/ControlId.h"
#include "platform/GdiDraw.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "platform/MessageBus.h"
#include "platform/SystemColors.h"
#include "platform/UserMessages.h"
#include "settings/AppSettings.h"
#include "settings/SegmentGroupStore.h"
#include "settings/WindowRoles.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>

using platform::LResult;
using platform::Message;

namespace {

// The edit view's drawing properties, with word 10 at 2.
MapViewProperty ThumbnailProperty() {
    MapViewProperty property = CMapSegEditView::DefaultProperty();
    property.words[10] = 2;
    return property;
}

}  // namespace

CCourseMapViewerDlg::CCourseMapViewerDlg(orvelo::LapDataCore& core, AppSettings& settings,
                                         platform::WindowHandle answerTo, const CourseRegistry& registry,
                                         int listMode, const CourseBlock& course, QWidget* parent)
    : QDialog(parent),
      m_window(this),
      m_core(core),
      m_settings(settings),
      m_answerTo(answerTo),
      m_registry(registry),
      m_listMode(listMode == kListMapLaps ? kListMapLaps : kListLogLaps),
      m_course(course),
      m_listStyle(1),
      m_thumbnailProperty(ThumbnailProperty()),
      m_thumbnails(std::make_unique<CDrawMapSegCtrl>()) {
    setObjectName(QStringLiteral("CCourseMapViewerDlg"));
    setWindowTitle(QStringLiteral("Course Map Viewer"));
    BuildControls();
    MapMessages();

    m_lapList->setFont(platform::GdiFont(QStringLiteral("Microsoft Sans Serif"), 16, 400));
    m_thumbnails->SetThumbnailSize(CDrawMapSegCtrl::kThumbnailSize);
    m_thumbnails->SetDivisor(93);
    m_thumbnails->SetMargins(33, 33);
    m_thumbnails->SetCourseColorCount(3);
    m_thumbnails->ApplyMapProperty(m_thumbnailProperty);

    m_groups = SegmentGroupStore(m_settings.Store()).ReadViewerGroups();
    m_grid->SetBoldFont();
    m_grid->Initialise(Handle());
    ChooseMapGroup();
    ShowGroupInGrid();
    // The list is filled once the dialog is up.
    platform::PostMessage(Handle(), platform::UM_DRAW_THUMBNAIL_LIST, 0, 0);
    ShowLap(OpeningLap());
    UpdateStatusBar();
}

CCourseMapViewerDlg::~CCourseMapViewerDlg() = default;

platform::WindowHandle CCourseMapViewerDlg::ViewHandle() const { return m_view->Handle(); }

void CCourseMapViewerDlg::BuildControls() {
    m_lapList = new CourseMapLapList(this);
    m_groupCombo = platform::NamedControl(new QComboBox(this), kGroupCombo);
    m_grid = new CPropertyGridCtrlSegEx(this);
    m_frame = new CFrameMapSegEdit(Handle(), this);
    m_view = new CMapSegEditView(m_core, m_answerTo);
    m_frame->SetEditView(m_view);

    m_slider = platform::NamedControl(new CRtSliderCtrl(Qt::Horizontal, this), kSlider);
    m_slider->setRange(-180, 180);
    m_slider->setTickInterval(15);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setPageStep(30);
    m_angleBox = platform::NamedControl(new QSpinBox(this), kAngleBox);
    m_angleBox->setRange(-180, 180);
    m_angleBox->setFont(platform::GdiFont(QStringLiteral("MS UI Gothic"), 16, 700));
    // Thumb drags, keys and page moves alike: the angle follows the slider through the box.
    connect(m_slider, &QSlider::valueChanged, m_angleBox, &QSpinBox::setValue);
    connect(m_angleBox, &QSpinBox::valueChanged, this, [this](int angle) { OnAngleChanged(angle); });

    const auto button = [this](int id, const QString& text, auto handler) {
        auto* b = platform::NamedControl(new QPushButton(text, this), id);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    auto* angleRow = new QHBoxLayout;
    angleRow->addWidget(m_slider, 1);
    angleRow->addWidget(m_angleBox);
    angleRow->addWidget(button(kAngleReset, QStringLiteral("Angle reset"), [this] { OnAngleReset(); }));
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(button(kAdd, QStringLiteral("Add"), [this] {
        platform::PostMessage(ViewHandle(), platform::UM_ADD_SEGMENT, 0, static_cast<platform::LParam>(Handle()));
    }));
    buttonRow->addWidget(button(kClear, QStringLiteral("Clear"), [this] {
        platform::PostMessage(ViewHandle(), platform::UM_CLEAR_SEGMENT, 0, static_cast<platform::LParam>(Handle()));
    }));
    buttonRow->addWidget(button(kReset, QStringLiteral("Reset"), [this] { OnResetSegments(); }));
    buttonRow->addWidget(button(kSave, QStringLiteral("Save"), [this] { OnSave(); }));
    buttonRow->addStretch();
    QPushButton* ok = button(kOk, QStringLiteral("OK"), [this] { OnOk(); });
    buttonRow->addWidget(ok);
    buttonRow->addWidget(button(kCancel, QStringLiteral("Cancel"), [this] { reject(); }));

    auto* left = new QVBoxLayout;
    left->addWidget(m_lapList, 3);
    left->addWidget(m_groupCombo);
    left->addWidget(m_grid, 2);
    auto* right = new QVBoxLayout;
    right->addWidget(m_frame, 1);
    right->addLayout(angleRow);
    right->addLayout(buttonRow);
    auto* panes = new QHBoxLayout;
    panes->addLayout(left, 2);
    panes->addLayout(right, 5);
    AddStatusPanes();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addWidget(m_statusBar);
    setMinimumSize(640, 480);
    resize(960, 640);
    platform::ReturnPressesOk(*this, ok);
}

// Pane 1 is 100 pixels wide, the others share the rest.
void CCourseMapViewerDlg::AddStatusPanes() {
    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    const char* const texts[kStatusPanes] = {" Map file name", " Seg.count", " Seg. info", " Drawing Mode"};
    for (int i = 0; i < kStatusPanes; ++i) {
        auto* pane = new QLabel(QString::fromLatin1(texts[i]), m_statusBar);
        pane->setObjectName(QStringLiteral("StatusPane%1").arg(i));
        if (i == 1)
            pane->setFixedWidth(100);
        m_statusBar->addWidget(pane, i == 1 ? 0 : 1);
        m_status[static_cast<std::size_t>(i)] = pane;
    }
}

void CCourseMapViewerDlg::UpdateStatusBar() {
    m_status[0]->setText(QStringLiteral(" Name :%1").arg(QString::fromStdU16String(m_course.info.CourseName())));
    m_status[1]->setText(QStringLiteral("Seg. %1").arg(m_segmentCount));
    m_status[2]->setText(QString::fromStdU16String(m_current.groupName));
}

void CCourseMapViewerDlg::MapMessages() {
    m_window.On(platform::UM_STOP_TRACKING_SPLITTER, [this](const Message& m) {
        const std::vector<int>& widths = m_frame->Splitter().ColumnWidths();
        if (m.wParam == CFrameMapSegEdit::kSplitterId && !widths.empty())
            m_splitterColumnWidth = widths.front();
        return LResult{0};
    });
    m_window.On(platform::UM_DRAW_THUMBNAIL_LIST, [this](const Message&) {
        FillLapList();
        return LResult{1};
    });
    m_window.On(platform::UM_NOW_SEGMENT_COUNT_ON_MAP, [this](const Message& m) {
        m_segmentCount = static_cast<int>(m.wParam);
        m_status[1]->setText(QStringLiteral("Seg. %1").arg(m_segmentCount));
        RefreshRows(m_view->SegmentEnds());
        return LResult{0};
    });
    m_window.On(platform::UM_SET_STATUS_BAR_MAP_DRAWING_MODE, [this](const Message& m) {
        const char* const texts[] = {"offset ON", "offset OFF", " GPS"};
        if (m.wParam <= 2)
            m_status[3]->setText(QString::fromLatin1(texts[m.wParam]));
        return LResult{0};
    });
    m_window.On(platform::UM_SEGMENT_LENGTH_CHANGED, [this](const Message& m) { return OnSegmentLengthChanged(m); });
    m_window.On(platform::UM_EDITING_GROUP_NAME, [this](const Message& m) {
        OnEditingGroupName(m);
        return LResult{0};
    });
    m_window.On(platform::UM_AFTER_EDIT_GROUP_NAME, [this](const Message& m) {
        OnAfterEditGroupName(m);
        return LResult{1};
    });
    m_window.On(platform::UM_SET_SELECTED_SEGMENT_COLOR, [this](const Message& m) {
        ColourRow(static_cast<int>(m.wParam), static_cast<platform::ColorRef>(m.lParam));
        return LResult{0};
    });
    m_window.On(platform::UM_INPUT_SEGMENT_LENGTH_DIALOG, [this](const Message& m) {
        return LResult{RunLengthDialog(static_cast<platform::WindowHandle>(m.lParam))};
    });
    m_window.On(platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, [this](const Message& m) {
        FillLapList();
        platform::PostMessage(static_cast<platform::WindowHandle>(m.lParam), platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE,
                              0, 0);
        return LResult{1};
    });
    m_window.On(platform::UM_REGISTER_PATH, [](const Message&) { return LResult{0}; });
}

// ----- rotation -----

void CCourseMapViewerDlg::OnAngleChanged(int angle) {
    m_angle = angle;
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(angle);
    PostAngle();
}

void CCourseMapViewerDlg::OnAngleReset() {
    m_angle = 0;
    {
        const QSignalBlocker sliderBlocker(m_slider);
        const QSignalBlocker boxBlocker(m_angleBox);
        m_slider->setValue(0);
        m_angleBox->setValue(0);
    }
    PostAngle();
}

void CCourseMapViewerDlg::PostAngle() {
    RememberFirstAngle();
    platform::PostMessage(ViewHandle(), platform::UM_REDRAW_ROTATE_COURSE_MAP, static_cast<platform::WParam>(m_angle), 0);
    m_view->DestroySegmentLabels();
}

// The view turns the shared lap; its angle before the first turn is kept for Cancel.
void CCourseMapViewerDlg::RememberFirstAngle() {
    const orvelo::Lap* lap = m_core.ResolveLap(m_lap);
    if (!lap || lap->analysisItems.empty())
        return;
    m_firstAngles.emplace(std::make_tuple(static_cast<int>(m_lap.set), m_lap.fileId, m_lap.lapIndex),
                          lap->analysisItems.front().rotation);
}

// ----- buttons -----

void CCourseMapViewerDlg::OnResetSegments() {
    if (m_current.pairsStoredFlag != 0)
        ShowLap(m_lap);
    else
        platform::PostMessage(ViewHandle(), platform::UM_RESET_SEGMENT, 0, static_cast<platform::LParam>(Handle()));
    m_view->DestroySegmentLabels();
}

void CCourseMapViewerDlg::OnSave() {
    if (m_segmentCount <= 0)
        return;
    m_view->DestroySegmentLabels();
    std::u16string path;
    if (m_listMode == kListLogLaps) {
        if (!RegisteredPath(path))
            return;
    } else {
        path = m_view->Course().Path();
    }
    m_view->ExportSegments(m_endPoints, m_segmentEnds);
    m_current.mapPath = path;
    // The count of the ends saved, which is the count on the map.
    m_current.segmentCount = static_cast<std::int32_t>(m_segmentEnds.size());
    m_current.pairs.clear();
    for (std::size_t k = 0; k < m_segmentEnds.size(); ++k)
        m_current.pairs.push_back({m_segmentEnds[k], m_endPoints[k]});
    if (m_groups.empty())
        return;
    if (SegmentGroupStore(m_settings.Store()).Save(m_groups, m_current) != 0) {
        platform::ShowMessageBox(this, QStringLiteral("ERROR , Failed save segment info data"),
                                 QStringLiteral("Error Save"), platform::kMbIconError);
        return;
    }
    m_current.pairsStoredFlag = 1;
    platform::PostMessage(m_answerTo,
                          platform::MessageWithBlockInWParam(platform::UM_SAVE_SEGMENT_GROUP_INFO, m_current, 0));
    platform::ShowMessageBox(this, QStringLiteral("OK , Save segment info data"), QStringLiteral("OK Save"),
                             platform::kMbIconInformation);
}

// A log lap is saved as a course-map file first; its group belongs to that file.
bool CCourseMapViewerDlg::RegisteredPath(std::u16string& path) {
    if (platform::SendMessage(m_answerTo, platform::MessageWithBlock(platform::UM_REGIST_COURSE_MAP, 0, m_course)) == 0)
        return false;
    path = m_registry.RegisteredMapPath();
    return !path.empty();
}

void CCourseMapViewerDlg::OnOk() {
    platform::PostMessage(m_answerTo, platform::UM_SEGMENT_EDIT_REPLACE, static_cast<platform::WParam>(m_angle), 0);
    accept();
}

void CCourseMapViewerDlg::reject() {
    // Every lap turned here gets its angle back, not only the one the small map shows.
    for (const auto& [key, angle] : m_firstAngles) {
        const orvelo::LapRef ref{static_cast<orvelo::FileSet>(std::get<0>(key)), std::get<1>(key), std::get<2>(key)};
        if (orvelo::Lap* lap = m_core.ResolveLap(ref); lap && !lap->analysisItems.empty()) {
            lap->analysisItems.front().rotation = angle;
            orvelo::RebuildCoursePoints(*lap);
        }
    }
    m_firstAngles.clear();
    platform::PostMessage(m_answerTo, platform::UM_SEGMENT_EDIT_REPLACE, static_cast<platform::WParam>(m_angle), 1);
    QDialog::reject();
}
