#include "coursemap/CEditNameDlg.h"

#include "platform/ControlId.h"
#include "platform/GdiDraw.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "platform/ModalDialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CEditNameDlg::CEditNameDlg(const QString& caption, const QString& text, platform::WindowHandle answerTo,
                           QWidget* parent)
    : QDialog(parent),
      m_answerTo(answerTo),
      m_openedWith(text),
      m_mode(text.isEmpty() ? kModeAdd : kModeRename),
      m_edit(platform::NamedControl(new QLineEdit(text, this), kEdit)) {
    setObjectName(QStringLiteral("CEditNameDlg"));
    setWindowTitle(caption);
    m_edit->setFont(platform::GdiFont(QStringLiteral("MS UI Gothic"), 16, 600));
    m_edit->setMaxLength(kMaxNameChars);
    auto* ok = platform::NamedControl(new QPushButton(QStringLiteral("OK"), this), kOk);
    auto* cancel = platform::NamedControl(new QPushButton(QStringLiteral("Cancel"), this), kCancel);
    connect(ok, &QPushButton::clicked, this, [this] { OnOk(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    platform::ReturnPressesOk(*this, ok);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);
}

void CEditNameDlg::OnOk() {
    m_text = m_edit->text();
    if (!m_text.isEmpty() && m_text != m_openedWith)
        platform::SendMessage(m_answerTo, platform::UM_AFTER_EDIT_GROUP_NAME, static_cast<platform::WParam>(m_mode),
                              reinterpret_cast<platform::LParam>(&m_text));
    accept();
}
