// "Channel list": the mask it opens with, the refused ninth channel, "All
// check" and what OK and Cancel tell the window that opened it.
#include "graphs/CChannel_Ctl_Dlg.h"

#include "GraphTestHost.h"

#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "platform/MessageSpy.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace platform;

using Posted = std::pair<WParam, LParam>;

struct ChannelList {
    explicit ChannelList(std::uint32_t mask) : dialog(owner.Handle(), mask, host.Settings().Channels()) {
        owner.OnAny([](const Message&) { return LResult{0}; });
        list = FindControl<QListWidget>(dialog, CChannel_Ctl_Dlg::kList);
    }
    void Click(int id) { FindControl<QPushButton>(dialog, id)->click(); }
    void Check(int row, bool on) { list->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked); }
    std::vector<Posted> Answers() {
        TheMessageBus().ProcessPosted();
        std::vector<Posted> answers;
        for (const SpiedMessage& m : spy.Of(SpiedMessage::Kind::Delivered, owner.Handle(), UM_RESET_CHANNEL_VIEW))
            answers.push_back({m.wParam, m.lParam});
        return answers;
    }

    graphtest::TestGraphHost host;
    MessageSpy spy;
    MessageWindow owner;
    CChannel_Ctl_Dlg dialog;
    QListWidget* list = nullptr;
};

TEST(CChannel_Ctl_DlgTest, OpensOnTheMaskAndRefusesANinthChannelByClick) {
    MessageBoxRecorder boxes;
    ChannelList c(0x3);
    ASSERT_EQ(std::make_pair(c.list->count(), c.list->item(4)->text()), std::make_pair(18, QString("Press.1")));
    EXPECT_EQ(std::make_pair(c.dialog.CheckedMask(), c.dialog.CheckedCount()), std::make_pair(0x3u, 2));
    for (int row = 2; row < 8; ++row)
        c.Check(row, true);
    c.Check(8, true);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(std::make_tuple(boxes.Shown()[0].text, boxes.Shown()[0].caption, boxes.Shown()[0].flags),
              std::make_tuple(QString("Warning , you choose more than 8 channels."), QString("OK"), 0x30u));
    EXPECT_EQ(std::make_pair(c.list->item(8)->checkState(), c.dialog.CheckedCount()), std::make_pair(Qt::Unchecked, 8));
    // One unchecked makes room again.
    c.Check(0, false);
    c.Check(8, true);
    EXPECT_EQ(boxes.Shown().size(), 1u);
    c.Click(CChannel_Ctl_Dlg::kOk);
    EXPECT_EQ(std::make_pair(c.Answers(), c.dialog.result()), std::make_pair(std::vector<Posted>{{8, 0x1FE}}, 1));
}

TEST(CChannel_Ctl_DlgTest, AllCheckTakesEveryChannelAndAnEmptyChoiceIsRpmAndSpeed) {
    for (int presses : {1, 2}) {
        ChannelList c(0x41);
        for (int i = 0; i < presses; ++i)
            c.Click(CChannel_Ctl_Dlg::kAllCheck);
        c.Click(CChannel_Ctl_Dlg::kOk);
        EXPECT_EQ(c.Answers(), presses == 1 ? (std::vector<Posted>{{18, 0x3FFFF}}) : (std::vector<Posted>{{2, 0x3}}));
    }
    ChannelList cancelled(0x3);
    cancelled.Check(5, true);
    cancelled.Click(CChannel_Ctl_Dlg::kCancel);
    EXPECT_TRUE(cancelled.Answers().empty());
    EXPECT_EQ(cancelled.dialog.result(), QDialog::Rejected);
}

// Return answers OK with the choice as it is, whether the list or "All check" has the focus.
TEST(CChannel_Ctl_DlgTest, ReturnPressesOkWhereverTheFocusIs) {
    for (const int focused : {CChannel_Ctl_Dlg::kList, CChannel_Ctl_Dlg::kAllCheck}) {
        ChannelList c(0x41);
        c.dialog.show();
        QWidget* target = FindControl<QWidget>(c.dialog, focused);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_EQ(std::make_pair(c.Answers(), c.dialog.result()), std::make_pair(std::vector<Posted>{{2, 0x41}}, 1))
            << focused;
    }
}

} // namespace
