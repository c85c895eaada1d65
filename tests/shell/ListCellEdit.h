// A cell of the setup dialog's channel list edited as a user does: its editor
// opened, a new text typed in, Return.
#pragma once

#include "shell/CListCtrl_EditCstmDraw.h"
#include "shell/CListEdit.h"

#include <QCoreApplication>
#include <QTest>

inline void EditListCell(CListCtrl_EditCstmDraw& list, int row, int column, const QString& text) {
    list.editItem(list.item(row, column));
    auto* editor = list.viewport()->findChild<CListEdit*>();
    if (!editor)
        return;
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::sendPostedEvents();  // the view commits the editor's text after the key
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // and lets its editor go
}
