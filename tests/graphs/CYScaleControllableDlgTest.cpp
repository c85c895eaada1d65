// The Y-scale dialog and its ruler: thumbs snap and stay ordered, the new
// limits go to the main frame as (maximum, minimum), "Save" writes one
// channel, and closing reports the end.
#include "GraphTestHost.h"

#include "graphs/CChannelGraph.h"
#include "graphs/CLScaleView.h"
#include "graphs/CRuler_SliderCtrl.h"
#include "graphs/CYScaleControllableDlg.h"

#include "platform/MessageBox.h"
#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"
#include "settings/SettingsDefaults.h"

#include <QComboBox>
#include <QPushButton>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace platform;

namespace {

class CYScaleControllableDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Settings().Store().CreateSettingsKeys();
        // The served window shows RPM and Speed; its scale pane shows the channel set here.
        lapOverview.On(UM_CHANNEL_VIEW_INFO, [this](const Message& m) {
            WindowFromHandle<CYScaleControllableDlg>(m.wParam)->TakeChannelViewInfo(rows, 0x3);
            return LResult{1};
        });
        host.mainFrame.On(UM_SAVE_CHANNEL_MAX_VALUE, [this](const Message&) { return LResult{saveAnswer}; });
    }
    // A Y scale pane of the channel.
    std::unique_ptr<CLScaleView> ScalePane(int channel) {
        auto pane = std::make_unique<CLScaleView>(host);
        pane->SetMode(CLScaleView::kYScale);
        pane->SetChannel(channel);
        return pane;
    }
    std::unique_ptr<CYScaleControllableDlg> Open(const CLScaleView& pane) {
        auto dialog = std::make_unique<CYScaleControllableDlg>(nullptr, host.MainFrame(), host.Settings(), host.Core());
        const int channel = dialog->ChannelOf(pane.Handle());
        dialog->Bind(pane.Handle(), lapOverview.Handle(), channel);
        dialog->show();
        QCoreApplication::processEvents();
        return dialog;
    }
    // A move with the button held, delivered at exactly that point.
    static void MoveHeld(QWidget& widget, QPoint to) {
        QMouseEvent move(QEvent::MouseMove, to, widget.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&widget, &move);
    }
    static void Drag(CRuler_SliderCtrl& ruler, int from, int to) {
        const int x = ruler.width() - 4;
        QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(x, from));
        MoveHeld(ruler, QPoint(x, to));
        QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(x, to));
        TheMessageBus().ProcessPosted();
    }
    std::vector<SpiedMessage> ToFrame(const MessageSpy& spy, std::uint32_t id) const {
        return spy.Of(SpiedMessage::Kind::Posted, host.MainFrame(), id);
    }

    graphtest::TestGraphHost host;
    MessageWindow lapOverview;
    std::unique_ptr<CLScaleView> scalePane = ScalePane(2);
    int rows = 2;
    LResult saveAnswer = 1;
    MessageBoxRecorder boxes;
};

TEST_F(CYScaleControllableDlgTest, ThumbsSnapToTheStepStayOrderedAndPostMaximumThenMinimum) {
    auto dialog = Open(*scalePane);
    EXPECT_FALSE(dialog->Ruler().ToolTipShown());  // no empty tip before a drag
    EXPECT_EQ(dialog->Combo().count(), 2);
    EXPECT_EQ(dialog->Combo().currentData().toInt(), 2);  // the pane's channel: Speed, 0 to 400 in steps of 20
    CRuler_SliderCtrl& ruler = dialog->Ruler();
    ASSERT_EQ(dialog->DisplayedMax(), 400);

    MessageSpy spy;
    // A release between two steps goes down to the lower step (high) or up to the next (low).
    Drag(ruler, ruler.HighPosition(), ruler.PositionOf(255));
    EXPECT_EQ(std::make_pair(ruler.High(), ruler.HighPosition()), std::make_pair(240, ruler.PositionOf(240)));
    Drag(ruler, ruler.LowPosition(), ruler.PositionOf(33));
    EXPECT_EQ(ruler.Low(), 40);
    // The high thumb dragged below the low one stops short of it.
    Drag(ruler, ruler.HighPosition(), ruler.PositionOf(10));
    EXPECT_GE(ruler.High(), ruler.Low() + 20);
    const auto posted = ToFrame(spy, UM_SET_VARIABLE_SCALE_CONTROL_VALUE);
    ASSERT_EQ(posted.size(), 3u);
    EXPECT_EQ(posted[0].wParam, 2u);
    EXPECT_EQ(std::make_pair(posted[0].lParam, posted[1].lParam), std::make_pair(MakeLong(240, 0), MakeLong(240, 40)));
    EXPECT_GE(LoWordSigned(posted[2].lParam), HiWordSigned(posted[2].lParam));
    EXPECT_FALSE(ruler.ToolTipShown());

    // The picture: the red thumbs over the green span.
    const QImage& picture = ruler.Picture();
    const int x = ruler.width() - 4;
    EXPECT_EQ(picture.pixel(x, ruler.HighPosition()), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(x, (ruler.HighPosition() + ruler.LowPosition()) / 2), qRgb(0, 255, 0));
    EXPECT_NE(picture.pixel(x, ruler.HighPosition() - 8), qRgb(0, 255, 0));
}

