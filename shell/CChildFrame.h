// The frame of a work area in the main frame's work-area space: it joins the
// application's list of open work areas when made and leaves it, before its
// view is destroyed, when it goes.
#pragma once

#include "platform/WindowMessage.h"

#include <QMdiSubWindow>

#include <memory>

class COrveloApp;
class COrveloDoc;
class COrveloView;

class CChildFrame : public QMdiSubWindow {
public:
    CChildFrame(COrveloApp& app, int number);
    ~CChildFrame() override;

    COrveloView* View() const { return m_view; }
    COrveloDoc& Document() const { return *m_document; }
    platform::WindowHandle ViewHandle() const;

    // The destroy order of a work area: the open count and the list first,
    // then the view with its graph windows. Runs once.
    void DestroyWorkArea();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    COrveloApp& m_app;
    std::unique_ptr<COrveloDoc> m_document;
    COrveloView* m_view = nullptr;
    bool m_destroyed = false;
};
