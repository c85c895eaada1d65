// Windows restored from placements stored for another screen, a second monitor or a damaged file:
// the floating ones open on the screen, those of a work area with their stored size, where the screen
// holds it, in reach inside it.
#include "MainWindowSize.h"
#include "app/ProgramHarness.h"

#include "graphs/CLScaleView.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/WorkAreaWindowProp.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/SettingsDefaults.h"
#include "shell/CChildFrame.h"
#include "shell/COrveloView.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <string>

namespace {

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

// What a session leaves with a lap overview, a file overview and, when asked, the logging-time window open.
platform::RegistryTree SessionWithWindows(bool loggingTime) {
    ProgramHarness h;
    if (!h.Start())
        return {};
    COrveloView& view = *h.WorkAreas().front()->View();
    view.OnLapOverviewGraph();
    view.OnFileOverviewGraph();
    if (loggingTime)
        h.Frame().OnLoggingTime();
    Drain();
    h.Close();
    return h.Saved();
}

// The first work area of a started session that restored its lap overview and file overview; null when it did not.
COrveloView* StartedWithTwoGraphWindows(ProgramHarness& h) {
    if (!h.Start())
        return nullptr;
    Drain();
    COrveloView* view = h.WorkAreas().front()->View();
    return view && view->GraphWindows().size() == 2u ? view : nullptr;
}

const QString& WindowKey() {
    static const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    return key;
}

platform::WindowPlacement FloatingAt(const QRect& frame) {
    platform::WindowPlacement placement;
    placement.showCommand = platform::WindowPlacement::kShowNormal;
    placement.normalLeft = frame.left();
    placement.normalTop = frame.top();
    placement.normalRight = frame.left() + frame.width();
    placement.normalBottom = frame.top() + frame.height();
    return placement;
}

// The graph-window records of a saved session, by value name.
std::map<QString, WorkAreaWindowProp> GraphRecords(const platform::RegistryTree& saved) {
    std::map<QString, WorkAreaWindowProp> records;
    for (const QString& name : saved.ValueNames(WindowKey())) {
        const platform::RegistryValue* value = saved.Value(WindowKey(), name);
        if (!name.startsWith(settings::kWorkAreaWindowProp) || !value ||
            value->data.size() != static_cast<qsizetype>(WorkAreaWindowProp::kSize))
            continue;
        WorkAreaWindowProp record;
        std::memcpy(&record, value->data.constData(), WorkAreaWindowProp::kSize);
        records[name] = record;
    }
    return records;
}

QRect RectOf(const WorkAreaWindowProp& record) {
    return QRect(QPoint(record.left, record.top), QPoint(record.right - 1, record.bottom - 1));
}

std::string Text(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

TEST(RestoredPlacementTest, WindowsStoredAnywhereOpenOnTheScreenOrInReachInTheirWorkAreaAtASizeThatFits) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1920, 1080));
    const platform::RegistryTree saved = SessionWithWindows(true);
    const QString& key = WindowKey();
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
        platform::WindowPlacement floating = FloatingAt(QRect());
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
        COrveloView* view = StartedWithTwoGraphWindows(h);
        ASSERT_TRUE(view);
        for (const auto& entry : view->GraphWindows()) {
            ASSERT_TRUE(entry.widget && entry.widget->parentWidget());
            const QRect area = entry.widget->parentWidget()->rect();
            const QRect place = entry.widget->geometry();
            const QRect reach(place.topLeft(), QSize(entry.widget->minimumSizeHint().width(), 1));
            EXPECT_TRUE(area.contains(reach)) << entry.kind << " in " << area.width() << "x" << area.height() << " at "
                                              << Text(place);
            if (entry.kind == GraphWindow::kFileOverview) {  // no caption: as much of it inside as fits
                EXPECT_EQ(Text(area & place), Text(QRect(place.topLeft(), place.size().boundedTo(area.size()))));
            }
            const QSize stored = QRect(QPoint(p.left, p.top), QPoint(p.right - 1, p.bottom - 1)).size();
            if (place.size() != stored.boundedTo(QGuiApplication::primaryScreen()->availableGeometry().size())) {
                // a record too low for the window's rows
                EXPECT_EQ(Text(place), Text(platform::PlaceInside(entry.window->DefaultPlace(area.size()), area)));
            }
        }
        CLapOverviewDlg* lapOverview = LapOverviewOf(*view);
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

