// The stored placement of a floating window: the 44-byte record kept in the
// settings store (little-endian, length field 44), and its mapping onto a widget.
#pragma once

#include <QByteArray>
#include <QRect>

#include <cstdint>
#include <optional>

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
    // A floating window of byDefault's frame size at the normal rectangle's top-left when that lies
    // wholly inside the available area of a screen; else byDefault brought onto a screen (OnScreen).
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

// A top-level window's stored rectangle on the screen whose available area holds most of it, its size
// bounded by that area's (or by byDefault, the size it has anyway, where that is larger) and its top-left
// brought inside the area; nothing when it meets no screen.
std::optional<QRect> OnAnyScreen(const std::optional<QRect>& stored, const QSize& byDefault);

// Whether wanted lies wholly inside the available area of the screen that holds its top-left corner.
bool WhollyOnScreen(const QRect& wanted);

// Once the shown window has its frame, brings the frame onto its screen if it reaches past it: the
// frame size used to place it before it was shown is only an estimate.
void KeepOnScreenOnceShown(QWidget& window);

// Places a floating window of the main window: at saved's place when that holds its whole frame on a
// screen, else at its default place (a divisor-th across the main window, 9 px below its top; where
// it stands without one) brought onto the screen; corrected once shown (KeepOnScreenOnceShown).
void PlaceFloatingWindow(QWidget& window, const QWidget* mainWindow, int divisor, const WindowPlacement* saved);

// The frame size of window once shown, its decorations taken as those of decorated (a shown window)
// while it has none of its own yet.
QSize FrameSizeOf(const QWidget& window, const QWidget* decorated);

// Where a restored window in a work area is to be stored: the place it opened at from its record,
// even while it stands moved only so far as to stay reachable in a smaller work area; else where it is.
class RestoredPlace {
public:
    void Opened(const QRect& place) { m_opened = place; }
    QRect Opened() const { return m_opened; }
    void MovedWithinReach(const QRect& shown) { m_reached = shown; }
    QRect ToStore(const QRect& current) const {
        return !m_reached.isNull() && current == m_reached ? m_opened : current;
    }

private:
    QRect m_opened;   // empty when it took its default place
    QRect m_reached;
};

// A restored rectangle of a window in a work area yet to be laid out: wanted when it lies inside the
// available size of the screens (no work area is larger), else byDefault. Once laid out, the work
// area brings such a window's title bar inside it.
QRect RestoredInWorkArea(const std::optional<QRect>& wanted, const QRect& byDefault);

}  // namespace platform
