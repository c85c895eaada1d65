// The stored records of the program's windows changed at will over what the program itself saved (two
// work areas with a lap overview and a file overview each, the logging-time window): placements, pane
// records, row heights and colours. Started on them, each restored window lies on the screen (floating
// windows) or has its title bar inside its work area, at a size that fits the screen and holds its title
// bar, and a lap overview has sane rows and heights.
// Shared by the fuzz target and the tests that replay findings.
//
// Input: records one after another, each a byte choosing which stored value it replaces and as many
// bytes as that value holds (row heights: a byte for the number of rows, then 4 bytes a row).
#pragma once

#include "fuzz/StartupHarness.h"
#include "fuzz/StartupSeeds.h"

#include "graphs/CLapOverviewDlg.h"
#include "graphs/CxSplitterWnd.h"
#include "shell/CChildFrame.h"
#include "shell/COrveloView.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace orvelo::fuzzing {

[[noreturn]] inline void WindowFault(const char* what, const QRect& place)
{
    std::fprintf(stderr, "windows: %s (%d,%d %dx%d)\n", what, place.x(), place.y(), place.width(), place.height());
    std::abort();
}

class WindowRecordCycle {
public:
    WindowRecordCycle()
    {
        QString error;
        if (!platform::RegFileFormat::Parse(SavedAfterSession(2, true), &m_saved, &error))
            SettingsFault("the saved settings do not parse");
        m_saved.ForEachKey([this](const QString& key, const platform::RegistryTree::ValueMap& values, bool) {
            for (const auto& [name, value] : values) {
                for (const QString& kind : {settings::kWorkAreaWindowProp, settings::kChanelViewProp,
                                            settings::kLapOverViewWndProp, settings::kScaleControlWndPlace,
                                            settings::kLogTimeWndPlace, settings::kMapViewProp,
                                            settings::kChannelColorProp, settings::kWorkAreaWndViewH}) {
                    if (name.startsWith(kind)) {
                        m_values.push_back({key, name, name.startsWith(settings::kWorkAreaWndViewH)});
                        break;
                    }
                }
            }
        });
        const QString window = settings::SubKeyPath(settings::kWindowViewInfo);
        // The Y-scale dialog's place is written only once the dialog has been open.
        m_values.push_back({window, settings::kScaleControlWndPlace, false});
        if (m_values.empty())
            SettingsFault("the saved settings hold no window records");
    }

    void Run(const std::uint8_t* data, std::size_t size)
    {
        platform::RegistryTree tree = m_saved;
        const std::uint8_t* p = data;
        const std::uint8_t* end = data + size;
        while (p < end) {
            const Value& value = m_values[*p++ % m_values.size()];
            const platform::RegistryValue* old = tree.Value(value.key, value.name);
            qsizetype n = old ? old->data.size() : 44;
            if (value.heights && p < end)
                n = 4 * static_cast<qsizetype>(*p++ % 24);
            QByteArray bytes(n, '\0');
            const qsizetype taken = std::min<qsizetype>(n, end - p);
            std::copy(p, p + taken, bytes.begin());
            p += taken;
            if (value.name == settings::kScaleControlWndPlace || value.name == settings::kLogTimeWndPlace)
                bytes.replace(0, 4, QByteArray("\x2c\0\0\0", 4));  // the length field a placement must have
            tree.SetValue(value.key, value.name, {old ? old->type : platform::kRegBinary, bytes});
        }
        StartAndClose(platform::RegFileFormat::Write(tree), [](COrveloApp& app) { Check(app); });
    }

    static void Check(COrveloApp& app)
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        CMainFrame& frame = *app.MainFrame();
        if (FloatingWindow* logTime = frame.LoggingTimeWindow()) {
            const QRect place = logTime->Widget()->frameGeometry();
            if (!screen.contains(place))
                WindowFault("the logging-time window is off the screen", place);
        }
        for (CChildFrame* child : app.WorkAreaWindowList()) {
            COrveloView* view = child->View();
            if (!view)
                continue;
            for (const auto& entry : view->GraphWindows()) {
                if (!entry.widget)
                    continue;
                const QRect place = entry.widget->geometry();
                if (place.width() > screen.width() || place.height() > screen.height())
                    WindowFault("a graph window larger than the screen", place);
                const QRect titleBar(place.topLeft(), QSize(entry.widget->minimumSizeHint().width(), 1));
                if (view->isVisible() && entry.widget->parentWidget() &&
                    !entry.widget->parentWidget()->rect().contains(titleBar))
                    WindowFault("a graph window's title bar outside its work area", place);
                if (view->isVisible() && place.size() != place.size().expandedTo(entry.widget->minimumSizeHint()))
                    WindowFault("a graph window smaller than its title bar", place);
                if (const auto* lapOverview = dynamic_cast<const CLapOverviewDlg*>(entry.window)) {
                    if (lapOverview->RowCount() < 1 || lapOverview->RowCount() > 18)
                        WindowFault("a lap overview without sane rows", place);
                    if (const CxSplitterWnd* rows = lapOverview->ChannelSplitter()) {
                        const std::vector<int> heights = rows->RowHeights();
                        if (std::any_of(heights.begin(), heights.end(), [](int h) { return h < 0; }) ||
                            std::accumulate(heights.begin(), heights.end(), std::int64_t{0}) > place.height())
                            WindowFault("a lap overview's rows do not fit it", place);
                    }
                }
            }
        }
    }

private:
    struct Value {
        QString key;
        QString name;
        bool heights = false;
    };
    platform::RegistryTree m_saved;
    std::vector<Value> m_values;
};

} // namespace orvelo::fuzzing
