// Controls are named by their resource id, so that code and tests find a
// dialog's control the way the dialog resources number them.
#pragma once

#include <QString>
#include <QWidget>

namespace platform {

inline QString ControlName(int id) { return QString::number(id); }

// Gives the widget the name of its control id and returns it.
template <class T>
T* NamedControl(T* widget, int id) {
    widget->setObjectName(ControlName(id));
    return widget;
}

// The control of that id among the widget's children, or nullptr.
template <class T>
T* FindControl(const QWidget& parent, int id) {
    return parent.findChild<T*>(ControlName(id));
}

}  // namespace platform
