#include "shell/GraphWindowStandIn.h"

namespace {
QString TitleOf(int kind, int workAreaNumber, int slot) {
    const QString name = kind == GraphWindow::kLapOverview ? QStringLiteral("Lap overview")
                                                           : QStringLiteral("File overview");
    return QStringLiteral("%1 %2-%3").arg(name).arg(workAreaNumber).arg(slot);
}
}  // namespace

GraphWindowStandIn::GraphWindowStandIn(QWidget* view, int kind, int workAreaNumber, int slot, bool restored)
    : StandInWindow(TitleOf(kind, workAreaNumber, slot), view), m_kind(kind), m_slot(slot), m_restored(restored) {
    setFrameStyle(QFrame::Box);
    move(20 * slot, 20 * slot);
    resize(260, 160);
}
