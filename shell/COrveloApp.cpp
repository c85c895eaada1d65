#include "shell/COrveloApp.h"

#include "shell/AboutBox.h"
#include "settings/AppSettings.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/COrveloDoc.h"
#include "shell/COrveloView.h"
#include "shell/CSelectFile_Dlg.h"
#include "shell/FileDialogRunners.h"
#include "settings/SettingsBatch.h"
#include "settings/SettingsDefaults.h"

#include "core/FileLists.h"
#include "core/LapSelection.h"
#include "core/MapFileWriter.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/SingleInstance.h"
#include "platform/UserMessages.h"
#include "platform/WaitCursor.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QWidget>
#include <QStandardPaths>

#include <clocale>
#include <functional>

namespace {
constexpr int kMaxStatChars = 255;

// A course-map save killed before its rename leaves its temporary file next
// to the file; the folder of the last course-map file is where a start looks.
void RemoveCourseMapLeftovers(const FrameworkProfile& profile) {
    const QString folder =
        profile.GetProfileString(settings::kMapFileSection, settings::kMapFileEntry, settings::kNothingPath);
    if (folder != settings::kNothingPath && COrveloApp::IsFolderOrDrive(folder))
        orvelo::RemoveMapFileLeftovers(folder.toStdU16String());
}
// Calls the work once, queued behind the window's first paint event.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget& window, std::function<void()> work) : QObject(&window), m_work(std::move(work)) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_work) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this, work = std::move(m_work)] {
                work();
                deleteLater();
            }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

void RunAfterFirstPaint(QWidget& window, std::function<void()> work) { new AfterFirstPaint(window, std::move(work)); }
}  // namespace

COrveloApp::COrveloApp(AppSettings& settings, orvelo::LapDataCore& core, ShellWindowFactory& factory)
    : m_settings(settings), m_core(core), m_factory(factory) {
    // Whatever lap colours the settings take, stored or built-in, the compared laps take too.
    m_settings.Colors().SetLapColorsTaken(
        [this](const ColorSettings::LapColors& colors) { orvelo::ApplyLapColors(m_core, colors); });
}

COrveloApp::~COrveloApp() {
    // The frame's work areas still leave the lists kept here.
    m_mainFrame.reset();
    m_settings.Colors().SetLapColorsTaken({});
    m_settings.UserRegistry().SetSaveFailedHandler({});
}

void COrveloApp::SetMainFrame(std::unique_ptr<CMainFrame> frame) { m_mainFrame = std::move(frame); }

bool COrveloApp::CheckSingleInstance(platform::SingleInstance& instance) {
    if (instance.TryAcquire())
        return true;
    platform::ShowMessageBox(nullptr, QStringLiteral("There is already this app."), QStringLiteral("WARN."));
    instance.AskRunningToActivate();
    return false;
}

bool COrveloApp::InitInstance(platform::SingleInstance* instance) {
    // Qt sets the locale from the environment; numbers keep '.' so that
    // texts such as "%1.1f" labels read back everywhere.
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    if (instance && !CheckSingleInstance(*instance))
        return false;
    m_settings.UserRegistry().SetSaveFailedHandler([this](const QString& reason) { ReportSettingsNotSaved(reason); });

    m_desktopFolder = GetDesktopPath();
    m_basePath = settings::kSettingsKeyPath;
    m_mapSegInfoPath = settings::SubKeyPath(settings::kMapSegInfo);
    m_itemColorInfoPath = settings::SubKeyPath(settings::kItemColorInfo);
    m_channelNameScaleInfoPath = settings::SubKeyPath(settings::kChannelNameScaleInfo);
    m_windowViewInfoPath = settings::SubKeyPath(settings::kWindowViewInfo);
    {
        // The keys and whatever start-up writes are saved once.
        SettingsBatch batch(m_settings.Store());
        m_settings.Store().CreateSettingsKeys();
        m_settings.Store().RegCountValues(m_windowViewInfoPath, &m_windowViewValueCount);
        m_settings.Store().RegCountValues(m_itemColorInfoPath, &m_itemColorValueCount);

        auto frame = std::make_unique<CMainFrame>(*this);
        if (!frame->Create())
            return false;
        m_mainFrame = std::move(frame);

        OnFileNew();  // the command line's default command
    }

    // Nothing the first picture shows needs the look into the course-map folder: it waits until then.
    RunAfterFirstPaint(*m_mainFrame, [this] { RemoveCourseMapLeftovers(m_settings.Profile()); });
    m_mainFrame->show();
    if (instance) {
        m_instance = instance;
        instance->Listen();
        QObject::connect(instance, &platform::SingleInstance::ActivationRequested, m_mainFrame.get(),
                         [this] { m_mainFrame->BringToFront(); });
    }
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { RunIdleWork(); });
    return true;
}

