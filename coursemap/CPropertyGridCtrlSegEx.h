// The segment grid of the course map viewer: one group of rows per segment group, each row a
// segment number ("Seg.No.") and its length in metres ("Dist.Value"), the lengths typed in. A
// typed length goes to the viewer (UM_SEGMENT_LENGTH_CHANGED with a copy of the group's name and
// MAKELONG(length, segment)); one outside 1 to 65535, which the message cannot carry, is put back
// at once. The group menu offers renaming a group (UM_EDITING_GROUP_NAME).
#pragma once

#include "platform/PropertyGrid.h"
#include "platform/WindowMessage.h"

#include <QString>

class CPropGridPropSegExt;

class CPropertyGridCtrlSegEx : public platform::PropertyGrid {
public:
    static constexpr int kLargestLength = 65535;
    // The group menu's commands (1 to 4 reach the viewer; it offers 2).
    static constexpr int kCmdAddGroup = 1;
    static constexpr int kCmdRenameGroup = 2;

    explicit CPropertyGridCtrlSegEx(QWidget* parent = nullptr);

    // The desktop's GUI font, semi-bold.
    void SetBoldFont();
    // The viewer's set-up, once: the header and the window told about edits and the menu.
    void Initialise(platform::WindowHandle notify);

    // Puts the value the edited row had before its edit back (the viewer refused the length).
    void RestoreEditedValue();
    // The caption of a group, and its row of segment number k (from 1).
    CPropGridPropSegExt* Group(const QString& name) const;
    CPropGridPropSegExt* Row(const QString& group, int number) const;

    // The group menu over a caption: its entries, and what choosing command id does.
    static QString RenameEntry(const QString& group) { return QStringLiteral("Rename group : ") + group; }
    void OnGroupCommand(int id, const QString& group);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnBeginEdit(platform::PropertyGridItem& item);
    void OnEndEdit(platform::PropertyGridItem& item);

    platform::WindowHandle m_notify = platform::kNoWindow;
    // The row being edited: its number, its value before the edit and its group's name.
    int m_editedRow = -1;
    int m_editedValue = 0;
    QString m_editedGroup;
};
