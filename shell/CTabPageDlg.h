// Base of the pages that a CTabPageCtrl shows, one a tab: a widget with a
// message window of its own, so a page receives the messages meant for it.
#pragma once

#include "platform/MessageWindow.h"

#include <QWidget>

class CTabPageDlg : public QWidget {
public:
    explicit CTabPageDlg(const QString& objectName, QWidget* parent = nullptr);

    platform::WindowHandle Handle() const { return m_window.Handle(); }

protected:
    platform::MessageWindow& Window() { return m_window; }

private:
    platform::MessageWindow m_window;
};
