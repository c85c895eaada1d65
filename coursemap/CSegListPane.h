// The "Segment list" pane, tabbed with the lap list: holds the segment list view and passes on to
// it what the lap list tells it while it fills and groups its rows. The first time it comes into
// view without having had the focus it tells the main frame that it is up.
#pragma once

#include "coursemap/CSeglistview.h"

#include "platform/MessageWindow.h"
#include "settings/SegmentListFeed.h"
#include "settings/WindowRoles.h"

#include <QWidget>

namespace orvelo {
class LapDataCore;
}

class CSegListPane : public QWidget, public SegmentListPane, public SegmentListFeed {
public:
    static constexpr int kDefaultWidth = 222;

    CSegListPane(QWidget* parent, orvelo::LapDataCore& core, platform::WindowHandle mainFrame);
    ~CSegListPane() override;

    QWidget* Widget() override { return this; }
    platform::WindowHandle Handle() const override { return m_window.Handle(); }
    platform::WindowHandle ViewHandle() const override { return m_view->Handle(); }
    CSeglistview& View() { return *m_view; }
    // 0 never activated, 1 has had the focus, 2 has told the main frame.
    int ActivationState() const { return m_activationState; }

    void ResetList() override { m_view->ResetList(); }
    void InsertLapRows(const std::vector<const orvelo::LogFile*>& files) override { m_view->InsertLapRows(files); }
    void DeleteExtraColumns() override { m_view->DeleteExtraColumns(); }
    void GrowSortFlags() override { m_view->GrowSortFlags(); }
    void NumberRows() override { m_view->NumberRows(); }
    void RemoveAllRows() override { m_view->RemoveAllRows(); }
    void SetRedraw(bool on) override { m_view->SetRedraw(on); }
    void RemoveGroups() override { m_view->RemoveGroups(); }
    void EnableGroupView() override { m_view->EnableGroupView(); }
    void InsertGroup(const QString& header, int id) override { m_view->InsertGroup(header, id); }
    int AssignRowsToGroup(int mode, int id, const QString& key) override {
        return m_view->AssignRowsToGroup(mode, id, key);
    }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    platform::MessageWindow m_window;
    platform::WindowHandle m_mainFrame;
    CSeglistview* m_view;
    int m_activationState = 0;
};
