// The course map viewer: Save into the settings (what it writes, when it writes nothing, a failed
// write, saving twice, the lengths shown at the next start), OK and Cancel with the rotations, the
// grid's typed lengths, selected row and rename, the lap list's current item, report and sorting,
// the length labels at opening, and the picture of the whole dialog.
#include "ViewerHarness.h"

#include "coursemap/CEditNameDlg.h"
#include "coursemap/CourseMapLapList.h"
#include "coursemap/CxSplitterWndExt.h"
#include "coursemap/CFrameMapSegEdit.h"

#include "core/SegmentGroupCodec.h"
#include "platform/CColorToolTipWnd.h"
#include "platform/ModalDialog.h"
#include "platform/RegistryMemoryBackend.h"
#include "platform/SystemColors.h"
#include "settings/AppSettings.h"
#include "settings/SegmentGroupStore.h"

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
    h.Click(CCourseMapViewerDlg::kSave);  // no segments: nothing at all
    EXPECT_TRUE(h.boxes.Shown().empty() && h.Stored(kRecords).isEmpty() && h.frame.Of(platform::UM_SAVE_SEGMENT_GROUP_INFO).empty());

    h.Cut(400);
    ASSERT_EQ(dialog.SegmentCountOnMap(), 3);
    h.Click(CCourseMapViewerDlg::kSave);
    const std::int32_t id = dialog.CurrentGroup().groupId;
    ASSERT_EQ(h.boxes.Shown().size(), 1u);
    EXPECT_EQ(h.boxes.Shown()[0].text + h.boxes.Shown()[0].caption, QStringLiteral("OK , Save segment info dataOK Save"));
    EXPECT_EQ(h.frame.Of(platform::UM_SAVE_SEGMENT_GROUP_INFO).size(), 1u);
    const QByteArray records = h.Stored(kRecords);
    ASSERT_EQ(records.size(), 796);
    const auto record = orvelo::DecodeSegmentGroupRecord(reinterpret_cast<const std::uint8_t*>(records.constData()));
    EXPECT_EQ((std::array<std::int32_t, 3>{record.groupId, record.segmentCount, record.pairsStoredFlag}),
              (std::array<std::int32_t, 3>{id, 3, 1}));
    EXPECT_EQ(std::u16string(record.mapPath.data()), h.core.MapFiles[0].fullPath);
    EXPECT_EQ(h.Stored(PairName(id)).size(), 32);
    EXPECT_EQ(h.Stored(kCount), QByteArray::fromHex("01000000"));

    // Again after a change: the same group, no second default group.
    h.Click(CCourseMapViewerDlg::kAdd);
    h.Click(CCourseMapViewerDlg::kSave);
    EXPECT_EQ(dialog.Groups().size(), 1u);
    EXPECT_EQ(h.Stored(PairName(id)).size(), 40);
    EXPECT_EQ(dialog.Groups().front().pairs.size(), 4u);  // kept as saved, for Reset

    // A write that fails is told; what was stored stays.
    h.store.Backend().SetFailSaves(true);
    h.Click(CCourseMapViewerDlg::kAdd);
    h.Click(CCourseMapViewerDlg::kSave);
    ASSERT_EQ(h.boxes.Shown().size(), 3u);
    EXPECT_EQ(h.boxes.Shown()[2].text + h.boxes.Shown()[2].caption,
              QStringLiteral("ERROR , Failed save segment info dataError Save"));
    EXPECT_EQ(h.frame.Of(platform::UM_SAVE_SEGMENT_GROUP_INFO).size(), 2u);
}

QByteArray Words(std::initializer_list<std::int32_t> words) {
    QByteArray bytes;
    for (const std::int32_t word : words) {
        for (int i = 0; i < 4; ++i)
            bytes.append(static_cast<char>((static_cast<std::uint32_t>(word) >> (8 * i)) & 0xFF));
    }
    return bytes;
}

