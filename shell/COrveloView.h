// The view of a work area: owns the work area's graph windows (lap overview
// and file overview windows), each a sub-window of its window area, in a list
// of reusable slots, saves that list at close and reopens it at its first
// activation in the next run, and passes the messages the main frame relays
// on to its graph windows.
#pragma once

#include "platform/MessageWindow.h"
#include "settings/WindowRoles.h"
#include "shell/WorkAreaProp.h"

#include <QPointer>
#include <QWidget>

#include <deque>

class COrveloApp;
class COrveloDoc;
class CChildFrame;
class QMdiArea;

class COrveloView : public QWidget {
public:
    struct GraphWindowEntry {
        GraphWindow* window = nullptr;
        QPointer<QWidget> widget;
        int kind = GraphWindow::kNone;
        int slot = 0;
        int workAreaNumber = 0;
        bool follows = false;  // restored: placed again as the work area is sized, until the user moves it
        QRect placed;          // where the work area last put it
    };
    enum State { kNew = 0, kUpdated = 1, kActivated = 2 };

    COrveloView(COrveloApp& app, COrveloDoc& document, CChildFrame* frame);
    ~COrveloView() override;

    platform::WindowHandle Handle() const { return m_window.Handle(); }
    int WorkAreaNumber() const { return m_number; }
    int ActivationState() const { return m_state; }
    const std::deque<GraphWindowEntry>& GraphWindows() const { return m_entries; }
    // The area the graph windows stand in.
    QMdiArea* GraphArea() const { return m_graphArea; }

    void OnInitialUpdate();
    void OnActivateView(bool activate);
    void OnDestroy();
    void OnLapOverviewGraph() { OpenGraphWindow(GraphWindow::kLapOverview); }
    void OnFileOverviewGraph() { OpenGraphWindow(GraphWindow::kFileOverview); }
    // Printing is refused.
    bool OnPreparePrinting();

    // 0 when a free entry was taken (its slot in *slot), else the size + 1
    // for the caller to append.
    int FindFreeGraphSlot(int kind, int* slot);
    // w 1 saves the list and the windows' settings, 0 loads the saved record;
    // 0 on success.
    int OnRegisterWndProperty(platform::WParam save);
    platform::LResult OnPlotGraphClosed(int slot, int kind);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void MapMessages();
    void OpenGraphWindow(int kind);
    GraphWindow* MakeGraphWindow(int kind, int slot, bool restored);
    void RestoreGraphWindows();
    void PlaceRestoredWindows();
    void PlaceInsideArea();
    void ReportGraphStatus();
    void ReportLapOverviewCount();
    void RelayToGraphWindows(const platform::Message& message, bool lapOverviews, bool fileOverviews,
                             platform::WindowHandle skip = platform::kNoWindow);
    void DestroyGraphWindow(GraphWindowEntry& entry);
    int CountOf(int kind) const;

    COrveloApp& m_app;
    COrveloDoc& m_document;
    CChildFrame* m_frame;
    platform::MessageWindow m_window;
    QMdiArea* m_graphArea = nullptr;
    int m_number = 0;
    int m_fileOverviewsOpened = 0;
    int m_lapOverviewsOpened = 0;
    std::deque<GraphWindowEntry> m_entries;
    WorkAreaProp m_record;
    QString m_windowStates;
    bool m_restorePending = false;
    bool m_placeRestored = false;
    bool m_placing = false;
    int m_state = kNew;
    bool m_destroying = false;
};
