// The file overview window: its place in the view, the layout of its panes,
// the file menu, the channel bands, moving and sizing by the client area,
// the zoom band, closing and its saved record.
#include "GraphTestHost.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CFileOverviewGlaphDlg.h"
#include "graphs/CLScaleView.h"
#include "graphs/CxSplitterWnd.h"

#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/MessageSpy.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"
#include "settings/SettingsDefaults.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMdiArea>
#include <QtEndian>

#include <tuple>
#include <QMouseEvent>

#include <gtest/gtest.h>

using namespace platform;

namespace {

class CFileOverviewGlaphDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Settings().Store().CreateSettingsKeys();
        area.resize(1000, 600);
        area.show();
        view.OnAny([](const Message&) { return LResult{1}; });
        first = host.Load(QStringLiteral("first.log"), 3, 1);
        second = host.Load(QStringLiteral("second.log"), 2, 2);
        host.SetBase(first, 2);
    }
    CFileOverviewGlaphDlg* Open(int slot = 1, bool restored = false) {
        auto* window = new CFileOverviewGlaphDlg(host, &area, view.Handle(), 3, slot, restored);
        const QRect place = window->geometry();
        area.addSubWindow(window);
        window->setGeometry(place);
        window->show();
        QCoreApplication::processEvents();
        return window;
    }
    static void Mouse(QWidget& widget, QEvent::Type type, QPoint at) {
        QMouseEvent event(type, at, widget.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        QCoreApplication::sendEvent(&widget, &event);
    }

    graphtest::TestGraphHost host;
    QMdiArea area;
    MessageWindow view;
    std::u16string first;
    std::u16string second;
    MessageBoxRecorder boxes;
};

TEST_F(CFileOverviewGlaphDlgTest, ItStandsInItsSlotWithThePanesRightOfTheirScales) {
    const struct { QSize view; int slot; QRect place; } cases[] = {
        {{1000, 600}, 1, {10, 380, 990, 200}}, {{1000, 600}, 2, {20, 360, 980, 200}}, {{800, 300}, 3, {30, 140, 770, 100}}};
    for (const auto& c : cases)
        EXPECT_EQ(CFileOverviewGlaphDlg::StartPlacement(c.view, c.slot), c.place) << c.slot;
    // Channels past 14 take channel 14's band; the others theirs.
    const struct { int channel; std::uint32_t offset; std::uint32_t margin; } ranges[] = {
        {1, 0, 0}, {3, 10, 10}, {6, 10, 10}, {8, 0, 40}, {10, 0, 10}, {13, 0, 20}, {14, 0, 0}, {16, 0, 0}, {18, 0, 0}};
    for (const auto& r : ranges) {
        const graphs::ChannelRange range = CFileOverviewGlaphDlg::RangeOf(r.channel);
        EXPECT_EQ(std::make_tuple(range.bottomOffset, range.topMargin, range.channel),
                  std::make_tuple(r.offset, r.margin, r.channel));
    }

    CFileOverviewGlaphDlg* window = Open();
    EXPECT_EQ(window->geometry(), QRect(10, 380, 990, 200));
    EXPECT_EQ(CFileOverviewGlaphDlg::SplitterRect(window->size()), QRect(QPoint(55, 12), QPoint(962, 174)));
    EXPECT_EQ(window->UpperPane()->mapTo(window, QPoint()), QPoint(55, 12));
    EXPECT_EQ(window->FileName(), "first");  // the base lap's file
    EXPECT_GT(window->UpperPane()->height(), 8 * window->LowerPane()->height());
    // The laps end to end, each end marked by a line down the pane.
    const QImage& picture = window->UpperPane()->Picture();
    int markColumns = 0;
    for (int x = 0; x < picture.width(); ++x)
        markColumns += picture.pixel(x, picture.height() / 2) == ToQColor(CDlgGrafView::kLapMarkColor).rgb() ? 1 : 0;
    EXPECT_EQ(markColumns, 3);

    // Channels 1 and 16: each in its slot, 16 with channel 14's band.
    SendMessage(window->Handle(), UM_RESET_CHANNEL_VIEW, 2, (1 << 0) | (1 << 15));
    const GraphPaneData& pane = window->UpperPane()->Data();
    EXPECT_EQ(std::make_pair(pane.RangeSlot(0).channel, pane.RangeSlot(13).channel), std::make_pair(1, 16));
}

TEST_F(CFileOverviewGlaphDlgTest, TheMenuListsTheFilesAndSwitchesToTheOneChosen) {
    CFileOverviewGlaphDlg* window = Open();
    PopupMenuScript menus;
    menus.QueueChoice(QStringLiteral("second"));
    window->ShowFileMenu(QPoint());
    EXPECT_EQ(menus.Shown().at(0), (QStringList{"View File Select", "Channel select", "Close window(X)"}));
    EXPECT_EQ(window->FileMenuTitles(), (QStringList{"first", "second"}));
    EXPECT_EQ(window->UpperPane()->Data().FilePath(), second);

    window->OnCommand(CFileOverviewGlaphDlg::kFirstFileItem + 5);  // no such item
    window->OnCommand(CFileOverviewGlaphDlg::kLastFileItem + 1);  // beyond the file items: nothing
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Unmach menu id be selected.");

    host.Core().LogFiles.clear();  // the file is gone: the name goes at the next redraw
    SendMessage(window->Handle(), UM_REDRAW_LAP_GRAPH, 1, 0);
    EXPECT_EQ(window->FileName(), "");
    menus.QueueChoice(QString());
    window->ShowFileMenu(QPoint());
    EXPECT_TRUE(window->FileMenuTitles().isEmpty());
}