void COrveloApp::OnFileNew() {
    if (m_windowViewValueCount != 0 && RestoreSavedWorkAreas())
        return;
    const int slot = TakeFreeSlot();
    ++m_openWorkAreaCount;
    m_creatingSlot = slot;
    if (!CreateNewDocument()) {
        DecrementOpenWorkAreaCount();
        m_workAreaIdSlots[static_cast<std::size_t>(slot)] = 0;
    }
}

// The first new work area of a run reopens the work areas open at the last
// close; true when it did (nothing more to create). The logging-time window
// comes back as it was left either way.
bool COrveloApp::RestoreSavedWorkAreas() {
    const bool restored = ReopenSavedWorkAreas();
    if (m_mainFrame)
        platform::PostMessage(m_mainFrame->Handle(), platform::UM_CLOCK_TIME_WINDOW_VIEW, 0, 0);
    return restored;
}

bool COrveloApp::ReopenSavedWorkAreas() {
    const bool read = WorkAreaListSetting(0) == 0;
    m_windowViewValueCount = 0;
    if (read && m_workAreaNum > 0 && !(m_workAreaNum == 1 && m_workAreaIdMax == 1)) {
        int created = 0;
        const QString stat = m_workAreaStat.left(kMaxStatChars);
        for (int i = 0; i < stat.size(); ++i) {
            if (stat[i].digitValue() <= 0) {
                m_workAreaIdSlots.push_back(0);
                continue;
            }
            m_workAreaIdSlots.push_back(1);
            ++m_openWorkAreaCount;
            m_creatingSlot = i;
            if (CreateNewDocument()) {
                ++created;
            } else {
                DecrementOpenWorkAreaCount();
                m_workAreaIdSlots.back() = 0;
            }
        }
        if (created > 0) {
            if (m_mainFrame)
                platform::SendMessage(m_mainFrame->Handle(), platform::UM_MDI_CHILD_ACTIVATE, 0, 1);
            return true;
        }
        // Saved values that name no open work area: start as if nothing was saved.
        m_workAreaIdSlots.clear();
    }
    return false;
}

int COrveloApp::TakeFreeSlot() {
    for (std::size_t i = 0; i < m_workAreaIdSlots.size(); ++i) {
        if (m_workAreaIdSlots[i] == 0) {
            m_workAreaIdSlots[i] = 1;
            return static_cast<int>(i);
        }
    }
    m_workAreaIdSlots.push_back(1);
    return static_cast<int>(m_workAreaIdSlots.size()) - 1;
}

bool COrveloApp::CreateNewDocument() {
    if (!m_mainFrame)
        return false;
    return m_mainFrame->OpenWorkArea(m_creatingSlot + 1) != nullptr;
}

void COrveloApp::RunFileOpen(int mode) {
    QWidget* owner = m_mainFrame.get();
    const bool log = mode == 0;
    if (RunFileSelectionDialog(*this, owner, mode) == QDialog::Accepted) {
        if (m_filesChosen <= 0)
            return;
        const QStringList cutOff = CSelectFile_Dlg::CutOffFiles(m_core, mode);
        if (!m_readError && cutOff.isEmpty()) {
            platform::ShowMessageBox(owner,
                                     log ? QStringLiteral("OK , finish read log-file")
                                         : QStringLiteral("OK , finish read Map-file"),
                                     QStringLiteral("OK"), platform::kMbIconInformation);
        } else {
            // The user is told which files failed; the discard forgets them.
            QStringList lines{log ? QStringLiteral("ERROR , failed read log-file")
                                  : QStringLiteral("ERROR , failed read Map-file")};
            lines += CSelectFile_Dlg::FailedFiles(m_core, mode);
            // Loaded and listed all the same: only the cut record is lost.
            for (const QString& path : cutOff)
                lines += path + QStringLiteral(" (last record cut off; the records before it were read)");
            {
                platform::WaitCursor wait; // a partly read course map may give back much memory
                log ? orvelo::DiscardUnloadedLogFiles(m_core) : orvelo::DiscardUnloadedMapFiles(m_core);
            }
            platform::ShowMessageBox(owner, lines.join(QLatin1Char('\n')), QStringLiteral("OK"),
                                     platform::kMbIconError);
        }
        return;
    }
    log ? orvelo::PurgeLogFileList(m_core) : orvelo::PurgeMapFileList(m_core);
    m_filesChosen = 0;
}

void COrveloApp::ReportSettingsNotSaved(const QString& reason) {
    if (m_toldSettingsNotSaved)
        return;
    m_toldSettingsNotSaved = true;
    platform::ShowMessageBox(m_mainFrame.get(),
                             QStringLiteral("Warning , failed save settings.\n"
                                            "The settings of this session will not be kept.\n\n") +
                                 reason,
                             QStringLiteral("WARN"), platform::kMbIconWarning);
}

