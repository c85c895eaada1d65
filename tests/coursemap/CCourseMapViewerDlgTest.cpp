// The course map viewer: Save into the settings (what it writes, when it writes nothing, a failed
// write, saving twice), OK and Cancel with the rotations, the grid's typed lengths, selected row
// and rename, the lap list's report and its sorting, and the picture of the whole dialog.
#include "ViewerHarness.h"

#include "coursemap/CEditNameDlg.h"
#include "coursemap/CourseMapLapList.h"
#include "coursemap/CxSplitterWndExt.h"
#include "coursemap/CFrameMapSegEdit.h"

#include "core/SegmentGroupCodec.h"
#include "platform/ModalDialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using namespace testmap;

const QString kCount = QStringLiteral("Seg_GrpInfo_Count");
const QString kRecords = QStringLiteral("Seg_info_Prop");

QString PairName(std::int32_t id) { return QString::fromStdU16String(orvelo::SegmentPairValueName(id)); }

TEST(CCourseMapViewerDlgTest, SaveWritesTheGroupOfTheCourseMapOnlyWithSegmentsAndKeepsItsIdWhenSavedAgain) {
    ViewerHarness h;
    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListMapLaps);
    ASSERT_TRUE(h.View().CourseDrawn());
    h.Click(CCourseMapViewerDlg::kSave);  // no segments: nothing at all
    EXPECT_TRUE(h.boxes.Shown().empty());
    EXPECT_TRUE(h.Stored(kRecords).isEmpty());
    EXPECT_TRUE(h.main.Of(platform::UM_SAVE_SEGMENT_GROUP_INFO).empty());

    h.Cut(400);
    ASSERT_EQ(dialog.SegmentCountOnMap(), 3);
    EXPECT_EQ(dialog.StatusPane(1)->text(), QStringLiteral("Seg. 3"));
    h.Click(CCourseMapViewerDlg::kSave);
    const std::int32_t id = dialog.CurrentGroup().groupId;
    ASSERT_EQ(h.boxes.Shown().size(), 1u);
    EXPECT_EQ(h.boxes.Shown()[0].text, QStringLiteral("OK , Save segment info data"));
    EXPECT_EQ(h.boxes.Shown()[0].caption, QStringLiteral("OK Save"));
    EXPECT_EQ(h.boxes.Shown()[0].flags, platform::kMbIconInformation);
    EXPECT_EQ(h.main.Of(platform::UM_SAVE_SEGMENT_GROUP_INFO).size(), 1u);
    const QByteArray records = h.Stored(kRecords);
    ASSERT_EQ(records.size(), 796);
    const orvelo::SegmentGroupRecord record = orvelo::DecodeSegmentGroupRecord(reinterpret_cast<const std::uint8_t*>(records.constData()));
    EXPECT_EQ(record.groupId, id);
    EXPECT_EQ(record.segmentCount, 3);
    EXPECT_EQ(record.pairsStoredFlag, 1);
    EXPECT_EQ(QString::fromStdU16String(record.mapPath.data()), QString::fromStdU16String(h.core.MapFiles[0].fullPath));
    EXPECT_EQ(QString::fromStdU16String(record.groupName.data()), QStringLiteral("Default Info.1"));
    const QByteArray pairs = h.Stored(PairName(id));
    ASSERT_EQ(pairs.size(), 32);
    const auto stored = orvelo::DecodeSegmentPairs(reinterpret_cast<const std::uint8_t*>(pairs.constData()), 32, 3);
    EXPECT_EQ(stored.back().cumulativeDistance, h.View().SegmentEnds().back());
    EXPECT_EQ(h.store.Get(settings::kMapSegInfo, kCount), QByteArray::fromHex("01000000"));

    // Again after a change: the same group, no second default group.
    platform::SendMessage(h.View().Handle(), platform::UM_ADD_SEGMENT, 0, static_cast<platform::LParam>(dialog.Handle()));
    h.Drain();
    h.Click(CCourseMapViewerDlg::kSave);
    EXPECT_EQ(dialog.Groups().size(), 1u);
    EXPECT_EQ(h.Stored(kRecords).size(), 796);
    EXPECT_EQ(h.Stored(PairName(id)).size(), 40);
    EXPECT_EQ(dialog.Groups().front().pairs.size(), 4u);  // kept as saved, for Reset

    // A write that fails is told; what was stored stays.
    h.store.Backend().SetFailSaves(true);
    h.Click(CCourseMapViewerDlg::kSave);
    ASSERT_EQ(h.boxes.Shown().size(), 3u);
    EXPECT_EQ(h.boxes.Shown()[2].text, QStringLiteral("ERROR , Failed save segment info data"));
    EXPECT_EQ(h.boxes.Shown()[2].caption, QStringLiteral("Error Save"));
    EXPECT_EQ(h.main.Of(platform::UM_SAVE_SEGMENT_GROUP_INFO).size(), 2u);
}

