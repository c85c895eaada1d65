// Graph windows of every work area come back where they were stored, and a maximised one stores where
// it comes back to when restored, as a minimised one does.
#include "MainWindowSize.h"
#include "app/ProgramHarness.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CFileOverviewGlaphDlg.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/CxSplitterWnd.h"
#include "graphs/GraphRecords.h"
#include "graphs/WorkAreaWindowProp.h"
#include "settings/SettingsDefaults.h"
#include "shell/CChildFrame.h"
#include "shell/COrveloView.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const QString& WindowKey() {
    static const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    return key;
}

WorkAreaWindowProp RecordOf(const platform::RegistryTree& saved, int workArea, int slot) {
    WorkAreaWindowProp record{};
    const platform::RegistryValue* value =
        saved.Value(WindowKey(), settings::NumberedName(settings::kWorkAreaWindowProp, workArea, slot));
    if (value && value->data.size() == static_cast<qsizetype>(WorkAreaWindowProp::kSize))
        std::memcpy(&record, value->data.constData(), WorkAreaWindowProp::kSize);
    return record;
}

QRect RectOf(const WorkAreaWindowProp& record) {
    return QRect(QPoint(record.left, record.top), QPoint(record.right - 1, record.bottom - 1));
}

std::vector<int> HeightsOf(const platform::RegistryTree& saved, int workArea, int slot) {
    std::vector<int> heights;
    if (const platform::RegistryValue* value =
            saved.Value(WindowKey(), settings::NumberedName(settings::kWorkAreaWndViewH, workArea, slot))) {
        for (qsizetype at = 0; at + 4 <= value->data.size(); at += 4) {
            std::int32_t height = 0;
            std::memcpy(&height, value->data.constData() + at, 4);
            heights.push_back(height);
        }
    }
    return heights;
}

std::vector<int> PaneHeightsOf(const platform::RegistryTree& saved, int workArea, int slot, int rows) {
    std::vector<int> heights;
    for (int row = 0; row < rows; ++row) {
        graphs::ChannelViewProp pane{};
        if (const platform::RegistryValue* value =
                saved.Value(WindowKey(), settings::NumberedName(settings::kChanelViewProp, workArea, slot, row));
            value && value->data.size() == static_cast<qsizetype>(graphs::ChannelViewProp::kSize))
            std::memcpy(&pane, value->data.constData(), graphs::ChannelViewProp::kSize);
        heights.push_back(pane.height);
    }
    return heights;
}

QWidget* WindowOf(COrveloView& view, int kind) {
    for (const auto& entry : view.GraphWindows()) {
        if (entry.window && entry.kind == kind)
            return entry.widget;
    }
    return nullptr;
}

// A second work area, not the one shown at start, keeps its windows' places: they are placed against its
// own size once it is shown, not against the size it has before; so does the first after a maximised start.
TEST(RestoredWorkAreaTest, EveryWorkAreasWindowsComeBackWhereStored) {
    for (const bool maximised : {false, true}) {
        SCOPED_TRACE(maximised ? "maximised" : "1800x1000");
        const QRect lapPlace(10, 438, 587, 393);
        const QRect filePlace(20, 552, 500, 250);
        platform::RegistryTree saved;
        {
            ProgramHarness h;
            ASSERT_TRUE(h.Start());
            SizeMainWindow(h, maximised, QSize(1800, 1000));
            h.App().OnFileNew();
            Drain();
            for (int number : {1, 2}) {
                COrveloView& view = *h.WorkArea(number)->View();
                h.Frame().ActivateWorkArea(h.WorkArea(number));
                view.OnLapOverviewGraph();
                view.OnFileOverviewGraph();
                Drain();
                WindowOf(view, GraphWindow::kLapOverview)->setGeometry(lapPlace);
                WindowOf(view, GraphWindow::kFileOverview)->setGeometry(filePlace);
            }
            h.Frame().ActivateWorkArea(h.WorkArea(1));
            Drain();
            h.Close();
            saved = h.Saved();
        }
        for (int number : {1, 2}) {
            ASSERT_EQ(RectOf(RecordOf(saved, number, 1)), lapPlace) << number;
            ASSERT_EQ(RectOf(RecordOf(saved, number, 2)), filePlace) << number;
        }
        ProgramHarness h(saved);
        ASSERT_TRUE(h.Start());
        Drain();
        QCoreApplication::processEvents();  // a maximised main window takes its size from the window system
        Drain();
        for (int number : {1, 2}) {
            h.Frame().ActivateWorkArea(h.WorkArea(number));
            Drain();
            COrveloView& view = *h.WorkArea(number)->View();
            ASSERT_TRUE(WindowOf(view, GraphWindow::kLapOverview) && WindowOf(view, GraphWindow::kFileOverview));
            EXPECT_EQ(WindowOf(view, GraphWindow::kLapOverview)->geometry(), lapPlace) << "work area " << number;
            EXPECT_EQ(WindowOf(view, GraphWindow::kFileOverview)->geometry(), filePlace) << "work area " << number;
        }
    }
}

// Maximised or minimised with its own button, a lap overview stores the rectangle, rows and pane heights it
// comes back to when restored, not the maximised or iconic ones; so it does after another work area's tab
// was clicked, which hides its area (beside a file overview, with state changes of the area's own) and
// sizes it to the area behind the tab.
TEST(RestoredWorkAreaTest, AMaximisedOrMinimisedLapOverviewStoresItsNormalPlaceAndRows) {
    for (const bool minimised : {false, true}) {
        for (const bool tabSwitch : {false, true}) {
            SCOPED_TRACE(testing::Message() << (minimised ? "minimised" : "maximised")
                                            << (tabSwitch ? ", another tab clicked" : ""));
            ProgramHarness h;
            ASSERT_TRUE(h.Start());
            h.Frame().activateWindow();  // as in use: the work areas' windows are activated
            QCoreApplication::processEvents();
            h.App().OnFileNew();
            Drain();
            h.Frame().ActivateWorkArea(h.WorkArea(1));
            Drain();
            COrveloView& view = *h.WorkArea(1)->View();
            view.OnLapOverviewGraph();
            view.OnFileOverviewGraph();
            Drain();
            auto* window = dynamic_cast<CLapOverviewDlg*>(WindowOf(view, GraphWindow::kLapOverview));
            ASSERT_TRUE(window && window->ChannelSplitter() && window->RowCount() == 2);
            const QRect normal = window->geometry();
            const std::vector<int> rows = window->ChannelSplitter()->RowHeights();
            const std::vector<int> panes = {window->RowAt(0).graph->height(), window->RowAt(1).graph->height()};
            minimised ? window->showMinimized() : window->showMaximized();
            Drain();
            ASSERT_NE(window->geometry(), normal);
            if (tabSwitch) {
                h.Frame().ActivateWorkArea(h.WorkArea(2));
                Drain();
                ASSERT_EQ(window->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized),
                          minimised ? Qt::WindowMinimized : Qt::WindowMaximized);
            }
            h.Close();
            EXPECT_EQ(RectOf(RecordOf(h.Saved(), 1, 1)), normal);
            EXPECT_EQ(HeightsOf(h.Saved(), 1, 1), rows);
            EXPECT_EQ(PaneHeightsOf(h.Saved(), 1, 1, 2), panes);
        }
    }
}

}  // namespace
