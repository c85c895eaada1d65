#include "shell/ColorPropertyDialog.h"

#include "platform/CColorButton.h"
#include "platform/CStaticColorSel.h"
#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "platform/UserMessages.h"
#include "platform/ModalDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

ColorPropertyDialog::ColorPropertyDialog(const QString& objectName, const QString& title,
                                         platform::WindowHandle requester, QWidget* parent)
    : QDialog(parent), m_window(this), m_requester(requester) {
    setObjectName(objectName);
    setWindowTitle(title);
    m_window.On(platform::UM_COLOR_SELECTED, [this](const platform::Message& m) {
        OnColorReport(static_cast<int>(m.lParam), static_cast<platform::ColorRef>(m.wParam));
        return platform::LResult{0};
    });
}

void ColorPropertyDialog::OnColorReport(int controlId, platform::ColorRef color) {
    for (const SwatchField& swatch : m_swatches) {
        if (swatch.swatch->ControlId() != controlId || *swatch.field == color)
            continue;
        *swatch.field = color;
        swatch.swatch->SetColor(color);
        ++*m_count;
    }
}

void ColorPropertyDialog::OnCheckClicked(const CheckField& check) {
    const std::int32_t state = check.box->isChecked() ? 1 : 0;
    if (state == *check.field)
        return;
    *check.field = state;
    ++*m_count;
}

void ColorPropertyDialog::ShowFields() {
    for (const SwatchField& swatch : m_swatches)
        swatch.swatch->SetColor(*swatch.field);
    for (const CheckField& check : m_checks)
        check.box->setChecked(*check.field != 0);
}

void ColorPropertyDialog::SetUpButtons(QLayout* controls, int okId, int resetId) {
    auto* ok = platform::NamedControl(new CColorButton(QStringLiteral("OK"), this), okId);
    auto* reset = platform::NamedControl(new CColorButton(QStringLiteral("Reset"), this), resetId);
    auto* cancel = platform::NamedControl(new CColorButton(QStringLiteral("Cancel"), this), platform::kIdCancel);
    connect(ok, &QPushButton::clicked, this, [this] {
        Answer();
        accept();
    });
    connect(reset, &QPushButton::clicked, this, [this] { Reset(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(buttons);
    platform::ReturnPressesOk(*this, ok);
}

void ColorPropertyDialog::AddSwatch(QGridLayout& grid, int row, int column, int id, const QString& label,
                                    std::uint32_t* field) {
    auto* swatch = new CStaticColorSel(id, Handle(), this);
    swatch->setFixedSize(swatch->sizeHint());  // every swatch the same size
    swatch->SetColor(*field);
    grid.addWidget(new QLabel(label, this), row, column);
    grid.addWidget(swatch, row, column + 1);
    m_swatches.push_back({swatch, field});
}

void ColorPropertyDialog::AddCheckBox(QGridLayout& grid, int row, int id, const QString& text, std::int32_t* field) {
    auto* box = platform::NamedControl(new QCheckBox(text, this), id);
    box->setChecked(*field != 0);
    grid.addWidget(box, row, 0, 1, grid.columnCount());
    const CheckField check{box, field};
    m_checks.push_back(check);
    connect(box, &QCheckBox::clicked, this, [this, check] { OnCheckClicked(check); });
}