// Three records of one id (a merged settings file), the middle one the shown map's, sharing pairs
// that lie outside any course.
TEST(CCourseMapViewerDlgTest, StoredEndsOutsideTheCourseAreTakenAgainOrDroppedAndSaveChangesOnlyTheShownGroup) {
    ViewerHarness h;
    const std::u16string shown = h.core.MapFiles[0].fullPath;
    QByteArray records;
    for (const std::u16string& path : {std::u16string(u"/maps/a.dat"), shown, std::u16string(u"/maps/c.dat")}) {
        orvelo::SegmentGroup group;
        group.groupId = 7;
        group.mapPath = path;
        group.groupName = u"Stored";
        group.segmentCount = 3;
        orvelo::SegmentGroupRecord record;
        ASSERT_TRUE(orvelo::MakeSegmentGroupRecord(group, record));
        const auto bytes = orvelo::EncodeSegmentGroupRecord(record);
        records.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    }
    const QByteArray pairs = Words({INT32_MIN, -1, INT32_MAX, INT32_MAX, 100, 5, 0, 0});
    h.store.Put(settings::kMapSegInfo, kRecords, records);
    h.store.Put(settings::kMapSegInfo, kCount, Words({3}), platform::kRegDword);
    h.store.Put(settings::kMapSegInfo, PairName(7), pairs);

    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListMapLaps);
    EXPECT_EQ(dialog.CurrentGroup().mapPath, shown);
    EXPECT_EQ(h.RowValues(), QStringList{QStringLiteral("100")});
    const std::int32_t id = dialog.CurrentGroup().groupId;
    EXPECT_NE(id, 7);

    h.Cut(400);
    h.Click(CCourseMapViewerDlg::kSave);
    const QByteArray saved = h.Stored(kRecords);
    ASSERT_EQ(saved.size(), 3 * 796);
    std::vector<std::u16string> paths;
    for (int i = 0; i < 3; ++i) {
        const auto record = orvelo::DecodeSegmentGroupRecord(reinterpret_cast<const std::uint8_t*>(saved.constData()) + i * 796);
        paths.emplace_back(record.mapPath.data());
        EXPECT_EQ(record.segmentCount, 3) << i;
        EXPECT_EQ(record.groupId == 7, i == 0) << i;  // the later ones were given ids of their own
    }
    EXPECT_EQ(paths, (std::vector<std::u16string>{u"/maps/a.dat", shown, u"/maps/c.dat"}));
    EXPECT_EQ(h.Stored(PairName(7)), pairs);
    EXPECT_EQ(h.Stored(PairName(id)).size(), 32);
}

// Three groups of id 9, one per course, each with its own pairs stored under the one name: a Save on
// the first course keeps every course's segments, also after the settings are read afresh.
TEST(CCourseMapViewerDlgTest, ASaveOnOneCourseKeepsTheSegmentsOfGroupsRenumberedWhenRead) {
    ViewerHarness h;
    const std::u16string shown = h.core.MapFiles[0].fullPath;
    const std::vector<std::u16string> paths{shown, u"/maps/b.dat", u"/maps/c.dat"};
    QByteArray records;
    for (const std::u16string& path : paths) {
        orvelo::SegmentGroup group;
        group.groupId = 9;
        group.mapPath = path;
        group.groupName = u"Stored";
        group.segmentCount = 2;
        group.pairsStoredFlag = 1;
        orvelo::SegmentGroupRecord record;
        ASSERT_TRUE(orvelo::MakeSegmentGroupRecord(group, record));
        const auto bytes = orvelo::EncodeSegmentGroupRecord(record);
        records.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    }
    const QByteArray pairs = Words({300, 30, 600, 60, 0, 0});
    h.store.Put(settings::kMapSegInfo, kRecords, records);
    h.store.Put(settings::kMapSegInfo, kCount, Words({3}), platform::kRegDword);
    h.store.Put(settings::kMapSegInfo, PairName(9), pairs);

    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListMapLaps);
    ASSERT_EQ(dialog.CurrentGroup().groupId, 9);
    h.Cut(400);
    h.Click(CCourseMapViewerDlg::kSave);
    ASSERT_EQ(h.boxes.Shown().size(), 1u);

    const QByteArray saved = h.Stored(kRecords);
    ASSERT_EQ(saved.size(), 3 * 796);
    for (int i = 0; i < 3; ++i) {
        const auto record = orvelo::DecodeSegmentGroupRecord(reinterpret_cast<const std::uint8_t*>(saved.constData()) + i * 796);
        EXPECT_EQ(std::make_pair(record.groupId, std::u16string(record.mapPath.data())), std::make_pair(9 + i, paths[static_cast<std::size_t>(i)]));
    }
    EXPECT_EQ(h.Stored(PairName(9)).size(), 32);  // the three segments laid now
    EXPECT_EQ(h.Stored(PairName(10)), pairs);
    EXPECT_EQ(h.Stored(PairName(11)), pairs);

    // The next start: the settings as saved, read by the application and by the viewer.
    AppSettings restarted(std::make_unique<platform::RegistryMemoryBackend>(h.store.Backend().Saved()));
    std::deque<orvelo::SegmentGroup> loaded;
    LoadSegmentGroups(restarted.Store(), loaded);
    std::deque<orvelo::SegmentGroup> viewer = SegmentGroupStore(restarted.Store()).ReadViewerGroups();
    for (const std::deque<orvelo::SegmentGroup>* read : {&loaded, &viewer}) {
        ASSERT_EQ(read->size(), 3u);
        std::vector<std::int32_t> pairCounts;
        for (const orvelo::SegmentGroup& group : *read)
            pairCounts.push_back(static_cast<std::int32_t>(group.pairs.size()));
        EXPECT_EQ(pairCounts, (std::vector<std::int32_t>{3, 2, 2}));
        const orvelo::SegmentGroup& last = (*read)[2];
        EXPECT_EQ(last.groupId, 11);
        ASSERT_EQ(last.pairs.size(), 2u);
        EXPECT_EQ(last.pairs[1].cumulativeDistance, 600);
    }
}

