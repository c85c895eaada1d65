#include "shell/AboutBox.h"

#include "platform/ModalDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

AboutBox::AboutBox(const QString& version, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Varnek Orvelo"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Varnek Orvelo"), this));
    m_version = new QLabel(QStringLiteral("Version %1").arg(version), this);
    layout->addWidget(m_version);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

int AboutBox::Run() { return platform::RunModalDialog(*this); }

QString AboutBox::VersionText() const { return m_version->text(); }
