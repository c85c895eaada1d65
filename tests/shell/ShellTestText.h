// Texts in test failures shown as texts, and the message boxes shown as one
// "caption|text|flags" line each, to check them in one comparison.
#pragma once

#include "platform/MessageBox.h"

#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '{' << texts.join(QStringLiteral(" ; ")).toStdString() << '}';
}

inline QString Box(const QString& caption, const QString& text, unsigned flags) {
    return caption + QLatin1Char('|') + text + QLatin1Char('|') + QString::number(flags);
}
inline QStringList Boxes(const platform::MessageBoxRecorder& recorder) {
    QStringList shown;
    for (const platform::ShownMessage& m : recorder.Shown())
        shown << Box(m.caption, m.text, m.flags);
    return shown;
}