// The last segment ends at the lap's distance, a few metres past the last course point: at the next
// start the group shows the lengths it was saved with.
TEST(CCourseMapViewerDlgTest, AGroupShowsTheLengthsItWasSavedWithAtTheNextStart) {
    ViewerHarness h;
    const orvelo::Lap& lap = h.core.MapFiles[0].laps[0];
    ASSERT_LT(lap.analysisItems.front().coursePoints.back().cumulativeDistance, static_cast<std::int32_t>(lap.distance));
    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListMapLaps);
    h.Click(CCourseMapViewerDlg::kAdd);
    h.Click(CCourseMapViewerDlg::kAdd);
    const QStringList lengths = h.RowValues();
    ASSERT_EQ(lengths, (QStringList{QStringLiteral("450"), QStringLiteral("225"), QStringLiteral("225")}));
    h.Click(CCourseMapViewerDlg::kSave);
    const QByteArray stored = h.Stored(PairName(dialog.CurrentGroup().groupId));
    std::vector<int> ends;
    for (const orvelo::SegmentPair& pair :
         orvelo::DecodeSegmentPairs(reinterpret_cast<const std::uint8_t*>(stored.constData()),
                                    static_cast<std::size_t>(stored.size()), 3))
        ends.push_back(pair.cumulativeDistance);
    ASSERT_EQ(ends, (std::vector<int>{450, 675, 900}));

    h.dialog.reset();
    AppSettings restarted(std::make_unique<platform::RegistryMemoryBackend>(h.store.Backend().Saved()));
    h.Open(CCourseMapViewerDlg::kListMapLaps, 0, &restarted);
    EXPECT_EQ(h.RowValues(), lengths);
    EXPECT_EQ(h.View().SegmentEnds(), (std::vector<int>{450, 675, 900}));
}

TEST(CCourseMapViewerDlgTest, ALogLapIsRegisteredAsACourseMapBeforeItsGroupIsSavedUnderThatFile) {
    ViewerHarness h;
    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListLogLaps, 1);
    const auto& laps = h.core.LogFiles[0].laps;
    EXPECT_EQ(laps[0].currentLapMark * 10 + laps[1].currentLapMark, 1);  // only the lap shown is current
    h.Cut(300);
    h.registry.path = u"/maps/new.dat";
    for (const platform::LResult answer : {0, 1}) {  // 0: the user cancelled the file chooser
        h.frame.Answer(platform::UM_REGIST_COURSE_MAP, answer);
        h.Click(CCourseMapViewerDlg::kSave);
        EXPECT_EQ(h.boxes.Shown().size(), static_cast<std::size_t>(answer));
        EXPECT_EQ(h.Stored(kRecords).isEmpty(), answer == 0);
    }
    const platform::Message asked = h.frame.Of(platform::UM_REGIST_COURSE_MAP).back();
    const auto* course = platform::TypedBlockIn<CourseBlock>(asked, asked.lParam);
    ASSERT_NE(course, nullptr);
    EXPECT_EQ(course->lap, (orvelo::LapRef{orvelo::FileSet::Log, h.core.LogFiles[0].fileId, 1}));
    EXPECT_EQ(dialog.CurrentGroup().mapPath, u"/maps/new.dat");
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
    EXPECT_EQ((std::array<int, 3>{first.rotation, second.rotation, first.coursePoints[10].x}),
              (std::array<int, 3>{0, 0, firstX}));

    CCourseMapViewerDlg& again = h.Open(CCourseMapViewerDlg::kListLogLaps, 0);
    platform::FindControl<QSpinBox>(again, CCourseMapViewerDlg::kAngleBox)->setValue(15);
    h.Click(CCourseMapViewerDlg::kOk);
    EXPECT_EQ(first.rotation, 15);  // OK keeps it
    QStringList answers;
    for (const platform::Message& m : h.frame.Of(platform::UM_SEGMENT_EDIT_REPLACE))
        answers << QStringLiteral("%1,%2").arg(static_cast<std::int64_t>(m.wParam)).arg(m.lParam);
    EXPECT_EQ(answers, (QStringList{QStringLiteral("-45,1"), QStringLiteral("15,0")}));
}

