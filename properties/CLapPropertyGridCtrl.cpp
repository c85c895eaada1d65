#include "properties/CLapPropertyGridCtrl.h"

#include <QApplication>

CLapPropertyGridCtrl::CLapPropertyGridCtrl(QWidget* parent) : PropertyGrid(parent) {}

void CLapPropertyGridCtrl::SetBoldFont() {
    QFont font = QApplication::font();
    font.setWeight(QFont::DemiBold);
    setFont(font);
}

void CLapPropertyGridCtrl::SetupColumns() {
    EnableHeaderCtrl(true, QStringLiteral("Property"), QStringLiteral("Value"));
    // The header's own items replace the two titles; only the first two stand over columns.
    SetHeaderItems({QStringLiteral("LapNo."), QStringLiteral("Value"), QStringLiteral("Lap"), QStringLiteral("Lapno")},
                   100);
}
