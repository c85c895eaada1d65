// The work-area windows dialog of the main frame: the open work areas by title, the active one
// selected. "Activate" (or a double click, or Return in the list) brings the selected one to the
// front and ends the dialog; "Close Window" closes it and lists the rest.
#pragma once

#include <QDialog>

class CChildFrame;
class CMainFrame;
class QListWidget;
class QPushButton;

class WorkAreaWindowsDialog : public QDialog {
public:
    explicit WorkAreaWindowsDialog(CMainFrame& frame);

    int DoModal();
    void OnActivate();
    void OnCloseWindow();

    QListWidget& List() { return *m_list; }
    QPushButton& ActivateButton() { return *m_activate; }
    QPushButton& CloseWindowButton() { return *m_closeWindow; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fill();
    CChildFrame* Selected() const;

    CMainFrame& m_frame;
    QListWidget* m_list = nullptr;
    QPushButton* m_activate = nullptr;
    QPushButton* m_closeWindow = nullptr;
};
