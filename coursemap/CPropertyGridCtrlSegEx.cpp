#include "coursemap/CPropertyGridCtrlSegEx.h"

#include "coursemap/CPropGridPropSegExt.h"

#include "platform/MessageBus.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>

CPropertyGridCtrlSegEx::CPropertyGridCtrlSegEx(QWidget* parent) : PropertyGrid(parent) {
    SetEditHooks([this](platform::PropertyGridItem& item) { OnBeginEdit(item); },
                 [this](platform::PropertyGridItem& item) { OnEndEdit(item); });
}

void CPropertyGridCtrlSegEx::SetBoldFont() {
    QFont font = QApplication::font();
    font.setWeight(QFont::DemiBold);
    setFont(font);
}

void CPropertyGridCtrlSegEx::Initialise(platform::WindowHandle notify) {
    EnableHeaderCtrl(true, QStringLiteral("Property"), QStringLiteral("Value"));
    m_notify = notify;
    SetLeftColumnWidth(64);
    SetHeaderItems({QStringLiteral("Seg.No."), QStringLiteral("Dist.Value")}, 200);
}

CPropGridPropSegExt* CPropertyGridCtrlSegEx::Group(const QString& name) const {
    for (int i = 0; i < PropertyCount(); ++i) {
        if (auto* group = dynamic_cast<CPropGridPropSegExt*>(Property(i)); group && group->Name() == name)
            return group;
    }
    return nullptr;
}

CPropGridPropSegExt* CPropertyGridCtrlSegEx::Row(const QString& group, int number) const {
    const CPropGridPropSegExt* caption = Group(group);
    for (int i = 0; caption && i < caption->SubItemCount(); ++i) {
        auto* row = dynamic_cast<CPropGridPropSegExt*>(caption->SubItem(i));
        bool ok = false;
        if (row && row->Name().toInt(&ok) == number && ok)
            return row;
    }
    return nullptr;
}

void CPropertyGridCtrlSegEx::OnBeginEdit(platform::PropertyGridItem& item) {
    m_editedRow = item.Name().toInt();
    m_editedValue = item.IntValue();
    m_editedGroup = item.parent() ? item.parent()->text(0) : QString();
}

void CPropertyGridCtrlSegEx::OnEndEdit(platform::PropertyGridItem& item) {
    const QString group = item.parent() ? item.parent()->text(0) : QString();
    if (item.Name().toInt() != m_editedRow || group != m_editedGroup)
        return;
    const int value = item.IntValue();
    if (value < 1 || value > kLargestLength) {
        RestoreEditedValue();
        return;
    }
    // The name travels as the message's own copy: another edit may start before it arrives.
    platform::PostMessage(m_notify, platform::MessageWithBlockInWParam(platform::UM_SEGMENT_LENGTH_CHANGED, m_editedGroup,
                                                                       platform::MakeLong(value, m_editedRow)));
}

void CPropertyGridCtrlSegEx::RestoreEditedValue() {
    if (CPropGridPropSegExt* row = Row(m_editedGroup, m_editedRow))
        row->SetValue(QString::number(m_editedValue));
}

void CPropertyGridCtrlSegEx::OnGroupCommand(int id, const QString& group) {
    if (id < kCmdAddGroup || id > 4)
        return;
    if (id == kCmdAddGroup) {
        platform::PostMessage(m_notify, platform::UM_EDITING_GROUP_NAME, static_cast<platform::WParam>(id), 0);
        return;
    }
    platform::PostMessage(m_notify, platform::MessageWithBlock(platform::UM_EDITING_GROUP_NAME,
                                                               static_cast<platform::WParam>(id), group));
}

// The viewport's menu requests arrive here in its coordinates.
void CPropertyGridCtrlSegEx::contextMenuEvent(QContextMenuEvent* event) {
    const auto* caption = dynamic_cast<platform::PropertyGridItem*>(itemAt(event->pos()));
    if (!caption || !caption->IsGroup())
        return;
    const QString group = caption->Name();
    QMenu menu(this);
    menu.addAction(RenameEntry(group))->setData(kCmdRenameGroup);
    menu.addSeparator();
    if (QAction* chosen = platform::RunPopupMenu(menu, event->globalPos()))
        OnGroupCommand(chosen->data().toInt(), group);
}