// The frame size a floating window is placed with before it is shown comes from the main window's,
// which may tell nothing of it (here a main window without a frame): the whole frame still lands on
// the screen, moved onto it when the stored place reaches past it, at the default place when that meets
// no screen; what was stored is written back as it was.
TEST(RestoredPlacementTest, TheLoggingTimeWindowOpensWithItsWholeFrameOnTheScreen) {
    const platform::RegistryTree saved = SessionWithWindows(false);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        QPoint main;
        std::optional<QRect> stored;
        bool atDefault;  // else where it was stored moved onto the screen, or (no record) brought in from its default place
    };
    const Case cases[] = {{QPoint(0, 0), QRect(5000, 3000, 154, 104), true},
                          {QPoint(0, 0), QRect(1850, 1040, 154, 104), false},
                          {QPoint(0, 0), QRect(300, 200, 154, 104), false},
                          {QPoint(1000, 1000), std::nullopt, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? Text(*c.stored) : std::string("no record"));
        ProgramHarness h(saved);
        if (c.stored) {
            ASSERT_EQ(h.Settings().Store().WriteRecord(WindowKey(), settings::kLogTimeWndPlace, FloatingAt(*c.stored)), 0);
        }
        ASSERT_TRUE(h.Start());
        h.Frame().setWindowFlag(Qt::FramelessWindowHint);
        h.Frame().move(c.main);
        h.Frame().show();
        h.Frame().OnLoggingTime();
        Drain();
        ASSERT_TRUE(h.Frame().LoggingTimeWindow());
        const QRect place = h.Frame().LoggingTimeWindow()->Widget()->frameGeometry();
        EXPECT_TRUE(screen.contains(place)) << Text(place);
        const QRect main = h.Frame().frameGeometry();
        if (c.atDefault) {
            EXPECT_EQ(place.topLeft(), QPoint(main.left() + main.width() / 2, main.top() + 9)) << Text(place);
        } else if (c.stored) {
            EXPECT_EQ(place, platform::PlaceInside(*c.stored, screen));
        }
        h.Close();
        if (c.stored) {
            EXPECT_EQ(h.Saved().Value(WindowKey(), settings::kLogTimeWndPlace)->data, FloatingAt(*c.stored).ToBytes());
        }
    }
}

// Before a window is first shown its frame is only guessed (from the main window's, which may have none yet):
// a window placed by a guess that left the frame out, its frame reaching past the screen's corner, or one
// placed against the screen's top edge whose frame then lies above it, is brought onto the screen.
TEST(RestoredPlacementTest, AWindowPlacedWithoutItsFrameIsBroughtOntoTheScreenOnceShown) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QPoint corner : {QPoint(1770, 980), QPoint(600, -2), QPoint(300, 200)}) {
        QDialog window(nullptr, Qt::Tool);
        window.setFixedSize(150, 100);
        window.move(corner);
        platform::KeepOnScreenOnceShown(window);
        window.show();
        if (corner.y() < 0)  // as a window manager that sets the client where the frame was asked for
            window.setGeometry(QRect(corner, window.size()));
        Drain();
        const QRect place = window.frameGeometry();
        EXPECT_TRUE(screen.contains(place)) << Text(place);
        if (corner == QPoint(300, 200)) {
            EXPECT_EQ(place.topLeft(), corner);  // already on the screen: not moved
        }
    }
}

// With the main window's title bar above the screen's edge, the Y-scale dialog's first place is below
// it, and it reopens there.
TEST(RestoredPlacementTest, TheYScaleDialogsDefaultPlaceKeepsItsTitleBarOnTheScreen) {
    platform::RegistryTree saved = SessionWithWindows(false);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QRect first;
    for (int run = 0; run < 2; ++run) {
        ProgramHarness h(saved);
        ASSERT_TRUE(h.Start());
        h.Frame().move(100, -20);
        Drain();
        CLapOverviewDlg* lapOverview = LapOverviewOf(*h.WorkAreas().front()->View());
        ASSERT_TRUE(lapOverview);
        OpenYScale(h, *lapOverview);
        ASSERT_TRUE(h.Frame().YScaleDialog());
        const QRect place = h.Frame().YScaleDialog()->Widget()->frameGeometry();
        EXPECT_TRUE(screen.contains(place)) << Text(place);
        EXPECT_EQ(place.top(), 0) << Text(place);
        if (run == 0)
            first = place;
        else
            EXPECT_EQ(place, first);
        h.Close();
        saved = h.Saved();
        const auto stored = platform::WindowPlacement::FromBytes(saved.Value(WindowKey(), settings::kScaleControlWndPlace)->data);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->normalTop, 0);
    }
}