TEST_F(CFileOverviewGlaphDlgTest, ItIsMovedByItsClientAreaAndSizedByItsEdges) {
    CFileOverviewGlaphDlg* window = Open();
    QWidget& client = *window->widget();
    Mouse(client, QEvent::MouseButtonPress, {200, 6});
    Mouse(client, QEvent::MouseMove, {230, 26});
    Mouse(client, QEvent::MouseButtonRelease, {230, 26});
    EXPECT_EQ(window->geometry(), QRect(40, 400, 990, 200));
    Mouse(client, QEvent::MouseButtonPress, {988, 100});  // on the right edge
    Mouse(client, QEvent::MouseMove, {948, 100});
    Mouse(client, QEvent::MouseButtonRelease, {948, 100});
    EXPECT_EQ(window->geometry(), QRect(40, 400, 950, 200));
    EXPECT_EQ(window->UpperPane()->mapTo(window, QPoint()).x(), CFileOverviewGlaphDlg::SplitterRect({950, 200}).left());
}

// As narrow as a work area beside the docked panes makes it, the scale column widens to its labels
// and the pane moves right with it; a wide one keeps the rule's column (above).
TEST_F(CFileOverviewGlaphDlgTest, ANarrowWindowsScaleLabelsShowWhole) {
    CFileOverviewGlaphDlg* window = Open();
    window->setGeometry(10, 380, 517, 200);
    QCoreApplication::processEvents();
    const CLScaleView& scale = *window->UpperScale();
    const QFontMetrics metrics(scale.LabelFont());
    ASSERT_FALSE(scale.YLabels().empty());
    for (const QString& label : scale.YLabels())
        EXPECT_LE(metrics.horizontalAdvance(label) - metrics.tightBoundingRect(label).left(), scale.width() - 12)
            << label.toStdString();
    EXPECT_GT(window->UpperPane()->mapTo(window, QPoint()).x(), CFileOverviewGlaphDlg::SplitterRect({517, 200}).left());
    EXPECT_EQ(window->LowerPane()->mapTo(window, QPoint()).x(), window->UpperPane()->mapTo(window, QPoint()).x());
}

TEST_F(CFileOverviewGlaphDlgTest, TheZoomBecomesABandAndTheRecordBringsTheWindowBack) {
    CFileOverviewGlaphDlg* window = Open();
    EXPECT_FALSE(window->UpperPane()->ZoomBand());
    const int length = static_cast<int>(host.LapOf(first, 2).distance);
    for (int mode : {0, 1}) {
        SendMessage(window->Handle(), UM_RESET_X_SCALE_VARIABLE, static_cast<WParam>(mode), 0);
        SendMessage(window->Handle(), UM_ZOOM_CONTROL, static_cast<WParam>(mode == 0 ? length / 2 : 2000), 0);
        TheMessageBus().ProcessPosted();
        window->UpperPane()->Picture();
        const auto band = window->UpperPane()->ZoomBand();
        ASSERT_TRUE(band) << mode;
        EXPECT_LT(band->first, band->second);
    }
    // Its file closed, the grey pane shows no band, nor after a zoom told to it then.
    host.Core().LogFiles.clear();
    SendMessage(window->Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    window->UpperPane()->Picture();
    EXPECT_FALSE(window->UpperPane()->ZoomBand());
    SendMessage(window->Handle(), UM_ZOOM_CONTROL, 2000, 0);
    TheMessageBus().ProcessPosted();
    window->UpperPane()->Picture();
    EXPECT_FALSE(window->UpperPane()->ZoomBand());

    SendMessage(window->Handle(), UM_RESET_CHANNEL_VIEW, 2, 0x5);
    window->move(70, 60);
    ASSERT_EQ(SendMessage(window->Handle(), UM_REGISTER_WND_PROPERTY, 1, 3), 0);
    const QByteArray bytes = host.Settings().UserRegistry().QueryValue(settings::SubKeyPath(settings::kWindowViewInfo),
                                                                  QStringLiteral("WorkArea_Window_Prop_3_1"))->data;
    ASSERT_EQ(bytes.size(), 40);
    const auto word = [&](int at) { return qFromLittleEndian<std::int32_t>(bytes.constData() + at); };
    EXPECT_EQ((std::vector<int>{word(0), word(4), word(8), word(12), word(16), word(28), word(32), word(36)}),
              (std::vector<int>{1, 3, 1, 70, 60, 0x5, 2, 0}));

    MessageSpy spy;
    window->OnCommand(CFileOverviewGlaphDlg::kCloseWindow);
    const auto closed = spy.Of(SpiedMessage::Kind::Posted, view.Handle(), UM_PLOT_GRAPH_CLOSED);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(std::make_pair(closed[0].wParam, closed[0].lParam), std::make_pair(WParam{1}, LParam{1}));
}

}  // namespace
