// The main window maximised or at a size, as the user leaves it before a layout is stored.
#pragma once

#include "app/ProgramHarness.h"

#include <QCoreApplication>

inline void SizeMainWindow(ProgramHarness& h, bool maximised, const QSize& size) {
    if (maximised)
        h.Frame().showMaximized();
    else
        h.Frame().resize(size);
    QCoreApplication::processEvents();
    Drain();
}