// A graph window stored too small to use (a pixel, with nothing to grab) opens at its default place and size,
// and is written back so. One that fits the screen keeps its size and place, also where it reaches past the
// work area (a larger main window's), moved only as far as brings its title bar into the area (the file
// overview, with no caption to drag, wholly into it); it is written back as it was stored.
TEST(RestoredPlacementTest, GraphWindowsTooSmallOpenAtTheirDefaultPlaceAndOthersKeepTheirsWithinReach) {
    const platform::RegistryTree saved = SessionWithWindows(false);
    const std::map<QString, WorkAreaWindowProp> records = GraphRecords(saved);
    ASSERT_EQ(records.size(), 2u);
    enum Expect { kDefault, kKept, kReached };
    struct Case {
        QRect lapOverview, fileOverview;
        Expect expect;
    };
    const Case cases[] = {{QRect(10, 10, 1, 1), QRect(10, 10, 1, 1), kDefault},
                          {QRect(100, 100, 30, 400), QRect(100, 100, 400, 40), kDefault},
                          {QRect(400, 300, 450, 400), QRect(300, 500, 500, 200), kKept},
                          {QRect(30, 40, 450, 400), QRect(5, 450, 500, 200), kKept},
                          {QRect(300, 780, 450, 280), QRect(100, 900, 300, 150), kReached}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Text(c.lapOverview) + " and " + Text(c.fileOverview));
        ProgramHarness h(saved);
        std::map<QString, WorkAreaWindowProp> stored = records;
        for (auto& [name, record] : stored) {
            const QRect place = record.kind == GraphWindow::kLapOverview ? c.lapOverview : c.fileOverview;
            record.left = place.left();
            record.top = place.top();
            record.right = place.left() + place.width();
            record.bottom = place.top() + place.height();
            ASSERT_EQ(h.Settings().Store().WriteRecord(WindowKey(), name, record), 0);
        }
        ASSERT_TRUE(h.Start());
        Drain();
        COrveloView& view = *h.WorkAreas().front()->View();
        ASSERT_EQ(view.GraphWindows().size(), 2u);
        for (const auto& entry : view.GraphWindows()) {
            ASSERT_TRUE(entry.window && entry.widget && entry.widget->parentWidget());
            const QSize area = entry.widget->parentWidget()->size();
            const QRect place = entry.widget->geometry();
            const QRect record = entry.kind == GraphWindow::kLapOverview ? c.lapOverview : c.fileOverview;
            if (c.expect != kDefault && entry.kind == GraphWindow::kFileOverview) {
                EXPECT_EQ(Text(place), Text(platform::PlaceInside(record, QRect(QPoint(), area))));
            } else if (c.expect == kReached) {
                const int titleHeight = entry.widget->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, entry.widget);
                EXPECT_EQ(Text(place), Text(QRect(QPoint(record.left(), area.height() - titleHeight), record.size())));
            } else {
                EXPECT_EQ(Text(place), Text(c.expect == kKept ? record : entry.window->DefaultPlace(area))) << entry.kind;
            }
        }
        h.Close();
        for (const auto& [name, record] : GraphRecords(h.Saved())) {
            if (c.expect != kDefault)
                EXPECT_EQ(record, stored[name]) << name.toStdString();
            else
                EXPECT_GE(RectOf(record).width(), 60) << name.toStdString() << " " << Text(RectOf(record));
        }
    }
}

// The main window comes back as it was closed, maximised or enlarged, and so does the lap overview opened in
// it: restarts with nothing touched write everything back byte for byte. A main window stored off every
// screen takes its default place and size.
TEST(RestoredPlacementTest, ALayoutSavedInAMaximisedOrEnlargedMainWindowComesBackAsItWas) {
    for (const bool maximised : {true, false}) {
        SCOPED_TRACE(maximised ? "maximised" : "1600x980");
        platform::RegistryTree saved;
        {
            ProgramHarness h;
            ASSERT_TRUE(h.Start());
            SizeMainWindow(h, maximised, QSize(1600, 980));
            ASSERT_TRUE(h.OpenLapOverview());
            h.Close();
            saved = h.Saved();
        }
        const std::map<QString, WorkAreaWindowProp> records = GraphRecords(saved);
        ASSERT_EQ(records.size(), 1u);
        const QRect overview = RectOf(records.begin()->second);
        EXPECT_GT(overview.width(), maximised ? 950 : 800) << Text(overview);
        for (int run = 0; run < 2; ++run) {
            ProgramHarness h(saved);
            ASSERT_TRUE(h.Start());
            Drain();
            EXPECT_EQ(h.Frame().isMaximized(), maximised);
            EXPECT_EQ(h.Frame().normalGeometry().size(), maximised ? QSize(1200, 800) : QSize(1600, 980));
            CLapOverviewDlg* lapOverview = LapOverviewOf(*h.WorkAreas().front()->View());
            ASSERT_TRUE(lapOverview);
            EXPECT_EQ(Text(lapOverview->geometry()), Text(overview));
            h.Close();
            EXPECT_TRUE(h.Saved() == saved) << "run " << run;
            EXPECT_EQ(GraphRecords(h.Saved()), records);
        }
        if (maximised)
            continue;
        // The main window stored off every screen opens at its default size; the overview, larger than
        // its work area now, keeps its size and is written back as it was.
        ProgramHarness h(saved);
        QByteArray offScreen(16, '\0');
        const std::array<std::int32_t, 4> edges{5000, 3000, 6600, 3980};
        std::memcpy(offScreen.data(), edges.data(), offScreen.size());
        ASSERT_TRUE(h.Settings().Profile().WriteProfileBinary(settings::kWindowPlacementSection,
                                                              settings::kMainWindowRectEntry, offScreen));
        ASSERT_TRUE(h.Start());
        Drain();
        EXPECT_EQ(h.Frame().geometry().size(), QSize(1200, 800));
        EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(h.Frame().geometry()));
        CLapOverviewDlg* lapOverview = LapOverviewOf(*h.WorkAreas().front()->View());
        ASSERT_TRUE(lapOverview);
        EXPECT_EQ(Text(lapOverview->geometry()), Text(overview));
        h.Close();
        EXPECT_EQ(GraphRecords(h.Saved()), records);
    }
}

