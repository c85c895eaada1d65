// The logging-time window: its rows, clock cells, size, sorting and how it ends.
#include "ShellHarness.h"

#include "shell/CClockTimeDlg.h"
#include "shell/CListViewLogTime.h"

#include "core/LapDataCore.h"
#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace platform;

namespace {

class CClockTimeDlgTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.Start()); }

    // Files 7 and 8 ("run A.log", "run B.log") with laps 1 to 3 of one position record each; a slot
    // compares lap index i of one.
    void Compare(std::size_t slot, std::uint32_t fileId, int lapIndex, orvelo::COLORREF colour, int active = 1) {
        orvelo::LapDataCore& core = h.Core();
        const std::u16string path = fileId == 7 ? u"/data/run A.log" : u"/data/run B.log";
        if (fileId != 9 && !core.FindFile(orvelo::FileSet::Log, fileId)) {
            core.LogFiles.push_back({});
            core.LogFiles.back().fileId = fileId;
            core.LogFiles.back().fullPath = path;
            for (std::uint32_t n = 1; n <= 3; ++n) {
                orvelo::Lap& lap = core.LogFiles.back().laps.emplace_back();
                lap.lapNumber = n;
                lap.positions.emplace_back();
            }
        }
        core.SelectedLaps.resize(std::max(core.SelectedLaps.size(), slot + 1));
        core.SelectedLaps[slot] = {{orvelo::FileSet::Log, fileId, lapIndex}, colour, active, lapIndex + 1, path};
    }
    static QStringList Column(CListViewLogTime& list, int column) {
        QStringList texts;
        for (int row = 0; row < list.topLevelItemCount(); ++row)
            texts << list.topLevelItem(row)->text(column);
        return texts;
    }

    ShellHarness h;
};

TEST_F(CClockTimeDlgTest, RowsAreTheResolvedActiveSlotsAndTheWindowFitsThem) {
    h.Frame().OnLoggingTime();
    auto* window = dynamic_cast<CClockTimeDlg*>(h.Frame().LoggingTimeWindow());
    ASSERT_NE(window, nullptr);
    CListViewLogTime& list = window->List();
    EXPECT_EQ(list.topLevelItemCount(), 0);
    const int header = list.header()->sizeHint().height() + list.horizontalScrollBar()->sizeHint().height();
    EXPECT_EQ(window->size(), QSize(150, 22 * 3 + header));  // nothing compared: three rows high

    Compare(0, 7, 1, 0x0000FF);
    Compare(1, 8, 1, 0x00FF00);
    Compare(2, 8, 2, 0x000080, 0);  // a cleared overlay keeps its lap: no row
    Compare(3, 9, 0, 0xFFFF00);     // a file that is gone: no row
    Compare(4, 7, 2, 0xFF00FF);
    Compare(5, 8, 0, 0x800080);
    SendMessage(window->Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    EXPECT_EQ(Column(list, 0), (QStringList{"2", "2", "3", "1"}));
    EXPECT_EQ(Column(list, 2), (QStringList{"run A.log", "run B.log", "run A.log", "run B.log"}));
    EXPECT_EQ(Column(list, 1), QStringList(4, "00:00:00"));
    EXPECT_EQ(list.topLevelItem(1)->foreground(0).color(), QColor(0, 255, 0));  // the slot's colour
    EXPECT_EQ(window->size(), QSize(150, 22 * 4 + header));

    window->show();
    QCoreApplication::processEvents();
    QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect second = list.visualItemRect(list.topLevelItem(1)).translated(list.viewport()->mapTo(window, QPoint()));
    EXPECT_EQ(second.height(), 22);
    EXPECT_EQ(shot.pixel(second.left() + 40, second.center().y()), qRgb(0xFA, 0xFA, 0xFA));

    // The row of the record's compared lap takes it, though two laps share a number; a clock that does
    // not fit six digits, or a lap that is not in that row, changes nothing.
    const struct { int row; int lap; int clock; QString first; QString second; } cases[] = {
        {0, 2, 93105, "09:31:05", "00:00:00"},
        {1, 2, 101112, "09:31:05", "10:11:12"},
        {0, 2, 1234567, "09:31:05", "10:11:12"},
        {0, 2, -5, "09:31:05", "10:11:12"},
        {0, 9, 120000, "09:31:05", "10:11:12"},
        {1, 3, 120000, "09:31:05", "10:11:12"},
    };
    for (const auto& c : cases) {
        GraphPoint point;
        point.words[6] = c.row;
        point.words[11] = c.lap;
        point.words[14] = c.clock;
        SendMessage(window->Handle(), UM_PUT_LOGGING_TIME, 0, reinterpret_cast<LParam>(&point));
        EXPECT_EQ(list.topLevelItem(0)->text(1), c.first) << c.clock;
        EXPECT_EQ(list.topLevelItem(1)->text(1), c.second) << c.clock;
    }

    // A column click sorts by its text, the next click the other way.
    QHeaderView* columns = list.header();
    for (const QStringList& order : {QStringList{"1", "2", "2", "3"}, QStringList{"3", "2", "2", "1"}}) {
        QTest::mouseClick(columns->viewport(), Qt::LeftButton, {}, QPoint(columns->sectionPosition(0) + 5, 5));
        EXPECT_EQ(Column(list, 0), order);
    }
    // Sorted, the rows still take the records of their compared laps.
    GraphPoint last;
    last.words[6] = 3;
    last.words[11] = 1;
    last.words[14] = 235959;
    SendMessage(window->Handle(), UM_PUT_LOGGING_TIME, 0, reinterpret_cast<LParam>(&last));
    EXPECT_EQ(Column(list, 1), (QStringList{"00:00:00", "09:31:05", "10:11:12", "23:59:59"}));
}

}  // namespace
