// "Orvelo Setup": the modal setup dialog of the main frame, with the channel
// page ("Channel ") and the map page ("Map ") on a tab control. It passes the
// map page's news on to the main window as UM_CHANGED_GLOBAL_MAP_DRAW_MODE
// (5, 0). Closing it (Close, Cancel, Escape) runs the channel page's closing
// rule once.
#pragma once

#include "platform/MessageWindow.h"

#include <QDialog>

class CAnalysisSetupTabCtrl;
class CEditChannelValue_DlgPage;
class CMapPropertyTab;
class ChannelSettings;

class CCTabCtrl_SetConfigDlg : public QDialog {
public:
    static constexpr int kClose = 427;
    static constexpr int kPrev = 411;
    static constexpr int kNext = 412;

    CCTabCtrl_SetConfigDlg(ChannelSettings& channels, platform::WindowHandle mainWindow, QWidget* parent);

    platform::WindowHandle Handle() const { return m_window.Handle(); }
    CAnalysisSetupTabCtrl& Tabs() { return *m_tabs; }
    CEditChannelValue_DlgPage& ChannelPage() { return *m_channelPage; }
    CMapPropertyTab& MapPage() { return *m_mapPage; }

    // Runs the closing rule, the first time only (the dialog ends only this way).
    void Finish();
    void reject() override;

private:
    platform::MessageWindow m_window;
    platform::WindowHandle m_mainWindow;
    CAnalysisSetupTabCtrl* m_tabs;
    CEditChannelValue_DlgPage* m_channelPage;
    CMapPropertyTab* m_mapPage;
    bool m_finished = false;
};