// A layout stored on a larger screen or a second one: the main window lies wholly on the screen, graph
// windows keep their size where the screen holds it and are brought into reach (the file overview, with
// no caption, wholly inside its work area), the logging-time window onto the screen; a run that moves none of them
// writes every byte back as it was stored.
TEST(RestoredPlacementTest, ALayoutStoredForAnotherScreenIsShownInReachAndWrittenBackAsStored) {
    const platform::RegistryTree session = SessionWithWindows(true);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        std::array<std::int32_t, 4> main;
        QRect lapOverview;
    };
    const Case cases[] = {{{1700, 200, 2900, 1000}, QRect(1700, 900, 587, 393)},
                          {{0, 0, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()},
                           QRect(100, 100, 2000, 1200)}};
    QRect fileOverview;
    for (const auto& [name, record] : GraphRecords(session)) {
        if (record.kind == GraphWindow::kFileOverview)
            fileOverview = QRect(QPoint(600, 100), RectOf(record).size());  // past a default main window's work area
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(Text(c.lapOverview));
        ProgramHarness h(session);
        SettingsStore& store = h.Settings().Store();
        QByteArray mainRect(16, '\0');
        std::memcpy(mainRect.data(), c.main.data(), mainRect.size());
        ASSERT_TRUE(h.Settings().Profile().WriteProfileBinary(settings::kWindowPlacementSection,
                                                              settings::kMainWindowRectEntry, mainRect));
        for (auto [name, record] : GraphRecords(session)) {
            const QRect place = record.kind == GraphWindow::kLapOverview ? c.lapOverview : fileOverview;
            record.left = place.left();
            record.top = place.top();
            record.right = place.left() + place.width();
            record.bottom = place.top() + place.height();
            ASSERT_EQ(store.WriteRecord(WindowKey(), name, record), 0);
        }
        ASSERT_EQ(store.WriteRecord(WindowKey(), settings::kLogTimeWndPlace, FloatingAt(QRect(1850, 1040, 154, 104))), 0);
        const platform::RegistryTree stored = h.Saved();
        COrveloView* view = StartedWithTwoGraphWindows(h);
        ASSERT_TRUE(view);
        EXPECT_TRUE(screen.contains(h.Frame().frameGeometry())) << Text(h.Frame().frameGeometry());
        for (const auto& entry : view->GraphWindows()) {
            ASSERT_TRUE(entry.widget && entry.widget->parentWidget());
            const QRect area = entry.widget->parentWidget()->rect();
            const QRect place = entry.widget->geometry();
            if (entry.kind == GraphWindow::kLapOverview) {
                const int titleHeight = entry.widget->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, entry.widget);
                EXPECT_EQ(place.size(), c.lapOverview.size().boundedTo(screen.size()));
                EXPECT_TRUE(area.contains(QRect(place.topLeft(), QSize(entry.widget->minimumSizeHint().width(), titleHeight))))
                    << Text(place) << " in " << Text(area);
            } else {
                EXPECT_EQ(place.size(), fileOverview.size());
                EXPECT_TRUE(area.contains(place)) << Text(place) << " in " << Text(area);
            }
        }
        ASSERT_TRUE(h.Frame().LoggingTimeWindow());
        EXPECT_TRUE(screen.contains(h.Frame().LoggingTimeWindow()->Widget()->frameGeometry()));
        h.Close();
        EXPECT_TRUE(h.Saved() == stored);
        EXPECT_EQ(GraphRecords(h.Saved()), GraphRecords(stored));
        EXPECT_EQ(h.Saved().Value(WindowKey(), settings::kLogTimeWndPlace)->data,
                  stored.Value(WindowKey(), settings::kLogTimeWndPlace)->data);
        EXPECT_EQ(h.Settings().Profile().GetProfileBinary(settings::kWindowPlacementSection, settings::kMainWindowRectEntry),
                  mainRect);
    }
}

}  // namespace
