// Base of the four colour property dialogs: each edits a copy of a colour
// block for the window that asked for it (the requester) and, on OK, sends
// the edited block back only when it counted changes. The base gives the
// dialog's message window (its swatches report to it with
// UM_COLOR_SELECTED), the OK, Reset and Cancel buttons under the colour
// controls, and Cancel without an answer.
#pragma once

#include "platform/ColorRef.h"
#include "platform/MessageWindow.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class CStaticColorSel;
class QCheckBox;
class QGridLayout;
class QLayout;

class ColorPropertyDialog : public QDialog {
public:
    platform::WindowHandle Handle() const { return m_window.Handle(); }
    platform::WindowHandle Requester() const { return m_requester; }

protected:
    ColorPropertyDialog(const QString& objectName, const QString& title, platform::WindowHandle requester,
                        QWidget* parent);

    // Puts the colour controls over the buttons OK (okId), Reset (resetId) and Cancel.
    void SetUpButtons(QLayout* controls, int okId, int resetId);
    // The swatch dialogs edit one word of their block per swatch and per
    // check box, and keep the change count in a word of the block as well.
    // A swatch of the given id, its label to the left, editing field.
    void AddSwatch(QGridLayout& grid, int row, int column, int id, const QString& label, std::uint32_t* field);
    void AddCheckBox(QGridLayout& grid, int row, int id, const QString& text, std::int32_t* field);
    void SetCountWord(std::int32_t* count) { m_count = count; }
    // The swatches and check boxes show the block (after a Reset).
    void ShowFields();

    // OK: the answer, when the change count allows one; the dialog then ends with OK.
    virtual void Answer() = 0;
    virtual void Reset() = 0;
private:
    struct SwatchField {
        CStaticColorSel* swatch;
        std::uint32_t* field;
    };
    struct CheckField {
        QCheckBox* box;
        std::int32_t* field;
    };
    // A swatch reported a colour picked from its palette.
    void OnColorReport(int controlId, platform::ColorRef color);
    void OnCheckClicked(const CheckField& check);

    platform::MessageWindow m_window;
    platform::WindowHandle m_requester;
    std::vector<SwatchField> m_swatches;
    std::vector<CheckField> m_checks;
    std::int32_t* m_count = nullptr;
};
