#include "shell/FileDialogRunners.h"

#include "shell/ModalDialogStandIn.h"

int RunFileSelectionDialog(COrveloApp&, QWidget* parent, int mode) {
    return ModalDialogStandIn::Run(QStringLiteral("SelectFileDialog"),
                                   mode == 0 ? QStringLiteral("Open log file") : QStringLiteral("Open map file"),
                                   parent);
}

int RunFileClosingDialog(COrveloApp&, QWidget* parent, int, const QString&, int mode) {
    return ModalDialogStandIn::Run(QStringLiteral("CloseFileDialog"),
                                   mode == 0 ? QStringLiteral("Close log file") : QStringLiteral("Close map file"),
                                   parent);
}