TEST(CCourseMapViewerDlgTest, ALogLapIsRegisteredAsACourseMapBeforeItsGroupIsSavedUnderThatFile) {
    ViewerHarness h;
    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListLogLaps, 1);
    EXPECT_EQ(h.core.LogFiles[0].laps[1].currentLapMark, 1);
    EXPECT_EQ(h.core.LogFiles[0].laps[0].currentLapMark, 0);
    h.Cut(300);
    h.main.registerAnswer = 0;  // the user cancelled the file chooser
    h.Click(CCourseMapViewerDlg::kSave);
    ASSERT_EQ(h.main.Of(platform::UM_REGIST_COURSE_MAP).size(), 1u);
    EXPECT_TRUE(h.boxes.Shown().empty());
    EXPECT_TRUE(h.Stored(kRecords).isEmpty());

    h.main.registerAnswer = 1;
    h.main.registered = u"/maps/new.dat";
    h.Click(CCourseMapViewerDlg::kSave);
    const platform::Message asked = h.main.Of(platform::UM_REGIST_COURSE_MAP).back();
    const auto* course = platform::TypedBlockIn<CourseBlock>(asked, asked.lParam);
    ASSERT_NE(course, nullptr);
    EXPECT_EQ(course->lap, (orvelo::LapRef{orvelo::FileSet::Log, h.core.LogFiles[0].fileId, 1}));
    EXPECT_EQ(dialog.CurrentGroup().mapPath, u"/maps/new.dat");
    EXPECT_EQ(h.boxes.Shown().size(), 1u);
}

TEST(CCourseMapViewerDlgTest, OkAndCancelAnswerWithTheAngleAndCancelTurnsEveryLapBack) {
    ViewerHarness h;
    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListLogLaps, 0);
    orvelo::LapAnalysisItem& first = h.Item(0, 0);
    orvelo::LapAnalysisItem& second = h.Item(0, 1);
    const int firstX = first.coursePoints[10].x;
    auto* box = platform::FindControl<QSpinBox>(dialog, CCourseMapViewerDlg::kAngleBox);
    box->setValue(30);
    h.Drain();
    EXPECT_EQ(first.rotation, 30);
    EXPECT_NE(first.coursePoints[10].x, firstX);
    dialog.LapList().onLapClicked({orvelo::FileSet::Log, h.core.LogFiles[0].fileId, 1});
    platform::FindControl<QSlider>(dialog, CCourseMapViewerDlg::kSlider)->setValue(-45);
    h.Drain();
    EXPECT_EQ(box->value(), -45);
    EXPECT_EQ(second.rotation, -45);
    dialog.reject();
    h.Drain();
    EXPECT_EQ(first.rotation, 0);
    EXPECT_EQ(second.rotation, 0);
    EXPECT_EQ(first.coursePoints[10].x, firstX);
    auto answers = h.main.Of(platform::UM_SEGMENT_EDIT_REPLACE);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(static_cast<int>(static_cast<std::int64_t>(answers[0].wParam)), -45);
    EXPECT_EQ(answers[0].lParam, 1);

    CCourseMapViewerDlg& again = h.Open(CCourseMapViewerDlg::kListLogLaps, 0);
    platform::FindControl<QSpinBox>(again, CCourseMapViewerDlg::kAngleBox)->setValue(15);
    h.Click(CCourseMapViewerDlg::kOk);
    answers = h.main.Of(platform::UM_SEGMENT_EDIT_REPLACE);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[1].wParam, 15u);
    EXPECT_EQ(answers[1].lParam, 0);
    EXPECT_EQ(first.rotation, 15);  // OK keeps it
}

