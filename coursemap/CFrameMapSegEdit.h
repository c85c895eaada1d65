// The frame in the course map viewer that holds the segment edit splitter: two rows, an empty
// CDummyView over the map segment edit view, each at least 20 pixels; the splitter covers the
// frame's whole client area.
#pragma once

#include "platform/WindowMessage.h"

#include <QWidget>

class CDummyView;
class CxSplitterWndExt;

class CFrameMapSegEdit : public QWidget {
public:
    static constexpr int kSplitterId = 3;
    static constexpr int kMinimumPane = 20;

    // notify: the window told when a drag of the splitter's bar ends.
    CFrameMapSegEdit(platform::WindowHandle notify, QWidget* parent = nullptr);

    // The view becomes the lower pane.
    void SetEditView(QWidget* view);
    CxSplitterWndExt& Splitter() const { return *m_splitter; }
    CDummyView& UpperView() const { return *m_upper; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CxSplitterWndExt* m_splitter;
    CDummyView* m_upper;
};
