// Windows restored from placements stored for another screen, a second monitor or a damaged file:
// the floating ones open on the screen, those of a work area inside it, each at a size that fits.
#include "app/ProgramHarness.h"

#include "graphs/CLScaleView.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/WorkAreaWindowProp.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/SettingsDefaults.h"
#include "shell/CChildFrame.h"
#include "shell/COrveloView.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

void Drain() {
    for (int i = 0; i < 3; ++i)
        ShellHarness::Drain();
}

CLapOverviewDlg* LapOverviewOf(COrveloView& view) {
    for (const auto& entry : view.GraphWindows()) {
        if (auto* window = dynamic_cast<CLapOverviewDlg*>(entry.window))
            return window;
    }
    return nullptr;
}

// Opens the Y-scale dialog on the lap overview's first row.
void OpenYScale(ShellHarness& h, CLapOverviewDlg& window) {
    platform::SendMessage(h.Frame().Handle(), platform::UM_POPUP_VARIABLE_Y_SCALE_DIALOG,
                          static_cast<platform::WParam>(window.RowAt(0).scale->Handle()),
                          static_cast<platform::LParam>(window.Handle()));
    Drain();
}

TEST(RestoredPlacementTest, WindowsStoredAnywhereOpenOnTheScreenOrInsideTheirWorkAreaAtASizeThatFits) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1920, 1080));
    platform::RegistryTree saved;
    {
        ProgramHarness h;
        ASSERT_TRUE(h.Start());
        COrveloView& view = *h.WorkAreas().front()->View();
        view.OnLapOverviewGraph();
        view.OnFileOverviewGraph();
        h.Frame().OnLoggingTime();
        Drain();
        h.Close();
        saved = h.Saved();
    }
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    struct Place {
        std::int32_t left, top, right, bottom;
    };
    const Place places[] = {{5000, 3000, 5400, 3300},
                            {-6000, -6000, -5600, -5700},
                            {1000000, 1000000, 1000400, 1000300},
                            {0, 0, 16777215, 60}};  // the file overview of a start-up fuzz finding
    for (const Place& p : places) {
        SCOPED_TRACE(testing::Message() << p.left << "," << p.top << " to " << p.right << "," << p.bottom);
        ProgramHarness h(saved);
        SettingsStore& store = h.Settings().Store();
        platform::WindowPlacement floating;
        floating.showCommand = platform::WindowPlacement::kShowNormal;
        floating.normalLeft = p.left;
        floating.normalTop = p.top;
        floating.normalRight = p.right;
        floating.normalBottom = p.bottom;
        ASSERT_EQ(store.WriteRecord(key, settings::kLogTimeWndPlace, floating), 0);
        ASSERT_EQ(store.WriteRecord(key, settings::kScaleControlWndPlace, floating), 0);
        for (const QString& name : saved.ValueNames(key)) {
            if (!name.startsWith(settings::kWorkAreaWindowProp))
                continue;
            WorkAreaWindowProp record;
            ASSERT_EQ(store.ReadRecord(key, name, &record), 0);
            record.left = p.left;
            record.top = p.top;
            record.right = p.right;
            record.bottom = p.bottom;
            ASSERT_EQ(store.WriteRecord(key, name, record), 0);
        }
        ASSERT_TRUE(h.Start());
        Drain();
        COrveloView& view = *h.WorkAreas().front()->View();
        ASSERT_EQ(view.GraphWindows().size(), 2u);
        for (const auto& entry : view.GraphWindows()) {
            ASSERT_TRUE(entry.widget && entry.widget->parentWidget());
            const QRect area = entry.widget->parentWidget()->rect();
            const QRect place = entry.widget->geometry();
            EXPECT_TRUE(area.contains(place)) << entry.kind << " in " << area.width() << "x" << area.height() << " at " << place.x() << "," << place.y() << " "
                                              << place.width() << "x" << place.height();
        }
        CLapOverviewDlg* lapOverview = LapOverviewOf(view);
        ASSERT_TRUE(lapOverview);
        OpenYScale(h, *lapOverview);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (FloatingWindow* window : {h.Frame().LoggingTimeWindow(), static_cast<FloatingWindow*>(h.Frame().YScaleDialog())}) {
            ASSERT_TRUE(window);
            const QRect place = window->Widget()->frameGeometry();
            EXPECT_TRUE(screen.contains(place)) << place.x() << "," << place.y() << " " << place.width() << "x"
                                                << place.height();
        }
        h.Close();
    }
}

}  // namespace
