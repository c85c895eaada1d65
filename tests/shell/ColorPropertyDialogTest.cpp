// The four colour property dialogs against a spy requester: when they answer,
// with which block and count, and what Reset puts in.
#include "DialogAnswers.h"

#include "platform/CStaticColorSel.h"
#include "platform/ColorPickButton.h"
#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"
#include "platform/RegistryMemoryBackend.h"
#include "settings/AppSettings.h"
#include "settings/SettingsDefaults.h"
#include "shell/CCSMapPropertyDlg.h"
#include "shell/CChannel_ColorPropDlg.h"
#include "shell/CLapColorPropDlg.h"
#include "shell/CLapOverView_WndProp.h"

#include <QCheckBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr CLapColorPropDlg::Colors kLapColors = {0x000011, 0x000022, 0x000033, 0x000044, 0x000055, 0x000066, 0x000077};

void Click(QWidget& dialog, int id) {
    QPushButton* button = FindControl<QPushButton>(dialog, id);
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

// A swatch's report, as its palette's choice makes it.
void Report(ColorPropertyDialog& dialog, int swatchId, ColorRef color) {
    PostMessage(FindControl<CStaticColorSel>(dialog, swatchId)->Handle(), UM_COLOR_SELECTED, color, 0);
    TheMessageBus().ProcessPosted();
}

// A screenshot of the dialog: every swatch or button shows the colour of its field.
template <class Control>
void ExpectShown(QWidget& dialog, const std::vector<std::pair<int, ColorRef>>& shown) {
    dialog.show();
    const QImage shot = dialog.grab().toImage();
    for (const auto& [id, color] : shown) {
        Control* control = FindControl<Control>(dialog, id);
        ASSERT_NE(control, nullptr) << id;
        const QPoint centre = control->mapTo(&dialog, control->rect().center());
        EXPECT_EQ(FromQColor(shot.pixelColor(centre)), color) << id;
    }
}

class ColorPropertyDialogTest : public ::testing::Test {
protected:
    MessageWindow map;
    MessageSpy spy;
};

}  // namespace

TEST_F(ColorPropertyDialogTest, LapColorsAnswerOnlyChangesThenTellTheMapAndResetGivesTheDefaults) {
    DialogAnswers<CLapColorPropDlg::Colors> requester(UM_LAP_COLOR_PROPERTY);
    {
        CLapColorPropDlg untouched(requester.Handle(), map.Handle(), kLapColors, nullptr);
        untouched.Button(2)->Pick(kLapColors[2]);  // a field's own colour does not count
        Click(untouched, CLapColorPropDlg::kOk);
        EXPECT_EQ(untouched.result(), QDialog::Accepted);
    }
    CLapColorPropDlg cancelled(requester.Handle(), map.Handle(), kLapColors, nullptr);
    cancelled.Button(1)->Pick(0xABCDEF);
    Click(cancelled, kIdCancel);
    EXPECT_TRUE(requester.Answers().empty());
    EXPECT_TRUE(spy.Of(SpiedMessage::Kind::Posted, map.Handle()).empty());

    CLapColorPropDlg dialog(requester.Handle(), map.Handle(), kLapColors, nullptr);
    ExpectShown<ColorPickButton>(dialog, {{40000, 0x000011}, {40006, 0x000077}});
    dialog.Button(3)->Pick(0xABCDEF);
    Click(dialog, CLapColorPropDlg::kOk);
    ASSERT_EQ(requester.Answers().size(), 1u);
    CLapColorPropDlg::Colors expected = kLapColors;
    expected[3] = 0xABCDEF;
    EXPECT_EQ(requester.Answers()[0].block, expected);
    EXPECT_EQ(requester.Answers()[0].lParam, 1);
    // Sent to the requester first, then posted to the map.
    const auto& entries = spy.Entries();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0].kind, SpiedMessage::Kind::Sent);
    EXPECT_TRUE(entries[1].kind == SpiedMessage::Kind::Posted && entries[1].to == map.Handle() &&
                entries[1].wParam == 0 && entries[1].lParam == 1);

    CLapColorPropDlg reset(requester.Handle(), map.Handle(), kLapColors, nullptr);
    Click(reset, CLapColorPropDlg::kReset);
    ExpectShown<ColorPickButton>(reset, {{40000, 0x0000FF}, {40003, 0xFFFF00}, {40006, 0x808000}});
    Click(reset, CLapColorPropDlg::kOk);
    ASSERT_EQ(requester.Answers().size(), 2u);
    EXPECT_EQ(requester.Answers()[1].block, settings::kLapColorDefaults);
    EXPECT_EQ(requester.Answers()[1].lParam, 7);
}

