// The editable list of the setup dialog's channel page. A double click edits
// the cell under the cursor in place (CListEdit); a finished edit that is
// not empty becomes the cell's text and is posted to the owner window as
// UM_INPUT_PROPERTY_VALUE_OF_CHANNEL_MAX (wParam: the text, a copy owned by
// the message; lParam: row << 16 | column). The owner checks it and may put
// the previous text back. Rows alternate two light colours.
#pragma once

#include "platform/WindowMessage.h"
#include "shell/CListCtrlCustomDrawEx.h"

#include <functional>

class CListCtrl_EditCstmDraw : public CListCtrlCustomDrawEx {
public:
    static constexpr platform::ColorRef kEvenRowColor = 0xFFF0DE;
    static constexpr platform::ColorRef kOddRowColor = 0xEFE8E5;

    explicit CListCtrl_EditCstmDraw(QWidget* parent = nullptr);

    void SetOwner(platform::WindowHandle owner) { m_owner = owner; }
    // The cell being edited; column -1 while none is.
    int EditRow() const { return m_editRow; }
    int EditColumn() const { return m_editColumn; }

    platform::ColorRef GetCellTextColor(int item, int subItem) const override;
    platform::ColorRef GetCellBkColor(int item, int subItem) const override;
    QString FitCellText(const QFontMetrics& metrics, const QString& text, int width) const override;

    // The longest start of text that fits the width with "..." after it; the text itself when it fits.
    static QString FitTextWithEllipsis(const QString& text, int width, const std::function<int(const QString&)>& widthOf);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    class EditDelegate;

    // The editor's text becomes the cell's and goes to the owner.
    void TakeEditText(int row, int column, const QString& text);
    // No cell is edited or selected any more.
    void ClearEdit();

    bool SelectedNotEditing(int row) const;

    platform::WindowHandle m_owner = platform::kNoWindow;
    int m_editRow = -1;
    int m_editColumn = -1;
    bool m_textTaken = false;  // the open editor's text was taken; its close ends the edit
};