TEST(CCourseMapViewerDlgTest, TheGridTakesTypedLengthsPutsRefusedOnesBackColoursTheSelectedRowAndRenames) {
    ViewerHarness h;
    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListMapLaps);
    h.Cut(300);
    const std::vector<int> ends = h.View().SegmentEnds();
    ASSERT_EQ(ends.size(), 3u);
    h.TypeInto(1, QStringLiteral("250"));
    h.TypeInto(1, QStringLiteral("5000"));  // past the next end: the view refuses
    h.TypeInto(2, QStringLiteral("0"));
    h.TypeInto(3, QStringLiteral("70000"));  // more than the message carries
    EXPECT_EQ(h.View().SegmentEnds()[0], 250);
    EXPECT_EQ(h.RowValues(), (QStringList{QStringLiteral("250"), QString::number(ends[1] - 250),
                                          QString::number(ends[2] - ends[1])}));

    platform::PostMessage(dialog.Handle(), platform::UM_SET_SELECTED_SEGMENT_COLOR, 2, 0x0505F0);
    h.Drain();
    const auto colour = [&dialog](int k) { return dialog.Grid().Row(dialog.Grid().Property(0)->Name(), k)->NameTextColor(); };
    EXPECT_EQ((std::array{colour(1), colour(2), colour(3)}), (std::array<platform::ColorRef, 3>{0, 0x0505F0, 0}));

    // Renamed from the group menu: the name dialog answers only a new name that is not empty; the
    // grid, the group and the status bar take it.
    platform::ModalDialogScript dialogs;
    for (const char* name : {"Default Info.1", "", "Long straight"}) {
        dialogs.Queue([name](QDialog& shown) {
            platform::FindControl<QLineEdit>(shown, CEditNameDlg::kEdit)->setText(QString::fromLatin1(name));
            platform::FindControl<QAbstractButton>(shown, CEditNameDlg::kOk)->click();
            return shown.result();
        });
        dialog.Grid().OnGroupCommand(CPropertyGridCtrlSegEx::kCmdRenameGroup, dialog.Grid().Property(0)->Name());
        h.Drain();
        EXPECT_EQ(dialogs.Shown().back().title, QStringLiteral("Rename New Group Info name"));
        EXPECT_EQ(dialog.StatusPane(2)->text(), QString::fromLatin1(*name ? name : "Default Info.1"));
    }
    EXPECT_EQ(QString::fromStdU16String(dialog.CurrentGroup().groupName) + dialog.Grid().Property(0)->Name(),
              QStringLiteral("Long straight").repeated(2));
}

TEST(CCourseMapViewerDlgTest, TheReportHasTheColumnsOfItsListModeAndSortsDistanceBothWays) {
    ViewerHarness h;
    h.core.LogFiles[0].laps[0].distance = 950;
    h.core.LogFiles[0].laps[1].distance = 905;
    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListLogLaps);
    CourseMapLapList& list = dialog.LapList();
    EXPECT_EQ(list.Thumbnails().item(1)->text(), QStringLiteral("L 2"));
    list.OnMenuCommand(CourseMapLapList::kCmdReport);
    QTreeWidget& report = list.Report();
    ASSERT_EQ(report.columnCount(), 3);
    EXPECT_EQ(report.headerItem()->text(0), QStringLiteral("L "));
    const auto distances = [&report] {
        return report.topLevelItem(0)->text(1) + QLatin1Char(' ') + report.topLevelItem(1)->text(1);
    };
    list.OnColumnClick(2);  // "File name" does not sort
    EXPECT_EQ(distances(), QStringLiteral("950 905"));
    list.OnColumnClick(1);
    EXPECT_EQ(distances(), QStringLiteral("905 950"));
    list.OnColumnClick(1);
    EXPECT_EQ(distances(), QStringLiteral("950 905"));

    h.dialog.reset();
    CCourseMapViewerDlg& maps = h.Open(CCourseMapViewerDlg::kListMapLaps);
    maps.LapList().OnMenuCommand(CourseMapLapList::kCmdReport);
    EXPECT_EQ(maps.LapList().Report().columnCount(), 2);
    EXPECT_EQ(maps.LapList().Report().headerItem()->text(0), QStringLiteral("File name"));
}

