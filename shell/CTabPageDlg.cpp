#include "shell/CTabPageDlg.h"

CTabPageDlg::CTabPageDlg(const QString& objectName, QWidget* parent) : QWidget(parent), m_window(this) {
    setObjectName(objectName);
}
