// The " Lap list" pane of the main frame: holds the lap list view, fills and rebuilds it when the
// main frame says files were read or closed, shows the header menus and takes the answer of the
// lap colour dialog.
#pragma once

#include "shell/CListViewEx.h"
#include "settings/WindowRoles.h"

#include "platform/MessageWindow.h"

#include <QWidget>

namespace orvelo {
class LapDataCore;
}
class SegmentListFeed;

class CClassView : public QWidget, public LapListPane {
public:
    static constexpr int kDefaultWidth = 222;
    static constexpr int kCmdAllView = 32797;
    static constexpr int kCmdTestFileName = 32800;
    static constexpr int kCmdLapColorProperty = 1;

    CClassView(orvelo::LapDataCore& core, platform::WindowHandle mainWindow, const LapColorAccess& colors,
               QWidget* parent = nullptr);
    ~CClassView() override;

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return m_window.Handle(); }
    // The segment list's view is fed when it takes the lap list's rows.
    void UseSegmentList(SegmentListPane& segmentList) override;
    void UseSegmentListFeed(SegmentListFeed* feed) { m_view->SetSegmentList(feed); }
    // Where the lap colour dialog's answer goes on to.
    void SetPropertiesPane(platform::WindowHandle pane) { m_propertiesPane = pane; }

    CListViewEx& View() { return *m_view; }
    int ActivationState() const { return m_activationState; }

    // The header menu's "all view": every log file shown again.
    void OnAllView();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MapMessages();
    void AdjustLayout();
    platform::LResult OnResetLapList(const platform::Message& m);
    platform::LResult OnLapColorProperty(const platform::Message& m);
    platform::LResult OnHeaderRightClick(const platform::Message& m);
    void RunHeaderMenu(const QPoint& globalPos);

    orvelo::LapDataCore& m_core;
    platform::MessageWindow m_window;
    platform::WindowHandle m_mainWindow;
    platform::WindowHandle m_propertiesPane = platform::kNoWindow;
    LapColorAccess m_colors;
    CListViewEx* m_view = nullptr;
    // 0 never activated, 1 has had the focus, 2 has announced itself.
    int m_activationState = 0;
};
