// The shell harness with the program's own window factory: what a user gets.
#pragma once

#include "shell/ShellHarness.h"

#include "app/ProgramWindowFactory.h"
#include "graphs/CLapOverviewDlg.h"
#include "platform/ModalDialog.h"
#include "shell/CCustomDrawListCtrlDlg.h"

#include <QPushButton>

class ProgramHarness : public ShellHarness {
public:
    explicit ProgramHarness(platform::RegistryTree saved = {})
        : ShellHarness(std::move(saved), [](AppSettings& settings, orvelo::LapDataCore& core) {
              return std::make_unique<ProgramWindowFactory>(settings, core);
          }) {}

    // A lap overview opened in the first work area, as its command does; null when none opened.
    CLapOverviewDlg* OpenLapOverview() {
        COrveloView& view = *WorkAreas().front()->View();
        view.OnLapOverviewGraph();
        for (int i = 0; i < 3; ++i)
            Drain();
        return dynamic_cast<CLapOverviewDlg*>(view.GraphWindows().back().window);
    }
    // File > Close log file..., "Close All", OK.
    void CloseAllLogFiles() {
        platform::ModalDialogScript script;
        script.Queue([](QDialog& dialog) {
            auto& closing = dynamic_cast<CCustomDrawListCtrlDlg&>(dialog);
            closing.CloseAllButton().click();
            closing.OkButton().click();
            return dialog.result();
        });
        App().OnCloseLogFile();
        for (int i = 0; i < 3; ++i)
            Drain();
    }
};

// Delivers what is posted and what that posts in turn, as the event loop would between two user actions.
inline void Drain() {
    for (int i = 0; i < 3; ++i)
        ShellHarness::Drain();
}
