// The colour and setup dialogs the way a user gets them: the lap colour path
// from the lap list's header menu to the stored colours, a channel's colours
// on a lap overview after that, the map property answer, and "Orvelo Setup"
// with its effects.
#include "ProgramHarness.h"

#include "shell/DialogAnswers.h"
#include "shell/ListCellEdit.h"
#include "shell/LapListTestSupport.h"

#include "graphs/CDlgGrafView.h"
#include "platform/CStaticColorSel.h"
#include "platform/ColorPickButton.h"
#include "platform/ControlId.h"
#include "platform/MessageSpy.h"
#include "platform/ModalDialog.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"
#include "shell/CCSMapPropertyDlg.h"
#include "shell/CCTabCtrl_SetConfigDlg.h"
#include "shell/CChannel_ColorPropDlg.h"
#include "shell/CClassView.h"
#include "shell/CEditChannelValue_DlgPage.h"
#include "shell/CLapColorPropDlg.h"
#include "shell/CListCtrl_EditCstmDraw.h"
#include "shell/CMapPropertyTab.h"
#include "shell/CommandIds.h"

#include "core/LapNumberText.h"
#include "core/LapSelection.h"

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
    h.PickLapColour(dialogs, 2, 0x00AA55);

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
        EditListCell(setup.ChannelPage().List(), 0, 0, QStringLiteral("Engine"));
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

// A channel whose colours were never saved keeps drawing its own lap colours after the lap colours
// change; its dialog shows those, and OK without a change stores nothing.
TEST_F(ShellDialogsTest, ChannelColoursShowTheColoursItsRowsDrawAfterALapColourChange) {
    ASSERT_EQ(testsupport::LoadLogs(h.Core(), {files.Write(QStringLiteral("session.dat"), 3, 4)}), 0);
    const orvelo::LogFile& file = h.Core().LogFiles[0];
    orvelo::SetBaseLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[0].lapNumber));
    orvelo::ToggleOverlayLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[1].lapNumber));
    SendMessage(h.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    CLapOverviewDlg* window = h.OpenLapOverview();
    ASSERT_TRUE(window);
    constexpr ColorRef kBlue = 0xFF0000;
    h.PickLapColour(dialogs, 0, kBlue);
    ASSERT_EQ(h.Core().SelectedLaps[0].colour, kBlue);

    CDlgGrafView& rpm = *window->RowAt(0).graph;
    const QImage drawn = rpm.grab().toImage();
    ASSERT_EQ(std::make_pair(window->RowAt(0).channel, rpm.LapsDrawn()), std::make_pair(1, 2));
    const platform::RegistryTree before = h.Settings().Store().Registry().Tree();
    std::vector<ColorRef> swatches;
    dialogs.Queue([&](QDialog& dialog) {
        for (int id : CChannel_ColorPropDlg::kLapSwatches) {
            const QImage picture = FindControl<CStaticColorSel>(dialog, id)->Picture();
            swatches.push_back(FromQColor(picture.pixelColor(picture.rect().center())));
        }
        Click(dialog, CChannel_ColorPropDlg::kOk);
        return dialog.result();
    });
    PostMessage(window->Handle(), UM_CHANNEL_PROPERTY_MENU, rpm.Handle(), 0);
    Drain();
    ASSERT_EQ(swatches.size(), 7u);
    // Each compared lap's swatch is the colour its trace is drawn in.
    for (std::size_t lap = 0; lap < 2; ++lap) {
        const QRgb colour = ToQColor(swatches[lap]).rgb();
        int found = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                found += drawn.pixel(x, y) == colour ? 1 : 0;
        EXPECT_GT(found, 20) << "lap " << lap << " swatch " << std::hex << swatches[lap];
    }
    EXPECT_TRUE(h.Settings().Store().Registry().Tree() == before);
    EXPECT_EQ(h.Settings().Colors().ChannelLapColor(h.Core(), 1, 0), swatches[0]);
}