TEST_F(ColorPropertyDialogTest, MapBlackRaisesWordElevenOnEveryPickAndResetKeepsWordsThreeToFive) {
    AppSettings settings(std::make_unique<RegistryMemoryBackend>(), [] { return ColorRef{0x123456}; });
    DialogAnswers<MapViewProperty> requester(UM_MAP_PROPERTY);
    MapViewProperty property;
    for (std::size_t i = 0; i < property.words.size(); ++i)
        property.words[i] = 0x100 + static_cast<std::uint32_t>(i);
    {
        CCSMapPropertyDlg dialog(requester.Handle(), property, settings.Colors(), nullptr);
        ExpectShown<ColorPickButton>(dialog, {{50001, 0x100}, {50004, 0x106}, {50006, 0x108}});
        dialog.Button(1)->Pick(0x000000);
        dialog.Button(1)->Pick(0x000000);
        Click(dialog, CCSMapPropertyDlg::kOk);
    }
    ASSERT_EQ(requester.Answers().size(), 1u);
    MapViewProperty expected = property;
    expected.words[1] = 0;
    expected.words[11] += 2;
    EXPECT_EQ(requester.Answers()[0].block, expected);
    EXPECT_EQ(requester.Answers()[0].lParam, 1);

    // Reset counts six and keeps words 3 to 5.
    CCSMapPropertyDlg dialog(requester.Handle(), property, settings.Colors(), nullptr);
    Click(dialog, CCSMapPropertyDlg::kReset);
    Click(dialog, CCSMapPropertyDlg::kOk);
    ASSERT_EQ(requester.Answers().size(), 2u);
    EXPECT_EQ(requester.Answers()[1].block.words,
              (std::array<std::uint32_t, 13>{0x787878, 0xFF4000, 0x8A8A8A, 0x103, 0x104, 0x105, 0x123456, 0x566D34,
                                             0x8000FF, 3, 0, 0, 1}));
    EXPECT_EQ(requester.Answers()[1].lParam, 6);
}

TEST_F(ColorPropertyDialogTest, ChannelSwatchesEditTheirWordsAndTheCountIsTheReadFlag) {
    DialogAnswers<ChannelColorProperty> requester(UM_COLOR_PROPERTY_SELECTED);
    ChannelColorProperty block;
    block.channelNumber = 5;
    block.readFlag = 1;
    {
        // A block that arrives read is answered on OK unchanged, with the requester's value.
        CChannel_ColorPropDlg dialog(requester.Handle(), 4242, block, QStringLiteral("Press.1"), nullptr);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Press.1 Channel Color property"));
        Click(dialog, CChannel_ColorPropDlg::kOk);
    }
    ASSERT_EQ(requester.Answers().size(), 1u);
    EXPECT_EQ(requester.Answers()[0].block, block);
    EXPECT_EQ(requester.Answers()[0].lParam, 4242);

    block.readFlag = 0;
    CChannel_ColorPropDlg unread(requester.Handle(), 1, block, QStringLiteral("RPM"), nullptr);
    Click(unread, CChannel_ColorPropDlg::kOk);
    EXPECT_EQ(requester.Answers().size(), 1u);

    CChannel_ColorPropDlg dialog(requester.Handle(), 1, block, QStringLiteral("RPM"), nullptr);
    const int swatches[] = {1017, 1018, 1019, 1023, 1022, 1021, 1020, 1028, 1029, 1032};
    for (int i = 0; i < 10; ++i)
        Report(dialog, swatches[i], 0xC0 + static_cast<ColorRef>(i));
    Report(dialog, 1017, 0xC0);  // its own colour again: no change
    FindControl<QCheckBox>(dialog, CChannel_ColorPropDlg::kEnableCheck)->click();
    const ChannelColorProperty& edited = dialog.EditedBlock();
    EXPECT_EQ(edited.lapColors, (std::array<std::uint32_t, 7>{0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6}));
    EXPECT_EQ(edited.background, 0xC7u);
    EXPECT_EQ(edited.text, 0xC8u);
    EXPECT_EQ(edited.analysisLine, 0xC9u);
    EXPECT_EQ(edited.checkFlag, 1);
    EXPECT_EQ(edited.readFlag, 11);
    ExpectShown<CStaticColorSel>(dialog, {{1023, 0xC3}, {1020, 0xC6}, {1032, 0xC9}});

    Click(dialog, CChannel_ColorPropDlg::kReset);
    ChannelColorProperty reset = block;
    ColorSettings::CopyDefaultChannelColor(&reset);
    EXPECT_EQ(dialog.EditedBlock(), reset);
    EXPECT_FALSE(FindControl<QCheckBox>(dialog, CChannel_ColorPropDlg::kEnableCheck)->isChecked());
    ExpectShown<CStaticColorSel>(dialog, {{1017, 0x0000FF}, {1028, 0xFFFFFF}, {1029, 0x808080}});
}

TEST_F(ColorPropertyDialogTest, OverviewAnswersWithItsOwnWindowAndResetGivesTheDefaults) {
    DialogAnswers<OverviewWindowColors> requester(UM_COLOR_SELECTED);
    const OverviewWindowColors block{0x01, 0x02, 0x03, 0x04, 0, 0};
    CLapOverView_WndProp dialog(requester.Handle(), block, nullptr);
    ExpectShown<CStaticColorSel>(dialog, {{1028, 0x01}, {1029, 0x02}, {1032, 0x03}, {1035, 0x04}});
    Report(dialog, 1035, 0x04);
    Click(dialog, CLapOverView_WndProp::kReset);
    EXPECT_TRUE(FindControl<QCheckBox>(dialog, CLapOverView_WndProp::kGridCheck)->isChecked());
    Click(dialog, CLapOverView_WndProp::kOk);
    ASSERT_EQ(requester.Answers().size(), 1u);
    EXPECT_EQ(requester.Answers()[0].block, settings::kOverviewWindowDefaults);
    EXPECT_EQ(requester.Answers()[0].lParam, static_cast<LParam>(dialog.Handle()));
}
