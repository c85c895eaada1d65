#include "shell/ModalDialogStandIn.h"

#include "platform/ModalDialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

ModalDialogStandIn::ModalDialogStandIn(const QString& objectName, const QString& title, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(title);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buttons);
}

int ModalDialogStandIn::Run(const QString& objectName, const QString& title, QWidget* parent) {
    ModalDialogStandIn dialog(objectName, title, parent);
    return platform::RunModalDialog(dialog);
}
