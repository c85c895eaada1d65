// Stand-in for a modal dialog that later work builds: an empty dialog with
// the real one's title, run through the platform's modal runner so a test can
// see that it was asked for. It changes nothing and answers Cancel.
#pragma once

#include <QDialog>

class ModalDialogStandIn : public QDialog {
public:
    ModalDialogStandIn(const QString& objectName, const QString& title, QWidget* parent);
    // Runs a stand-in modally; the result of the dialog.
    static int Run(const QString& objectName, const QString& title, QWidget* parent);
};
