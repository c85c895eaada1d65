// The application object: one instance per user, the settings keys, the
// main frame, the application commands (open and close files, new work area
// with the once-per-run restore of the saved ones, About, Exit) and the idle
// rule that waits for the docking panes. It owns the work-area bookkeeping
// (slots, open frames); the segment groups are its settings'.
#pragma once

#include "platform/WindowMessage.h"

#include "core/LapData.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace orvelo {
class LapDataCore;
}
namespace platform {
class SingleInstance;
}
class AppSettings;
class CChildFrame;
class CMainFrame;
class ShellWindowFactory;

class COrveloApp : public QObject {
public:
    COrveloApp(AppSettings& settings, orvelo::LapDataCore& core, ShellWindowFactory& factory);
    ~COrveloApp() override;

    // Start-up; false when the program is to end (another instance runs, or
    // the main frame could not be made). instance may be null (no lock).
    bool InitInstance(platform::SingleInstance* instance);
    // A later instance: tells the user, asks the running one to the front.
    // true when this is the only instance.
    static bool CheckSingleInstance(platform::SingleInstance& instance);

    void OnFileNew();
    void OnFileOpen() { RunFileOpen(0); }
    void OnMapOpen() { RunFileOpen(1); }
    void OnCloseLogFile();
    void OnCloseMapFile();
    void OnAppAbout();
    void OnAppExit();
    // count 0 and 1 as the idle passes go; true asks for another pass.
    bool OnIdle(int count);

    int WorkAreaListSetting(int op);
    QString BuildWorkAreaStatString() const;
    // op 1 writes the main frame's shown flag of the logging-time window, else reads it.
    int LogTimeWndViewSetting(int op, std::int32_t* shown);
    int RemoveWorkAreaWindow(CChildFrame* frame);
    // Makes a work area in the slot being created; false when none could be made.
    bool CreateNewDocument();
    // The main frame is gone: later instances are no longer answered.
    void ReleaseInstanceMark();
    // Reloads the segment groups from the store.
    void LoadSegmentGroups();

    static bool IsFolderOrDrive(const QString& path);
    static bool IsVistaOrLater() { return true; }
    static QString GetProductVersion();
    // HOMEDRIVE + HOMEPATH + "/Desktop" when both are set, else the desktop
    // folder of the platform, else the home folder.
    static QString GetDesktopPath();

    AppSettings& Settings() { return m_settings; }
    orvelo::LapDataCore& Core() { return m_core; }
    ShellWindowFactory& Factory() { return m_factory; }
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    void SetMainFrame(std::unique_ptr<CMainFrame> frame);

    std::vector<std::uint32_t>& WorkAreaIdSlots() { return m_workAreaIdSlots; }
    std::vector<CChildFrame*>& WorkAreaWindowList() { return m_workAreaWindowList; }
    int OpenWorkAreaCount() const { return m_openWorkAreaCount; }
    void DecrementOpenWorkAreaCount() { m_openWorkAreaCount = m_openWorkAreaCount > 0 ? m_openWorkAreaCount - 1 : 0; }
    int CreatingSlot() const { return m_creatingSlot; }
    void SetCreatingSlot(int slot) { m_creatingSlot = slot; }
    std::uint32_t WindowViewValueCount() const { return m_windowViewValueCount; }
    const QString& DesktopFolder() const { return m_desktopFolder; }
    void SetDesktopFolder(const QString& folder) { m_desktopFolder = folder; }
    std::deque<orvelo::SegmentGroup>& SegmentGroups();

    // Set by the file selection dialog.
    std::int32_t m_filesChosen = 0;
    bool m_readError = false;

    // Profile section and entry names of the last folders.
    const QString m_logFileSection = QStringLiteral("Varnek_LogFile");
    const QString m_logFileEntry = QStringLiteral("Varnek_LogFile_search");
    const QString m_mapFileSection = QStringLiteral("Varnek_MapFile");
    const QString m_mapFileEntry = QStringLiteral("Varnek_MapFile_search");
    const bool m_hiColor = true;

private:
    void RunFileOpen(int mode);
    // The first save of the settings that fails is reported; later ones add nothing to it.
    void ReportSettingsNotSaved(const QString& reason);
    bool RestoreSavedWorkAreas();
    bool ReopenSavedWorkAreas();
    int TakeFreeSlot();
    void RunIdleWork();

    AppSettings& m_settings;
    orvelo::LapDataCore& m_core;
    ShellWindowFactory& m_factory;
    std::unique_ptr<CMainFrame> m_mainFrame;
    platform::SingleInstance* m_instance = nullptr;
    int m_openWorkAreaCount = 0;
    int m_creatingSlot = 0;
    QString m_windowViewInfoPath;
    QString m_itemColorInfoPath;
    QString m_mapSegInfoPath;
    QString m_basePath;
    QString m_channelNameScaleInfoPath;
    std::uint32_t m_windowViewValueCount = 0;
    std::uint32_t m_itemColorValueCount = 0;
    std::uint32_t m_workAreaNum = 0;
    std::uint32_t m_workAreaIdMax = 0;
    QString m_workAreaStat;
    std::vector<std::uint32_t> m_workAreaIdSlots;
    std::vector<CChildFrame*> m_workAreaWindowList;
    QString m_desktopFolder;
    int m_osVersionCode = 6;
    bool m_toldSettingsNotSaved = false;
};
