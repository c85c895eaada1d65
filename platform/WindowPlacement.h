// The stored placement of a floating window: the 44-byte record kept in the
// settings store (little-endian, length field 44), and its mapping onto a widget.
#pragma once

#include <QByteArray>
#include <QMargins>
#include <QRect>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

namespace platform {

struct WindowPlacement {
    enum ShowCommand : std::uint32_t { kHide = 0, kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3 };
    static constexpr std::uint32_t kSize = 44;

    std::uint32_t length = kSize;
    std::uint32_t flags = 0;
    std::uint32_t showCommand = 0;
    std::int32_t minX = 0, minY = 0;
    std::int32_t maxX = 0, maxY = 0;
    std::int32_t normalLeft = 0, normalTop = 0, normalRight = 0, normalBottom = 0;

    // A usable normal rectangle (left < right), the condition for writing it.
    bool HasNormalRect() const { return normalLeft < normalRight; }

    QByteArray ToBytes() const;
    // Nothing unless the bytes are exactly one record with length field 44.
    static std::optional<WindowPlacement> FromBytes(const QByteArray& bytes);

    // The widget's frame rectangle and shown state.
    static WindowPlacement Of(const QWidget& window);
    // A floating window of byDefault's frame size at the normal rectangle's top-left, moved onto the
    // screen it overlaps most; else, meeting no screen, byDefault brought onto a screen (OnScreen).
    QRect RestoredAt(const QRect& byDefault) const;
    // Moves and sizes the widget to the normal rectangle when it has one.
    void ApplyTo(QWidget& window) const;
};

static_assert(sizeof(WindowPlacement) == WindowPlacement::kSize, "stored placement record is 44 bytes");

// The rectangle of stored edges (right and bottom exclusive), held to sizes and places a screen can
// have; nothing when it is empty.
std::optional<QRect> StoredRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

// wanted, its size bounded by area's, moved the least that puts it inside area.
QRect PlaceInside(const QRect& wanted, const QRect& area);

// A restored floating window's rectangle inside the available area of the screen that holds its
// top-left corner, else of the primary screen; fallback when there is no screen.
QRect OnScreen(const QRect& wanted, const QRect& fallback);

// A top-level window's stored rectangle wholly inside the available area of the screen that holds most
// of it: moved onto it, then shrunk where larger; nothing when it meets no screen.
std::optional<QRect> OnAnyScreen(const std::optional<QRect>& stored);

// The available areas of the screens.
std::vector<QRect> ScreenAreas();
// As OnAnyScreen, over the given areas.
std::optional<QRect> OnAnyArea(const QRect& stored, const std::vector<QRect>& areas);

// Keeps a top-level window's frame wholly on a screen while the window system places it. A window
// manager frames a window a while after it is mapped (or, started later, at any time) and tells it its
// restored state before its restored place: whatever comes first, the frame a window ends up with once
// shown, restored or framed anew is brought onto the screen it overlaps most. A place the user gave it
// (it moved or was sized with nothing of that pending) is left as it is.
class FrameCheck {
public:
    enum class Outcome { kNone, kMove, kShown };
    struct Result {
        Outcome outcome = Outcome::kNone;
        QRect client;  // kMove: where to put the window; kShown: where it was shown
    };

    void Shown() { m_pending = m_fromSystem = true; }
    // Restored from the minimised state, or from the maximised one to the place it had before (which the
    // window manager may give it a move and a resize after telling it the state).
    void Restored(const std::optional<QRect>& place) {
        m_pending = true;
        m_restoring = place;
    }
    // Whether the place of a restore is still to come.
    bool Restoring() const { return m_restoring.has_value(); }
    // The window manager restored it elsewhere: where it stands now is its restored place.
    void RestoredElsewhere() { m_restoring.reset(); }
    // The window standing normal with that client rectangle and frame margins, on screens of those areas.
    Result Check(const QRect& client, const QMargins& margins, const std::vector<QRect>& areas);

private:
    static constexpr int kMostMoves = 10;  // a window manager that will not take the place is left alone

    bool m_pending = false;
    bool m_fromSystem = false;  // shown or framed anew, not only restored
    std::optional<QRect> m_restoring;
    bool m_userPlaced = false;
    int m_moves = 0;
    std::optional<QMargins> m_margins;
    QRect m_settled;
};

// Whether wanted lies wholly inside the available area of the screen that holds its top-left corner.
bool WhollyOnScreen(const QRect& wanted);

class RestoredPlace;

// Once the shown window has its frame, brings the frame onto its screen if it reaches past it: the
// frame size used to place it before it was shown is only an estimate. The frame it then has is
// where kept (when given) saw it shown.
void KeepOnScreenOnceShown(QWidget& window, RestoredPlace* kept = nullptr);

// Places a floating window of the main window: at saved's place moved onto the screen it overlaps
// most, else at its default place (a divisor-th across the main window, 9 px below its top; where it
// stands without one) brought onto the screen; corrected once shown (KeepOnScreenOnceShown). kept
// takes saved's rectangle, to be stored again while the window stays where it was shown.
void PlaceFloatingWindow(QWidget& window, const QWidget* mainWindow, int divisor, const WindowPlacement* saved,
                         RestoredPlace& kept);
// The window's placement, with the stored rectangle kept took while the window stands where it was shown.
WindowPlacement PlacementToStore(const QWidget& window, const RestoredPlace& kept);

// The frame size of window once shown, its decorations taken as those of decorated (a shown window)
// while it has none of its own yet.
QSize FrameSizeOf(const QWidget& window, const QWidget* decorated);

// Where a restored window is to be stored: the edges it was stored with, exactly, while it stands where
// it was shown from them (moved into reach, shrunk to a smaller screen or not); else where it is. Only
// the user moves a window away from where it was shown.
class RestoredPlace {
public:
    using Edges = std::array<std::int32_t, 4>;  // left, top, right, bottom (right and bottom exclusive)

    static Edges EdgesOf(const QRect& place) {
        return {place.left(), place.top(), place.left() + place.width(), place.top() + place.height()};
    }

    void Read(const Edges& stored) { m_stored = stored; }
    // A window restored from its record: the stored edges, the place they give, and where it was put.
    void Restore(const Edges& stored, const QRect& opened, const QRect& shown) {
        m_stored = stored;
        m_opened = opened;
        m_shown = shown;
    }
    // The place it opened at from its record; empty when it took its default place.
    QRect Opened() const { return m_opened; }
    // Where it was put, from its record; empty when it took its default place.
    void Shown(const QRect& shown) { m_shown = shown; }
    bool Kept(const QRect& current) const { return m_stored && !m_shown.isNull() && current == m_shown; }
    Edges ToStore(const QRect& current) const { return Kept(current) ? *m_stored : EdgesOf(current); }

private:
    std::optional<Edges> m_stored;
    QRect m_opened;
    QRect m_shown;
};

// A restored window of a work area at its stored place with its stored size where that fits the
// screen the view is on, else shrunk to it. Once laid out, the work area brings it into reach.
QRect SizedForScreen(const QRect& stored, const QWidget* view);

}  // namespace platform
