// The stored placement of a floating window: the 44-byte record kept in the
// settings store (little-endian, length field 44), and its mapping onto a widget.
#pragma once

#include <QByteArray>

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
    // Moves and sizes the widget to the normal rectangle when it has one.
    void ApplyTo(QWidget& window) const;
};

static_assert(sizeof(WindowPlacement) == WindowPlacement::kSize, "stored placement record is 44 bytes");

}  // namespace platform