void COrveloApp::OnCloseLogFile() { RunFileClosingDialog(*this, m_mainFrame.get(), 0, QString(), 0); }

void COrveloApp::OnCloseMapFile() { RunFileClosingDialog(*this, m_mainFrame.get(), 0, QString(), 1); }

void COrveloApp::OnAppAbout() {
    AboutBox box(GetProductVersion(), m_mainFrame.get());
    box.Run();
}

void COrveloApp::OnAppExit() {
    if (m_mainFrame)
        m_mainFrame->close();
}

bool COrveloApp::OnIdle(int count) {
    const int panes = m_mainFrame ? m_mainFrame->DockingPaneCounter() : 0;
    if (count == 0 && panes < 2)
        return true;
    if (count == 0 && panes == 2) {
        m_mainFrame->SetDockingPaneCounter(3);
        return false;
    }
    if (count == 0 && m_mainFrame) {
        m_mainFrame->UpdateCommandStates();
        for (CChildFrame* frame : m_workAreaWindowList)
            frame->Document().OnIdle();
    }
    return count < 1;
}

void COrveloApp::RunIdleWork() {
    int count = 0;
    while (OnIdle(count) && count < 2)
        ++count;
}

int COrveloApp::WorkAreaListSetting(int op) {
    SettingsStore& store = m_settings.Store();
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    if (op == 1) {
        SettingsBatch batch(store);
        const auto num = static_cast<std::uint32_t>(m_workAreaWindowList.size());
        const auto idMax = static_cast<std::uint32_t>(m_workAreaIdSlots.size());
        if (store.RegWriteDword(key, settings::kWorkAreaNum, &num) != 0 ||
            store.RegWriteDword(key, settings::kWorkAreaIdMax, &idMax) != 0)
            return 1;
        const QString stat = BuildWorkAreaStatString();
        if (!stat.isEmpty() && store.RegWriteString(key, settings::kWorkAreaStat, stat) != 0)
            return 1;
        return batch.End();
    }
    std::uint32_t num = 0;
    std::uint32_t idMax = 0;
    if (store.ReadExact(key, settings::kWorkAreaNum, platform::kRegDword, &num, sizeof num) != 0)
        return 1;
    m_workAreaNum = num;
    if (store.ReadExact(key, settings::kWorkAreaIdMax, platform::kRegDword, &idMax, sizeof idMax) != 0)
        return 1;
    m_workAreaIdMax = idMax;
    QString stat;
    if (store.RegReadString(key, settings::kWorkAreaStat, &stat) != 0)
        return 1;
    m_workAreaStat = stat;
    return 0;
}

QString COrveloApp::BuildWorkAreaStatString() const {
    QString stat;
    for (std::uint32_t slot : m_workAreaIdSlots)
        stat += slot != 0 ? QLatin1Char('1') : QLatin1Char('0');
    return stat;
}

int COrveloApp::LogTimeWndViewSetting(int op, std::int32_t* shown) {
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    if (op == 1)
        return m_settings.Store().RegWriteDword(key, settings::kLogTimeWndView, shown);
    return m_settings.Store().ReadExact(key, settings::kLogTimeWndView, platform::kRegDword, shown, sizeof *shown);
}

int COrveloApp::RemoveWorkAreaWindow(CChildFrame* frame) {
    if (m_workAreaWindowList.empty())
        return 0;
    for (auto it = m_workAreaWindowList.begin(); it != m_workAreaWindowList.end(); ++it) {
        if (*it == frame) {
            m_workAreaWindowList.erase(it);
            return static_cast<int>(m_workAreaWindowList.size());
        }
    }
    return -1;
}

void COrveloApp::ReleaseInstanceMark() {
    if (m_instance)
        m_instance->disconnect(m_mainFrame.get());
    m_instance = nullptr;
}

void COrveloApp::LoadSegmentGroups() { m_settings.LoadSegmentGroups(); }

std::deque<orvelo::SegmentGroup>& COrveloApp::SegmentGroups() { return m_settings.SegmentGroups(); }

bool COrveloApp::IsFolderOrDrive(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

QString COrveloApp::GetProductVersion() { return QCoreApplication::applicationVersion(); }

QString COrveloApp::GetDesktopPath() {
    const QString drive = qEnvironmentVariable("HOMEDRIVE");
    const QString path = qEnvironmentVariable("HOMEPATH");
    if (!drive.isEmpty() && !path.isEmpty())
        return drive + path + QStringLiteral("/Desktop");
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
        return desktop;
    return QDir::homePath();
}
