#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>

namespace platform {

namespace {

void PutU32(QByteArray& bytes, int offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetU32(const QByteArray& bytes, int offset) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + i])) << (8 * i);
    return value;
}

}  // namespace

QByteArray WindowPlacement::ToBytes() const {
    QByteArray bytes(kSize, '\0');
    const std::array<std::uint32_t, 11> fields = {
        length,
        flags,
        showCommand,
        static_cast<std::uint32_t>(minX),
        static_cast<std::uint32_t>(minY),
        static_cast<std::uint32_t>(maxX),
        static_cast<std::uint32_t>(maxY),
        static_cast<std::uint32_t>(normalLeft),
        static_cast<std::uint32_t>(normalTop),
        static_cast<std::uint32_t>(normalRight),
        static_cast<std::uint32_t>(normalBottom)};
    for (std::size_t i = 0; i < fields.size(); ++i)
        PutU32(bytes, static_cast<int>(4 * i), fields[i]);
    return bytes;
}

std::optional<WindowPlacement> WindowPlacement::FromBytes(const QByteArray& bytes) {
    if (bytes.size() != static_cast<int>(kSize) || GetU32(bytes, 0) != kSize)
        return std::nullopt;
    WindowPlacement p;
    p.flags = GetU32(bytes, 4);
    p.showCommand = GetU32(bytes, 8);
    p.minX = static_cast<std::int32_t>(GetU32(bytes, 12));
    p.minY = static_cast<std::int32_t>(GetU32(bytes, 16));
    p.maxX = static_cast<std::int32_t>(GetU32(bytes, 20));
    p.maxY = static_cast<std::int32_t>(GetU32(bytes, 24));
    p.normalLeft = static_cast<std::int32_t>(GetU32(bytes, 28));
    p.normalTop = static_cast<std::int32_t>(GetU32(bytes, 32));
    p.normalRight = static_cast<std::int32_t>(GetU32(bytes, 36));
    p.normalBottom = static_cast<std::int32_t>(GetU32(bytes, 40));
    return p;
}

WindowPlacement WindowPlacement::Of(const QWidget& window) {
    WindowPlacement p;
    const QRect normal = window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.frameGeometry();
    p.normalLeft = normal.left();
    p.normalTop = normal.top();
    p.normalRight = normal.left() + normal.width();
    p.normalBottom = normal.top() + normal.height();
    if (!window.isVisible())
        p.showCommand = kHide;
    else if (window.isMinimized())
        p.showCommand = kShowMinimized;
    else if (window.isMaximized())
        p.showCommand = kShowMaximized;
    else
        p.showCommand = kShowNormal;
    return p;
}

void WindowPlacement::ApplyTo(QWidget& window) const {
    // A stored rectangle is taken only within the sizes a widget can have, so
    // that no edge, width or height overflows on the way.
    const auto within = [](std::int32_t edge) { return edge >= -QWIDGETSIZE_MAX && edge <= QWIDGETSIZE_MAX; };
    if (!HasNormalRect() || normalTop >= normalBottom || !within(normalLeft) || !within(normalTop) ||
        !within(normalRight) || !within(normalBottom))
        return;
    // The record holds the frame rectangle; resize() wants the inner size.
    const int frameWidth = window.frameGeometry().width() - window.geometry().width();
    const int frameHeight = window.frameGeometry().height() - window.geometry().height();
    window.move(normalLeft, normalTop);
    window.resize(std::max(1, normalRight - normalLeft - frameWidth), std::max(1, normalBottom - normalTop - frameHeight));
}

std::optional<QRect> StoredRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    // Far beyond any screen, yet far from where QRect's edges overflow.
    static constexpr std::int64_t kFar = 1 << 24;
    if (right <= left || bottom <= top)
        return std::nullopt;
    const auto near = [](std::int64_t v) { return static_cast<int>(std::clamp(v, -kFar, kFar)); };
    return QRect(near(left), near(top), near(std::min(right - left, kFar)), near(std::min(bottom - top, kFar)));
}

QRect PlaceInside(const QRect& wanted, const QRect& area) {
    QRect placed(wanted.topLeft(), wanted.size().boundedTo(area.size()));
    if (placed.right() > area.right())
        placed.moveRight(area.right());
    if (placed.bottom() > area.bottom())
        placed.moveBottom(area.bottom());
    if (placed.left() < area.left())
        placed.moveLeft(area.left());
    if (placed.top() < area.top())
        placed.moveTop(area.top());
    return placed;
}

