#include "platform/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace platform {

namespace {
bool RoleOf(int index, QPalette::ColorGroup* group, QPalette::ColorRole* role) {
    *group = QPalette::Active;
    switch (index) {
    case kColorWindow: *role = QPalette::Base; return true;
    case kColorWindowText: *role = QPalette::Text; return true;
    case kColorHighlight: *role = QPalette::Highlight; return true;
    case kColorHighlightText: *role = QPalette::HighlightedText; return true;
    case kColorBtnFace: *role = QPalette::Button; return true;
    case kColorGrayText:
        *group = QPalette::Disabled;
        *role = QPalette::Text;
        return true;
    case kColorBtnText: *role = QPalette::ButtonText; return true;
    case kColorBtnHighlight: *role = QPalette::Light; return true;
    default: return false;
    }
}
}  // namespace

ColorRef SystemColor(int index) {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    if (!RoleOf(index, &group, &role))
        return 0;
    const QPalette palette = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                 ? QGuiApplication::palette()
                                 : QPalette(QColor(0xF0, 0xF0, 0xF0));
    return FromQColor(palette.color(group, role));
}

}  // namespace platform
