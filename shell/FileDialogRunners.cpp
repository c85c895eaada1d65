#include "shell/FileDialogRunners.h"

#include "settings/AppSettings.h"
#include "shell/CCustomDrawListCtrlDlg.h"
#include "shell/CMainFrame.h"
#include "shell/COrveloApp.h"
#include "shell/CSelectFile_Dlg.h"

int RunFileSelectionDialog(COrveloApp& app, QWidget* parent, int mode) {
    const bool maps = mode == 1;
    const QString section = maps ? app.m_mapFileSection : app.m_logFileSection;
    const QString entry = maps ? app.m_mapFileEntry : app.m_logFileEntry;
    FrameworkProfile& profile = app.Settings().Profile();
    CMainFrame* frame = app.MainFrame();
    CSelectFile_Dlg::Setup setup;
    setup.mode = mode;
    setup.mapDrawMode = app.Settings().Channels().MapDrawMode();
    setup.mainFrame = frame ? frame->Handle() : platform::kNoWindow;
    if (frame)
        setup.lastFolder = maps ? frame->LastMapFolder() : frame->LastLogFolder();
    setup.profileFolder = profile.GetProfileString(section, entry, QString(CSelectFile_Dlg::kNothingPath));
    setup.desktopFolder = app.DesktopFolder();
    setup.filesChosen = [&app](int count) { app.m_filesChosen = count; };
    setup.readErrors = [&app](int count) { app.m_readError = count > 0; };
    setup.folderUsed = [frame, maps, &profile, section, entry](const QString& folder) {
        if (frame)
            maps ? frame->SetLastMapFolder(folder) : frame->SetLastLogFolder(folder);
        profile.WriteProfileString(section, entry, folder);
    };
    CSelectFile_Dlg dialog(app.Core(), std::move(setup), parent);
    return dialog.DoModal();
}

int RunFileClosingDialog(COrveloApp& app, QWidget* parent, int groupKind, const QString& groupText, int mode) {
    CCustomDrawListCtrlDlg dialog(app.Core(), mode, app.MainFrame() ? app.MainFrame()->Handle() : platform::kNoWindow,
                                  parent);
    dialog.SetGroup(groupKind, groupText);
    return dialog.DoModal();
}
