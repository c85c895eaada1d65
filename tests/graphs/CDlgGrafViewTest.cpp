// The graph pane as a window: its picture pixel by pixel (grid, traces over
// it, title place, fills), and the cursor a press, a drag and the keys move.
#include "graphs/CDlgGrafView.h"

#include "GraphTestHost.h"

#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"

#include <QTest>

#include <set>

#include <gtest/gtest.h>

namespace {

using namespace platform;

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGrid = 0xFF404040;
constexpr OverviewWindowColors kBlackColors{0x000000, 0x808080, 0x00FFFF, 0x404040, 1, 1};

// A lap of samples every `step` metres up to `distance`, every one 1/10 s
// after the one before, all in gear `gear`, closed by a lap-end sample.
orvelo::Lap GearLap(std::uint32_t distance, std::uint32_t step, std::uint32_t gear, std::uint32_t number) {
    orvelo::Lap lap;
    lap.lapNumber = number;
    for (std::uint32_t d = 0; d <= distance; d += step)
        lap.positions.push_back(orvelo::PositionRec{.time = 10 * (d / step), .runningDistance = d, .gear = gear});
    orvelo::PositionRec end = lap.positions.back();
    end.lapEndMark = orvelo::kLapEndMark;
    lap.positions.push_back(end);
    lap.distance = distance;
    lap.lapTime = lap.positions.back().time;
    return lap;
}

class CDlgGrafViewTest : public ::testing::Test {
protected:
    // One file of the laps; the first `compared` of them compared in order.
    void LoadLaps(std::vector<orvelo::Lap> laps, int compared) {
        orvelo::LogFile file;
        file.fileId = host.Core().TakeNextFileId();
        file.fullPath = u"/tmp/gear.log";
        for (orvelo::Lap& lap : laps)
            file.laps.push_back(std::move(lap));
        file.laps[0].baseLapMark = 1;
        host.Core().LogFiles.push_back(file);
        for (int row = 0; row < compared; ++row)
            host.Core().SelectedLaps[static_cast<std::size_t>(row)] = {
                {orvelo::FileSet::Log, file.fileId, row}, 0, 1, static_cast<std::int32_t>(row + 1), file.fullPath};
    }
    // A shown lap-overlay pane of the channel, w x h, with the colours.
    std::unique_ptr<CDlgGrafView> Pane(int channel, int width, int height, const OverviewWindowColors& colors) {
        auto pane = std::make_unique<CDlgGrafView>(nullptr, host, GraphPaneData::kLapOverlay, 0, channel, owner.Handle());
        pane->resize(width, height);
        pane->show();
        pane->SetChannelRange({0, 0, 0, channel, 0, 0, 0, 0.0f});
        pane->SetOverviewColors(colors);
        pane->SetDataFlag(true);
        pane->Redraw();
        return pane;
    }

    graphtest::TestGraphHost host;
    MessageWindow owner;
};

// Gear over 800 m in 200 x 128: 16 pixels a gear, a point every 2 pixels.
TEST_F(CDlgGrafViewTest, DrawsTheTraceOverTheGridPixelByPixel) {
    LoadLaps({GearLap(800, 8, 3, 1)}, 1);
    const auto pane = Pane(12, 200, 128, kBlackColors);
    const QImage& image = pane->Picture();
    const std::set<int> columns{12, 25, 37, 50, 62, 75, 87, 100, 112, 125, 137, 150, 162, 175, 187};
    const std::set<int> rows{112, 96, 80, 64, 48, 32, 16, 0};
    int wrong = 0;
    for (int y = 20; y < 128; ++y) { // below the title
        for (int x = 0; x < 200; ++x) {
            const QRgb expected = y == 80 ? kRed : (columns.count(x) || rows.count(y)) ? kGrid : kBlack;
            wrong += image.pixel(x, y) != expected;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(pane->Title(), QStringLiteral("Gear"));
}

} // namespace