// The viewer opened on the second lap marks its thumbnail (and its report row) as the current one.
TEST(CCourseMapViewerDlgTest, TheCurrentItemOfTheLapListIsTheLapShown) {
    ViewerHarness h;
    CourseMapLapList& list = h.Open(CCourseMapViewerDlg::kListLogLaps, 1).LapList();
    const QListWidgetItem* current = list.Thumbnails().currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->text(), QStringLiteral("L 2"));
    EXPECT_TRUE(current->isSelected());
    list.OnMenuCommand(CourseMapLapList::kCmdReport);
    ASSERT_NE(list.Report().currentItem(), nullptr);
    EXPECT_EQ(list.Report().currentItem()->text(0), QStringLiteral("2"));
}

// The two floating length labels stay hidden until a drag gives them a length.
TEST(CCourseMapViewerDlgTest, TheViewerOpensWithoutAnEmptyLengthLabel) {
    ViewerHarness h;
    h.Open(CCourseMapViewerDlg::kListMapLaps);
    ASSERT_TRUE(h.View().isVisible() && h.View().CourseDrawn());
    EXPECT_FALSE(h.View().LengthLabel(0).isVisible());
    EXPECT_FALSE(h.View().LengthLabel(1).isVisible());
}

TEST(CCourseMapViewerDlgTest, TheViewerShowsTheLapsThumbnailAndItsCourseInThreeSegmentColoursWithTheStatus) {
    ViewerHarness h;
    CCourseMapViewerDlg& dialog = h.Open(CCourseMapViewerDlg::kListMapLaps);
    h.Cut(300);
    const QImage shot = dialog.grab().toImage();
    const DrawnPointTable& drawn = h.View().Renderer().Drawn();
    for (const MapLayerItem& segment : h.View().Renderer().Segments().Segments()) {
        const DrawnPointTable::Record& mid = *drawn.At(static_cast<std::size_t>((segment.startIndex + segment.endIndex) / 2));
        const QPoint at = h.View().mapTo(&dialog, QPoint(mid.x, mid.y));
        EXPECT_EQ(shot.pixel(at), platform::ToQColor(segment.number % 2 ? MapSegmentModel::kOddColor
                                                                          : MapSegmentModel::kEvenColor).rgb())
            << segment.number;
    }
    EXPECT_EQ(shot.pixel(h.View().mapTo(&dialog, QPoint(2, 2))), platform::ToQColor(platform::SystemColor(platform::kColorBtnFace)).rgb());
    QStringList status;
    for (int pane = 0; pane < CCourseMapViewerDlg::kStatusPanes; ++pane)
        status << dialog.StatusPane(pane)->text();
    EXPECT_EQ(status.join(QLatin1Char('|')), QStringLiteral(" Name :map|Seg. 3|Default Info.1| GPS"));

    // A drag of the bar over the map that is let go reports the splitter's width to the viewer.
    CxSplitterWndExt& splitter = dialog.Frame().Splitter();
    QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(50, CFrameMapSegEdit::kMinimumPane + 1));
    QTest::mouseMove(&splitter, QPoint(50, 60));
    QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(50, 60));
    h.Drain();
    EXPECT_EQ(splitter.RowHeights().front(), 60);
    EXPECT_EQ(dialog.SplitterColumnWidth(), h.View().width());

    // The one course-map lap as a thumbnail: its course in the first course colour on the button face.
    ASSERT_EQ(dialog.LapList().Thumbnails().count(), 1);
    QListWidgetItem& item = *dialog.LapList().Thumbnails().item(0);
    const QImage thumbnail = item.icon().pixmap(CourseMapLapList::kIconSize).toImage().convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(thumbnail.constBits());
    EXPECT_GT(std::count(pixels, pixels + thumbnail.width() * thumbnail.height(), qRgb(0x78, 0x78, 0x78)), 100);
    EXPECT_EQ(thumbnail.pixel(0, 0), platform::ToQColor(platform::SystemColor(platform::kColorBtnFace)).rgb());
    EXPECT_EQ(item.text(), QStringLiteral("map"));
}

}  // namespace
