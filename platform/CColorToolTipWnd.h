// A small text window raised over a window's picture: the value tip of the
// ruler slider and the segment labels of the map segment editor. One line
// of text centred on a light background inside a border; the user can drag
// it. It stays a child of the window it was created over, so it never
// leaves it. Make it with new: the window given to Create owns it.
#pragma once

#include "platform/ColorRef.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

class CColorToolTipWnd : public QWidget {
public:
    static constexpr platform::ColorRef kBackground = 0xEEF9F9;
    static constexpr platform::ColorRef kText = 0x000000;
    static constexpr platform::ColorRef kBorder = 0x356E9B;

    CColorToolTipWnd();

    // Puts the window over parent, once, at its stored position; it stays
    // hidden until ShowText. false when it was created before.
    bool Create(QWidget* parent);
    bool IsCreated() const { return m_created; }
    // Stores position (in the parent's coordinates) and text, moves there,
    // shows the window if hidden and repaints it (before Create it only
    // stores them). The size is the caller's.
    void ShowText(int x, int y, const QString& text);
    void Hide();
    // The font again, 14 pixels high, normal weight.
    void SetTextFont();
    // Other colours for the background and the text (labels over a map).
    void SetColors(platform::ColorRef background, platform::ColorRef text);

    const QString& Text() const { return m_text; }
    QPoint Position() const { return m_position; }
    bool Dragging() const { return m_dragging; }
    // The window's picture, drawn again only after its text, size, font or colours changed.
    QImage Picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    platform::ColorRef m_background = kBackground;
    platform::ColorRef m_textColor = kText;
    QString m_faceName = QStringLiteral("Microsoft Sans Serif");
    int m_fontHeight = 16;
    QFont m_font;
    QString m_text;
    QPoint m_position;
    bool m_created = false;
    bool m_dragging = false;
    QPoint m_grabOffset;  // the cursor's place inside the window while dragging
    mutable QImage m_picture;
    mutable bool m_pictureStale = true;
};
