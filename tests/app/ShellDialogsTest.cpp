// The colour and setup dialogs run from the main frame, the way a user gets
// them: the lap colour path from the lap list's header menu to the stored
// colours, the map property answer, and "Orvelo Setup" with its effects.
#include "ProgramHarness.h"

#include "shell/DialogAnswers.h"
#include "shell/LapListTestSupport.h"

#include "platform/ColorPickButton.h"
#include "platform/ControlId.h"
#include "platform/MessageSpy.h"
#include "platform/ModalDialog.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"
#include "shell/CCSMapPropertyDlg.h"
#include "shell/CCTabCtrl_SetConfigDlg.h"
#include "shell/CClassView.h"
#include "shell/CEditChannelValue_DlgPage.h"
#include "shell/CLapColorPropDlg.h"
#include "shell/CListCtrl_EditCstmDraw.h"
#include "shell/CMapPropertyTab.h"
#include "shell/CommandIds.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class ShellDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.Start()); }
    WindowHandle MapWindow() { return h.Frame().Properties()->MapWindow(); }
    std::vector<SpiedMessage> DeliveredTo(WindowHandle to, std::uint32_t id) {
        return spy.Of(SpiedMessage::Kind::Delivered, to, id);
    }
    static void Click(QWidget& parent, int id) { FindControl<QAbstractButton>(parent, id)->click(); }

    testsupport::SessionDir files;
    ProgramHarness h;
    MessageSpy spy;
    ModalDialogScript dialogs;
};

}  // namespace

TEST_F(ShellDialogsTest, LapColourChosenFromTheLapListIsStoredAndRecoloursTheList) {
    auto& pane = dynamic_cast<CClassView&>(*h.Frame().LapList());
    ASSERT_EQ(testsupport::LoadLogs(h.Core(), {files.Write(QStringLiteral("a/one.dat"), 2)}), 0);
    SendMessage(pane.Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);

    PopupMenuScript menus;
    menus.QueueChoice(QStringLiteral("Lap color property..."));
    dialogs.Queue([](QDialog& dialog) {
        auto& lapColors = dynamic_cast<CLapColorPropDlg&>(dialog);
        lapColors.Button(2)->Pick(0x00AA55);
        Click(dialog, CLapColorPropDlg::kOk);
        return dialog.result();
    });
    const HeaderHitRecord baseColumn{laplist::kBaseColumn, 10, 10};
    SendMessage(pane.Handle(), MessageWithBlock(UM_LIST_HEADER_RIGHT_CLICK, 0, baseColumn));
    ShellHarness::Drain();

    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Shown()[0].title, QStringLiteral("Lap Color Property"));
    orvelo::LapColorArray expected = settings::kLapColorDefaults;
    expected[2] = 0x00AA55;
    LapColorRec stored;
    EXPECT_EQ(h.Settings().Store().ReadRecord(settings::SubKeyPath(settings::kItemColorInfo), settings::kLapColorProp,
                                              &stored),
              0);
    EXPECT_EQ(stored.colors, expected);
    EXPECT_EQ(h.Settings().Colors().LapColorTable(), expected);
    EXPECT_EQ(pane.View().LapColors(), expected);
    const auto toMap = DeliveredTo(MapWindow(), UM_LAP_COLOR_PROPERTY);
    ASSERT_EQ(toMap.size(), 1u);
    EXPECT_EQ(toMap[0].wParam, 0u);
    EXPECT_EQ(toMap[0].lParam, 1);
}

TEST_F(ShellDialogsTest, MapPropertyAnswersTheRequestingMapWithTheFramesCopyEdited) {
    DialogAnswers<MapViewProperty> map(UM_MAP_PROPERTY);
    dialogs.Queue([](QDialog& dialog) {
        dynamic_cast<CCSMapPropertyDlg&>(dialog).Button(3)->Pick(0x010203);
        Click(dialog, CCSMapPropertyDlg::kOk);
        return dialog.result();
    });
    PostMessage(h.Frame().Handle(), UM_MAP_PROPERTY, map.Handle(), 0);
    ShellHarness::Drain();
    MapViewProperty expected;
    h.Settings().Colors().SetDefaultMapViewProp(&expected);
    expected.words[6] = 0x010203;
    ASSERT_EQ(map.Answers().size(), 1u);
    EXPECT_EQ(map.Answers()[0].block, expected);
    EXPECT_EQ(map.Answers()[0].lParam, 1);
}

TEST_F(ShellDialogsTest, SetupSavesChannelNamesAndTheMapModeAndTheWindowsFollow) {
    dialogs.Queue([](QDialog& dialog) {
        auto& setup = dynamic_cast<CCTabCtrl_SetConfigDlg&>(dialog);
        setup.ChannelPage().List().EndEdit(0, 0, QStringLiteral("Engine"));
        TheMessageBus().ProcessPosted();
        Click(setup.ChannelPage(), CEditChannelValue_DlgPage::kSave);
        Click(setup.MapPage(), CMapPropertyTab::kGps);
        Click(setup.MapPage(), CMapPropertyTab::kSave);
        TheMessageBus().ProcessPosted();  // the dialog's own loop would deliver these
        Click(dialog, CCTabCtrl_SetConfigDlg::kClose);
        return dialog.result();
    });
    h.Frame().Action(command::kAnalysisSetup)->trigger();
    ShellHarness::Drain();

    ChannelNameRec name;
    EXPECT_EQ(h.Settings().Store().ReadRecord(settings::SubKeyPath(settings::kChannelNameScaleInfo),
                                              settings::NumberedName(settings::kChannelNameProp, 1), &name),
              0);
    EXPECT_EQ(ChannelNameRec::Text(name.currentName), QStringLiteral("Engine"));
    std::int32_t mode = 0;
    EXPECT_EQ(h.Settings().Channels().MapDrawModeSetting(0, &mode), 0);
    EXPECT_EQ(mode, 3);
    EXPECT_EQ(h.Frame().StatusPane(5)->text(), QStringLiteral(" GPS "));
    // After the dialog the small map redraws in the new mode, and the work area takes the new names.
    const auto toMap = DeliveredTo(MapWindow(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE);
    ASSERT_EQ(toMap.size(), 1u);
    EXPECT_EQ(toMap[0].wParam, 5u);
    EXPECT_EQ(DeliveredTo(h.Frame().ActiveWorkArea()->ViewHandle(), UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME).size(), 1u);
}
