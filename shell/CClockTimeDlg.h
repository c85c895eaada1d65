// The logging-time window: a small floating list of the compared laps with
// the time of day the logger recorded the sample under the graph cursor. The
// main frame shows and hides it and passes it the cursor records (2090) and
// the changes of the compared laps (2023). It deletes itself when closed and
// then tells the main frame (2024), whatever closed it.
#pragma once

#include "shell/CListViewLogTime.h"

#include "platform/MessageWindow.h"
#include "settings/WindowRoles.h"

#include <QDialog>

#include <functional>

class SettingsStore;
namespace orvelo {
class LapDataCore;
}

class CClockTimeDlg : public QDialog, public FloatingWindow {
public:
    // shownCursor: the cursor the program shows now.
    CClockTimeDlg(QWidget* mainWindow, platform::WindowHandle mainFrame, orvelo::LapDataCore& core,
                  SettingsStore& store, std::function<ShownCursor()> shownCursor);
    ~CClockTimeDlg() override;

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return m_window.Handle(); }
    // Writes the placement and tells the main frame the window is gone; once.
    void Shutdown() override;
    platform::WindowPlacement Placement() const override {
        return platform::PlacementToStore(*this, m_restoredPlace);
    }

    CListViewLogTime& List() { return *m_list; }
    // The list paints again at its next turn, reading what it shows anew.
    void Invalidate();

private:
    void OnInitDialog(QWidget* mainWindow);
    void FitToRows();

    platform::MessageWindow m_window;
    platform::WindowHandle m_mainFrame;
    SettingsStore& m_store;
    CListViewLogTime* m_list;
    bool m_shutDown = false;
    platform::RestoredPlace m_restoredPlace;
};
