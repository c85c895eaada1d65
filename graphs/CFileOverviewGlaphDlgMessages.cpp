// The file overview window's messages, its file menu and its saved record.
#include "graphs/CFileOverviewGlaphDlg.h"

#include "graphs/CChannel_Ctl_Dlg.h"
#include "graphs/CDlgGrafView.h"
#include "graphs/CLScaleView.h"
#include "graphs/GraphHost.h"

#include "core/LapDataCore.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/ModalDialog.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"
#include "settings/AppSettings.h"
#include "settings/SettingsDefaults.h"

#include <QAction>
#include <QMenu>

using namespace platform;

void CFileOverviewGlaphDlg::MapMessages() {
    m_window.On(UM_PLOT_GRAPH_CLOSED, [this](const Message&) {
        Close();
        return LResult{1};
    });
    m_window.On(UM_REDRAW_LAP_GRAPH, [this](const Message& m) {
        m_redrawsTaken = m_host.Core().ComparedLapsRedraws;
        SendMessage(m_upper->Handle(), m);
        TakeFileName();
        return LResult{1};
    });
    m_window.On(UM_RESET_CHANNEL_VIEW, [this](const Message& m) {
        const std::uint32_t mask = static_cast<std::uint32_t>(m.lParam) & ((1u << graphs::kChannelCount) - 1);
        if (mask == 0)
            return LResult{0};
        m_count = static_cast<int>(m.wParam);
        m_mask = mask;
        m_upper->SetChannelMask(mask);
        ApplyChannelRanges();
        m_upper->Redraw();
        return LResult{1};
    });
    m_window.On(UM_RESET_X_SCALE_VARIABLE, [this](const Message& m) {
        SendMessage(m_upper->Handle(), UM_X_AXIS_CHANGED, m.wParam, 0);
        return LResult{1};
    });
    m_window.On(UM_REGISTER_WND_PROPERTY, [this](const Message& m) {
        return LResult{m.wParam != 0 ? SaveLayout() : LoadLayout()};
    });
    m_window.On(UM_ZOOM_CONTROL, [this](const Message& m) {
        PostMessage(m_upper->Handle(), WithId(m, UM_SCROLL_CONTROL_ON_ZOOM));
        return LResult{1};
    });
    m_window.On(UM_ZOOM_CONTROL_DIVISION_TIME, [this](const Message& m) {
        PostMessage(m_upper->Handle(), m);
        return LResult{1};
    });
    m_window.On(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, [this](const Message& m) {
        for (WindowHandle to : {m_upper->Handle(), m_upperScale->Handle()})
            PostMessage(to, WithParams(m, m.wParam, 0));
        return LResult{1};
    });
}

// Shown again after redraws for the compared laps went to another work area: the one missed, now.
bool CFileOverviewGlaphDlg::OnWorkAreaShown() {
    if (m_redrawsTaken == m_host.Core().ComparedLapsRedraws)
        return false;
    SendMessage(Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    return true;
}

// One item per loaded log file, the shown one checked; items remember the
// file by its path.
void CFileOverviewGlaphDlg::ShowFileMenu(const QPoint& globalPos) {
    QMenu menu;
    QMenu* files = menu.addMenu(QStringLiteral("View File Select"));
    m_menuItems.clear();
    int checked = 0;
    const auto& logFiles = m_host.Core().LogFiles;
    for (std::size_t index = 0; index < logFiles.size(); ++index) {
        const QString title = QString::fromStdU16String(logFiles[index].title);
        const int id = kFirstFileItem + static_cast<int>(index);
        QAction* item = files->addAction(title);
        item->setData(id);
        item->setCheckable(true);
        item->setChecked(title == m_fileName);
        checked += item->isChecked() ? 1 : 0;
        m_menuItems.push_back({id, title, logFiles[index].fullPath});
    }
    m_onlyItemChecked = m_menuItems.size() == 1 && checked == 1;
    menu.addAction(QStringLiteral("Channel select"))->setData(static_cast<int>(kChannelSelect));
    menu.addAction(QStringLiteral("Close window(X)"))->setData(static_cast<int>(kCloseWindow));
    if (QAction* chosen = RunPopupMenu(menu, globalPos))
        OnCommand(chosen->data().toInt());
}

QStringList CFileOverviewGlaphDlg::FileMenuTitles() const {
    QStringList titles;
    for (const MenuItem& item : m_menuItems)
        titles << item.title;
    return titles;
}

void CFileOverviewGlaphDlg::OnCommand(int id) {
    if (id == kChannelSelect) {
        RunChannelDialog();
    } else if (id == kCloseWindow) {
        Close();
    } else if (id >= kFirstFileItem && id <= kLastFileItem) {
        OnFileChosen(id);
    }
}

void CFileOverviewGlaphDlg::OnFileChosen(int id) {
    if (m_onlyItemChecked)
        return;
    const auto item = std::find_if(m_menuItems.begin(), m_menuItems.end(), [id](const MenuItem& i) { return i.id == id; });
    if (item == m_menuItems.end()) {
        ShowMessageBox(this, QStringLiteral("Unmach menu id be selected."), QString());
        return;
    }
    for (const orvelo::LogFile& file : m_host.Core().LogFiles) {
        if (file.fullPath == item->path && QString::fromStdU16String(file.title) == item->title) {
            m_upper->SetFile(file.fileId);
            TakeFileName();
            m_upper->Redraw();
            return;
        }
    }
}

void CFileOverviewGlaphDlg::RunChannelDialog() {
    CChannel_Ctl_Dlg dialog(Handle(), m_mask, m_host.Settings().Channels(), this);
    RunModalDialog(dialog);
}

// The record: kind, numbers, place in the view, channels and their count.
int CFileOverviewGlaphDlg::SaveLayout() {
    SendMessage(m_upper->Handle(), UM_REGISTER_WND_PROPERTY, 1,
                MakeLong(static_cast<std::uint32_t>(m_workArea), static_cast<std::uint32_t>(m_slot)));
    const platform::RestoredPlace::Edges place = m_restoredPlace.ToStore(geometry());
    m_record = {kFileOverview, m_workArea, m_slot, place[0], place[1], place[2], place[3], m_mask, m_count, 0};
    return m_host.Settings().Store().WriteRecord(settings::SubKeyPath(settings::kWindowViewInfo),
                                                 settings::NumberedName(settings::kWorkAreaWindowProp, m_workArea, m_slot),
                                                 m_record) != 0
               ? 1
               : 0;
}

int CFileOverviewGlaphDlg::LoadLayout() {
    return m_host.Settings().Store().ReadRecord(settings::SubKeyPath(settings::kWindowViewInfo),
                                                settings::NumberedName(settings::kWorkAreaWindowProp, m_workArea, m_slot),
                                                &m_record) != 0
               ? 1
               : 0;
}
