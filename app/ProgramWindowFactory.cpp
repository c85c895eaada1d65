#include "app/ProgramWindowFactory.h"

#include "coursemap/CCourseMapViewerDlg.h"
#include "coursemap/CSegListPane.h"
#include "graphs/CFileOverviewGlaphDlg.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/CYScaleControllableDlg.h"
#include "properties/CPropertiesWnd.h"
#include "shell/CMainFrame.h"

#include "platform/MessageBus.h"
#include "platform/ModalDialog.h"

ProgramWindowFactory::ProgramWindowFactory(AppSettings& settings, orvelo::LapDataCore& core)
    : m_settings(settings), m_core(core), m_graphHost(settings, core) {}

PropertiesPane* ProgramWindowFactory::CreatePropertiesPane(QWidget* parent, platform::WindowHandle mainFrame) {
    m_graphHost.SetMainFrame(mainFrame);
    // The pane reads whose cursor the main frame relays, and that window's axis and channels as they are.
    return new CPropertiesWnd(parent, m_core, m_settings, mainFrame, [mainFrame] {
        const CMainFrame* frame = platform::WindowFromHandle<CMainFrame>(mainFrame);
        const auto* owner = frame ? platform::WindowFromHandle<CLapOverviewDlg>(frame->CursorOwner()) : nullptr;
        return owner ? CursorWindow{owner->Handle(), owner->XAxisMode(), owner->ChannelMask()} : CursorWindow{};
    });
}

SegmentListPane* ProgramWindowFactory::CreateSegmentListPane(QWidget* parent, platform::WindowHandle mainFrame) {
    return new CSegListPane(parent, m_core, mainFrame);
}

void ProgramWindowFactory::RunCourseMapViewer(QWidget* parent, platform::WindowHandle mainFrame,
                                              const CourseRegistry& registry, int listMode, const CourseBlock& course) {
    CCourseMapViewerDlg dialog(m_core, m_settings, mainFrame, registry, listMode, course, parent);
    platform::RunModalDialog(dialog);
}

GraphWindow* ProgramWindowFactory::CreateGraphWindow(QWidget* view, platform::WindowHandle viewHandle, int kind,
                                                     int workAreaNumber, int slot, bool restored) {
    if (kind == GraphWindow::kLapOverview)
        return new CLapOverviewDlg(m_graphHost, view, viewHandle, workAreaNumber, slot, restored);
    if (kind == GraphWindow::kFileOverview)
        return new CFileOverviewGlaphDlg(m_graphHost, view, viewHandle, workAreaNumber, slot, restored);
    return nullptr;
}

YScaleWindow* ProgramWindowFactory::CreateYScaleWindow(QWidget* parent, platform::WindowHandle mainFrame) {
    return new CYScaleControllableDlg(parent, mainFrame, m_settings, m_core);
}
