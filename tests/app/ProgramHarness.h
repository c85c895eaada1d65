// The shell harness with the program's own window factory: what a user gets.
#pragma once

#include "shell/ShellHarness.h"

#include "app/ProgramWindowFactory.h"
#include "graphs/CLapOverviewDlg.h"
#include "platform/ColorPickButton.h"
#include "platform/ControlId.h"
#include "platform/ModalDialog.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"
#include "shell/CClassView.h"
#include "shell/CCustomDrawListCtrlDlg.h"
#include "shell/CLapColorPropDlg.h"
#include "shell/LapListModel.h"

#include <QAbstractButton>
#include <QPushButton>

// Delivers what is posted and what that posts in turn, as the event loop would between two user actions.
inline void Drain() {
    for (int i = 0; i < 3; ++i)
        ShellHarness::Drain();
}

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
        ::Drain();
        return dynamic_cast<CLapOverviewDlg*>(view.GraphWindows().back().window);
    }
    // Lap color property... over the lap list's Base column: one colour picked, OK, the dialog answered
    // through dialogs.
    void PickLapColour(platform::ModalDialogScript& dialogs, int button, orvelo::COLORREF colour) {
        platform::PopupMenuScript menus;
        menus.QueueChoice(QStringLiteral("Lap color property..."));
        dialogs.Queue([=](QDialog& dialog) {
            dynamic_cast<CLapColorPropDlg&>(dialog).Button(button)->Pick(colour);
            platform::FindControl<QAbstractButton>(dialog, CLapColorPropDlg::kOk)->click();
            return dialog.result();
        });
        const HeaderHitRecord baseColumn{laplist::kBaseColumn, 10, 10};
        platform::SendMessage(Frame().LapList()->Handle(),
                              platform::MessageWithBlock(platform::UM_LIST_HEADER_RIGHT_CLICK, 0, baseColumn));
        ::Drain();
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
        ::Drain();
    }
};

