// The lap overview's rows drawn side by side on the thread pool, again and
// again while the compared laps, the zoom and the window's size change: each
// time they give the pictures the same rows give drawn one after another.
#include "ProgramHarness.h"

#include "shell/LapListTestSupport.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CLapOverviewDlg.h"

#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/ColorRef.h"
#include "platform/UserMessages.h"
#include "tools/SampleSession.h"

#include <QMdiArea>
#include <QThreadPool>

#include <random>

#include <gtest/gtest.h>

namespace {

using namespace platform;

// How many threads the global pool lends, for one scope.
class PoolThreads {
public:
    PoolThreads() : m_was(QThreadPool::globalInstance()->maxThreadCount()) {}
    ~PoolThreads() { Set(m_was); }
    static void Set(int threads) { QThreadPool::globalInstance()->setMaxThreadCount(threads); }

private:
    int m_was;
};

// Every row drawn again (with up to `threads` rows at a time), its picture.
std::vector<QImage> RowPictures(const CLapOverviewDlg& window, int threads) {
    PoolThreads::Set(threads);
    for (int row = 0; row < window.RowCount(); ++row)
        window.RowAt(row).graph->Redraw();
    std::vector<QImage> pictures;
    for (int row = 0; row < window.RowCount(); ++row)
        pictures.push_back(window.RowAt(row).graph->Picture());
    return pictures;
}

std::string FirstDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return "sizes differ";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return {};
}

TEST(LapOverviewSideBySideTest, EightRowsDrawnSideBySideEqualTheRowsDrawnOneAfterAnother) {
    constexpr std::uint32_t kEightChannels = 0x1 | 0x2 | 0x4 | 0x8 | 0x40 | 0x80 | 0x200 | 0x800;
    constexpr int kRounds = 60;
    testsupport::SessionDir files;
    std::vector<std::u16string> paths;
    for (std::uint64_t seed : {11u, 12u}) {
        samplegen::SessionOptions options;
        options.laps = 4;
        options.seed = seed;
        const QString name = QStringLiteral("session-%1.dat").arg(seed);
        paths.push_back(files.WriteBytes(name, samplegen::GenerateSession(options).bytes).toStdU16String());
    }
    ProgramHarness h;
    ASSERT_TRUE(h.Start());
    PoolThreads pool;
    h.Frame().resize(1280, 900);
    ASSERT_EQ(testsupport::LoadLogs(h.Core(), {QString::fromStdU16String(paths[0]), QString::fromStdU16String(paths[1])}),
              0);
    const auto number = [](int lap) { return orvelo::FormatLapNumber(static_cast<std::uint32_t>(lap)); };
    orvelo::SetBaseLap(h.Core(), paths[0], number(1));
    orvelo::ToggleOverlayLap(h.Core(), paths[1], number(2));
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    CLapOverviewDlg* window = h.OpenLapOverview();
    ASSERT_TRUE(window);
    const QWidget& view = *window->mdiArea();
    PostMessage(window->Handle(), UM_RESET_CHANNEL_VIEW, 8, kEightChannels);
    Drain();
    ASSERT_EQ(window->RowCount(), 8);

    std::mt19937 random(20240607);
    const auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int drawnRounds = 0;
    for (int round = 0; round < kRounds; ++round) {
        switch (below(3)) {
        case 0: // another lap compared or left out, now and then another base lap
            if (below(4) == 0)
                orvelo::SetBaseLap(h.Core(), paths[static_cast<std::size_t>(below(2))], number(1 + below(4)));
            else
                orvelo::ToggleOverlayLap(h.Core(), paths[static_cast<std::size_t>(below(2))], number(1 + below(4)));
            PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
            break;
        case 1: // a zoom step in or out about a point of the full span
            PostMessage(window->Handle(), UM_ZOOM_CONTROL, static_cast<WParam>(below(std::max(window->FullSpan(), 1))),
                        below(3) == 0 ? 1 : 0);
            break;
        default:
            window->resize(300 + below(view.width() - 300), 200 + below(view.height() - 200));
            break;
        }
        Drain();
        const std::vector<QImage> sideBySide = RowPictures(*window, 8);
        const std::vector<QImage> serial = RowPictures(*window, 1);
        ASSERT_EQ(sideBySide.size(), serial.size());
        for (std::size_t row = 0; row < serial.size(); ++row)
            EXPECT_EQ(FirstDifference(sideBySide[row], serial[row]), "") << "round " << round << ", row " << row;
        // Rounds whose RPM row shows the base lap, so that there was something to draw side by side.
        const QRgb base = ToQColor(h.Settings().Colors().ChannelLapColor(h.Core(), 1, 0)).rgb();
        int basePixels = 0;
        for (int y = 0; y < serial.front().height(); ++y)
            for (int x = 0; x < serial.front().width(); ++x)
                basePixels += serial.front().pixel(x, y) == base ? 1 : 0;
        drawnRounds += basePixels > 20 ? 1 : 0;
    }
    EXPECT_GT(drawnRounds, kRounds / 2);
}

} // namespace