// Thumbs under the pointer together: the first move's direction picks the one that moves.
TEST_F(CYScaleControllableDlgTest, ThumbsPressedTogetherMoveTheOneTheFirstMoveHeadsFor) {
    CRuler_SliderCtrl ruler(true, nullptr);
    ruler.resize(84, 240);
    ruler.SetNotify(host.MainFrame());
    ruler.SetRange(500, 510, 10, 1000, 0);
    ASSERT_LE(std::abs(ruler.HighPosition() - ruler.LowPosition()), CRuler_SliderCtrl::kGrabDistance);
    Drag(ruler, ruler.HighPosition(), ruler.PositionOf(295));
    EXPECT_EQ(std::make_pair(ruler.Low(), ruler.High()), std::make_pair(300, 510));
    ruler.SetRange(500, 510, 10, 1000, 0);
    Drag(ruler, ruler.LowPosition(), ruler.PositionOf(805));
    EXPECT_EQ(std::make_pair(ruler.Low(), ruler.High()), std::make_pair(500, 800));
}

// "G Horiz." and "G Vert." count whole units on a scale labelled in tenths: the tip reads the
// place the thumb stands on as the labels do.
TEST_F(CYScaleControllableDlgTest, TheGRulersTipReadsTheValueOfTheLabelTheThumbStandsBy) {
    CRuler_SliderCtrl ruler(true, nullptr);
    ruler.resize(84, 240);
    ruler.SetInverted(true);
    ruler.SetRange(0, 5, 1, 5, 0);
    ruler.SetTicks({}, true);
    const int x = ruler.width() - 4;
    QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(x, ruler.HighPosition()));
    for (double value : {4.0, 2.0}) {
        MoveHeld(ruler, QPoint(x, ruler.PositionOf(value)));
        EXPECT_EQ(ruler.ToolTipText(), QString::asprintf("%1.1f", value));
    }
    QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(x, ruler.PositionOf(2.0)));
    EXPECT_FALSE(ruler.ToolTipShown());
}

// The preview takes the scale pane's band: its offsets and, for its own channel, its limits.
TEST_F(CYScaleControllableDlgTest, ThePreviewStandsInTheScalePanesBand) {
    const double plain = Open(*scalePane)->Graph().PixelsPerUnit();
    graphs::ChannelRange range;
    range.channel = 2;
    range.bottomOffset = 40;
    range.topMargin = 20;
    scalePane->SetChannelRange(range);
    EXPECT_DOUBLE_EQ(Open(*scalePane)->Graph().PixelsPerUnit(), plain * 180 / 240);
}

TEST_F(CYScaleControllableDlgTest, SaveWritesTheChannelAndAMoveEnablesItAgain) {
    auto dialog = Open(*scalePane);
    QPushButton& save = dialog->SaveButton();
    EXPECT_FALSE(save.isEnabled());
    CRuler_SliderCtrl& ruler = dialog->Ruler();
    Drag(ruler, ruler.HighPosition(), ruler.PositionOf(300));
    EXPECT_TRUE(save.isEnabled());

    saveAnswer = 0;  // the frame could not write it
    QTest::mouseClick(&save, Qt::LeftButton);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text + boxes.Shown()[0].caption, "ERROR , failed save dataOK");
    EXPECT_EQ(boxes.Shown()[0].flags, kMbIconError);
    EXPECT_EQ(dialog->StateOf(2), CYScaleControllableDlg::kChanged);

    saveAnswer = 1;
    QTest::mouseClick(&save, Qt::LeftButton);
    EXPECT_FALSE(save.isEnabled());
    EXPECT_EQ(host.Settings().Channels().ChannelValueTable()[1].currentMax, 300);
    Drag(ruler, ruler.HighPosition(), ruler.PositionOf(200));
    EXPECT_TRUE(save.isEnabled());
}

TEST_F(CYScaleControllableDlgTest, OwnersThatGoAwayLeaveItAsItWasAndClosingReportsTheEnd) {
    auto dialog = Open(*scalePane);
    dialog->move(120, 90);
    // The served window rebuilds its rows: the pane it asked is gone.
    scalePane.reset();
    SendMessage(dialog->Handle(), UM_ACTIVATE_LAP_OVERVIEW_WINDOW, 0, 0);
    SendMessage(dialog->Handle(), UM_ACTIVATE_LAP_OVERVIEW_WINDOW, 1, 0);
    EXPECT_EQ(dialog->Channel(), 1);
    EXPECT_EQ(dialog->Combo().currentText(), dialog->Combo().itemText(0));
    EXPECT_EQ(dialog->ChannelOf(0x9999), 0);  // no such pane

    MessageSpy spy;
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    const auto ended = ToFrame(spy, UM_POPUP_VARIABLE_Y_SCALE_DIALOG);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(std::make_pair(ended[0].wParam, ended[0].lParam), std::make_pair(WParam{0}, MakeLong(1, 0)));
    WindowPlacement written;
    ASSERT_EQ(host.Settings().LoadScaleControlWndPlace(&written), 0);
    EXPECT_EQ(QPoint(written.normalLeft, written.normalTop), QPoint(120, 90));
    dialog.reset();  // deleting it reports nothing more
    EXPECT_EQ(ToFrame(spy, UM_POPUP_VARIABLE_Y_SCALE_DIALOG).size(), 1u);

    auto again = Open(*ScalePane(2));  // placed where the last one was
    EXPECT_EQ(again->pos(), QPoint(120, 90));
}

}  // namespace
