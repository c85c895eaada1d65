#include "coursemap/CInputSegLenDlg.h"

#include "platform/ControlId.h"
#include "platform/GdiDraw.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "platform/ModalDialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CInputSegLenDlg::CInputSegLenDlg(int maximum, platform::WindowHandle receiver, QWidget* parent)
    : QDialog(parent),
      m_maximum(maximum),
      m_receiver(receiver),
      m_edit(platform::NamedControl(new QLineEdit(this), kLengthEdit)),
      m_maximumText(platform::NamedControl(new QLabel(this), kMaximumText)) {
    setObjectName(QStringLiteral("CInputSegLenDlg"));
    setWindowTitle(QStringLiteral("Input Segment Length"));
    const bool shortLap = maximum <= 1000;
    m_default = shortLap ? 200 : 300;
    m_lower = shortLap ? 50 : 100;
    m_upper = maximum - m_lower;
    m_length = m_default;
    m_edit->setFont(platform::GdiFont(QStringLiteral("MS UI Gothic"), 16, 600));
    m_edit->setText(QString::number(m_default));
    m_maximumText->setFont(platform::GdiFont(QStringLiteral("Verdana"), 12, 600));
    m_maximumText->setText(QStringLiteral("/ %1 %2").arg(maximum).arg(QStringLiteral("meters")));

    auto* ok = platform::NamedControl(new QPushButton(QStringLiteral("OK"), this), kOk);
    auto* cancel = platform::NamedControl(new QPushButton(QStringLiteral("Cancel"), this), kCancel);
    connect(ok, &QPushButton::clicked, this, [this] { OnOk(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    platform::ReturnPressesOk(*this, ok);
    auto* row = new QHBoxLayout;
    row->addWidget(m_edit);
    row->addWidget(m_maximumText);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
}

bool CInputSegLenDlg::ExchangeLength() {
    const QString caption = QCoreApplication::applicationName();
    bool ok = false;
    const int length = m_edit->text().trimmed().toInt(&ok);
    if (!ok) {
        platform::ShowMessageBox(this, QStringLiteral("Please enter an integer."), caption, platform::kMbIconWarning);
        return false;
    }
    if (length < m_lower || length > m_upper) {
        platform::ShowMessageBox(this, QStringLiteral("Please enter an integer between %1 and %2.").arg(m_lower).arg(m_upper),
                                 caption, platform::kMbIconWarning);
        return false;
    }
    m_length = length;
    return true;
}

void CInputSegLenDlg::OnOk() {
    // A length beyond the lap is refused before the bounds are checked, and the proposal comes back.
    bool number = false;
    if (m_edit->text().trimmed().toInt(&number) > m_maximum && number) {
        platform::ShowMessageBox(this, QStringLiteral("ERROR , Segment length is over Map-length !"),
                                 QStringLiteral("ERROR"), platform::kMbIconError);
        m_edit->setText(QString::number(m_default));
        return;
    }
    if (!ExchangeLength())
        return;
    platform::PostMessage(m_receiver, platform::UM_INPUT_SEGMENT_LENGTH_DIALOG, static_cast<platform::WParam>(m_length),
                          0);
    accept();
}