QRect OnScreen(const QRect& wanted, const QRect& fallback) {
    QScreen* screen = QGuiApplication::screenAt(wanted.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? PlaceInside(wanted, screen->availableGeometry()) : fallback;
}

std::vector<QRect> ScreenAreas() {
    std::vector<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(screen->availableGeometry());
    return areas;
}

std::optional<QRect> OnAnyArea(const QRect& stored, const std::vector<QRect>& areas) {
    QRect area;
    std::int64_t most = 0;
    for (const QRect& candidate : areas) {
        const QRect common = candidate & stored;
        const std::int64_t shared = std::int64_t{common.width()} * common.height();
        if (!common.isEmpty() && shared > most) {
            most = shared;
            area = candidate;
        }
    }
    if (most == 0)
        return std::nullopt;
    return PlaceInside(stored, area);
}

std::optional<QRect> OnAnyScreen(const std::optional<QRect>& stored) {
    if (!stored)
        return std::nullopt;
    return OnAnyArea(*stored, ScreenAreas());
}

FrameCheck::Result FrameCheck::Check(const QRect& client, const QMargins& margins, const std::vector<QRect>& areas) {
    if (m_margins != margins) {
        m_margins = margins;  // framed anew
        m_pending = m_fromSystem = true;
    }
    if (!m_pending) {
        m_userPlaced = m_userPlaced || client != m_settled;
        return {};
    }
    if (m_restoring) {
        if (client != *m_restoring)
            return {};
        m_restoring.reset();
    }
    const QRect frame = client.marginsAdded(margins);
    const std::optional<QRect> onScreen = OnAnyArea(frame, areas);
    if (onScreen && *onScreen != frame && m_moves < kMostMoves) {
        ++m_moves;
        m_fromSystem = true;  // where it is put now is where it was shown
        return {Outcome::kMove, onScreen->marginsRemoved(margins)};
    }
    const bool shown = m_fromSystem && !m_userPlaced;
    m_pending = m_fromSystem = false;
    m_moves = 0;
    m_settled = client;
    return {shown ? Outcome::kShown : Outcome::kNone, client};
}

bool WhollyOnScreen(const QRect& wanted) {
    const QScreen* screen = QGuiApplication::screenAt(wanted.topLeft());
    return screen && screen->availableGeometry().contains(wanted);
}

QRect WindowPlacement::RestoredAt(const QRect& byDefault) const {
    const std::optional<QRect> wanted =
        StoredRect(normalLeft, normalTop, std::int64_t{normalLeft} + byDefault.width(),
                   std::int64_t{normalTop} + byDefault.height());
    return OnAnyScreen(wanted).value_or(OnScreen(byDefault, byDefault));
}

namespace {

// A floating window keeps its own size: only where its frame stands tells whether it was moved.
QRect Corner(const QPoint& topLeft) { return QRect(topLeft, QSize(1, 1)); }

}  // namespace

void KeepOnScreenOnceShown(QWidget& window, RestoredPlace* kept) {
    QMetaObject::invokeMethod(&window, [&window, kept] {
        const QRect frame = window.frameGeometry();
        if (window.isVisible() && !WhollyOnScreen(frame)) {
            window.move(OnScreen(frame, frame).topLeft());
            if (kept)
                kept->Shown(Corner(window.frameGeometry().topLeft()));
        }
    }, Qt::QueuedConnection);
}

void PlaceFloatingWindow(QWidget& window, const QWidget* mainWindow, int divisor, const WindowPlacement* saved,
                         RestoredPlace& kept) {
    QRect place(window.pos(), FrameSizeOf(window, mainWindow));
    if (mainWindow) {
        const QRect main = mainWindow->frameGeometry();
        place.moveTopLeft(QPoint(main.left() + main.width() / divisor, main.top() + 9));
    }
    place = saved ? saved->RestoredAt(place) : OnScreen(place, place);
    window.move(place.topLeft());
    if (saved && saved->HasNormalRect())
        kept.Read({saved->normalLeft, saved->normalTop, saved->normalRight, saved->normalBottom});
    kept.Shown(Corner(place.topLeft()));
    KeepOnScreenOnceShown(window, &kept);
}

WindowPlacement PlacementToStore(const QWidget& window, const RestoredPlace& kept) {
    WindowPlacement placement = WindowPlacement::Of(window);
    const QRect corner = Corner(window.frameGeometry().topLeft());
    if (kept.Kept(corner)) {
        const RestoredPlace::Edges stored = kept.ToStore(corner);
        placement.normalLeft = stored[0];
        placement.normalTop = stored[1];
        placement.normalRight = stored[2];
        placement.normalBottom = stored[3];
    }
    return placement;
}

QSize FrameSizeOf(const QWidget& window, const QWidget* decorated) {
    const QSize own = window.frameGeometry().size() - window.geometry().size();
    if (!own.isEmpty() || !decorated)
        return window.frameGeometry().size();
    return window.size() + (decorated->frameGeometry().size() - decorated->geometry().size());
}

QRect SizedForScreen(const QRect& stored, const QWidget* view) {
    const QScreen* screen = view ? view->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return stored;
    return QRect(stored.topLeft(), stored.size().boundedTo(screen->availableGeometry().size()));
}

}  // namespace platform
