// Graph windows of every work area come back where they were stored, and a maximised one stores where
// it comes back to when restored.
#include "MainWindowSize.h"
#include "app/ProgramHarness.h"

#include "graphs/CFileOverviewGlaphDlg.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/CxSplitterWnd.h"
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

// Maximised with its own button, a lap overview stores the rectangle and rows it comes back to when
// restored, not the maximised ones.
TEST(RestoredWorkAreaTest, AMaximisedLapOverviewStoresItsNormalPlaceAndRows) {
    ProgramHarness h;
    ASSERT_TRUE(h.Start());
    CLapOverviewDlg* window = h.OpenLapOverview();
    ASSERT_TRUE(window && window->ChannelSplitter());
    const QRect normal = window->geometry();
    const std::vector<int> rows = window->ChannelSplitter()->RowHeights();
    window->showMaximized();
    Drain();
    ASSERT_TRUE(window->isMaximized());
    ASSERT_NE(window->geometry(), normal);
    ASSERT_NE(window->ChannelSplitter()->RowHeights(), rows);
    h.Close();
    EXPECT_EQ(RectOf(RecordOf(h.Saved(), 1, 1)), normal);
    EXPECT_EQ(HeightsOf(h.Saved(), 1, 1), rows);
}

}  // namespace