TEST(CCourseMapViewerDlgTest, TheGridTakesTypedLengthsPutsRefusedOnesBackColoursTheSelectedRowAndRenames) {
    ViewerHarness h;
    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListMapLaps);
    h.Cut(300);
    const std::vector<int> ends = h.View().SegmentEnds();
    ASSERT_EQ(ends.size(), 3u);
    EXPECT_EQ(h.RowValues(), (QStringList{QString::number(ends[0]), QString::number(ends[1] - ends[0]),
                                          QString::number(ends[2] - ends[1])}));
    h.TypeInto(1, QStringLiteral("250"));
    EXPECT_EQ(h.View().SegmentEnds()[0], 250);
    EXPECT_EQ(h.RowValues()[1], QString::number(ends[1] - 250));
    h.TypeInto(1, QStringLiteral("5000"));  // past the next end: the view refuses
    h.TypeInto(2, QStringLiteral("0"));
    h.TypeInto(3, QStringLiteral("70000"));  // more than the message carries
    EXPECT_EQ(h.View().SegmentEnds()[0], 250);
    EXPECT_EQ(h.RowValues()[0], QStringLiteral("250"));
    EXPECT_EQ(h.RowValues()[2], QString::number(ends[2] - ends[1]));

    // A length for a group that is not the one edited is put back too.
    dialog.Grid().EditItem(dialog.Grid().Row(dialog.Grid().Property(0)->Name(), 2));
    QCoreApplication::processEvents();
    platform::SendMessage(dialog.Handle(), platform::MessageWithBlockInWParam(platform::UM_SEGMENT_LENGTH_CHANGED,
                                                                             QStringLiteral("Other"), platform::MakeLong(90, 2)));
    EXPECT_EQ(h.View().SegmentEnds(), (std::vector<int>{250, ends[1], ends[2]}));

    platform::PostMessage(dialog.Handle(), platform::UM_SET_SELECTED_SEGMENT_COLOR, 2, 0x0505F0);
    h.Drain();
    std::vector<platform::ColorRef> colours;
    for (int k = 1; k <= 3; ++k)
        colours.push_back(dialog.Grid().Row(dialog.Grid().Property(0)->Name(), k)->NameTextColor());
    EXPECT_EQ(colours, (std::vector<platform::ColorRef>{0, 0x0505F0, 0}));

    // Rename from the group menu: the name dialog answers with the new name only.
    platform::ModalDialogScript dialogs;
    for (const char* name : {"Default Info.1", "Long straight"}) {
        dialogs.Queue([name](QDialog& shown) {
            platform::FindControl<QLineEdit>(shown, CEditNameDlg::kEdit)->setText(QString::fromLatin1(name));
            platform::FindControl<QAbstractButton>(shown, CEditNameDlg::kOk)->click();
            return shown.result();
        });
        dialog.Grid().OnGroupCommand(CPropertyGridCtrlSegEx::kCmdRenameGroup, dialog.Grid().Property(0)->Name());
        h.Drain();
    }
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Shown()[0].title, QStringLiteral("Rename New Group Info name"));
    EXPECT_EQ(dialog.CurrentGroup().groupName, u"Long straight");
    EXPECT_EQ(dialog.Grid().Property(0)->Name(), QStringLiteral("Long straight"));
    EXPECT_EQ(dialog.StatusPane(2)->text(), QStringLiteral("Long straight"));
}

TEST(CCourseMapViewerDlgTest, TheReportHasTheColumnsOfItsListModeAndSortsDistanceBothWays) {
    ViewerHarness h;
    h.core.LogFiles[0].laps[0].distance = 950;
    h.core.LogFiles[0].laps[1].distance = 905;
    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListLogLaps);
    CourseMapLapList& list = dialog.LapList();
    EXPECT_EQ(list.Thumbnails().count(), 2);
    EXPECT_EQ(list.Thumbnails().item(1)->text(), QStringLiteral("L 2"));
    list.OnMenuCommand(CourseMapLapList::kCmdReport);
    QTreeWidget& report = list.Report();
    ASSERT_EQ(report.columnCount(), 3);
    EXPECT_EQ(report.headerItem()->text(0), QStringLiteral("L "));
    const auto column = [&report](int c) {
        QStringList texts;
        for (int r = 0; r < report.topLevelItemCount(); ++r)
            texts << report.topLevelItem(r)->text(c);
        return texts;
    };
    list.OnColumnClick(2);  // "File name" does not sort
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    list.OnColumnClick(1);
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("905"), QStringLiteral("950")}));
    list.OnColumnClick(1);
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("950"), QStringLiteral("905")}));

    h.dialog.reset();
    CCourseMapViewerDlg& maps = h.Open(CCourseMapViewerDlg::kListMapLaps);
    maps.LapList().OnMenuCommand(CourseMapLapList::kCmdReport);
    EXPECT_EQ(maps.LapList().Report().columnCount(), 2);
    EXPECT_EQ(maps.LapList().Report().headerItem()->text(0), QStringLiteral("File name"));
}

}  // namespace
