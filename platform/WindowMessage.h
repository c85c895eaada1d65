// One private window message as it travels between windows: id, the two
// parameters, and the copy of any data block the parameters point to.
#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>
#include <typeinfo>

namespace platform {

using WParam = std::uint64_t;
using LParam = std::int64_t;
using LResult = std::int64_t;

// Names a window. Handles are handed out in increasing order and never reused,
// so a stale handle can only ever name nothing.
using WindowHandle = std::uint64_t;
inline constexpr WindowHandle kNoWindow = 0;

struct Message {
    std::uint32_t id = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    // Owns the block that wParam or lParam points to, so a posted pointer stays
    // valid through every relay hop after its sender is gone.
    std::shared_ptr<const void> payload;
    // The type of the payload's block, so a reader can tell it from another.
    const std::type_info* payloadType = nullptr;
    // Set on delivery by SendMessage: the parameters may point to the
    // sender's own storage, which lives for the whole call.
    bool sent = false;
    // The type of the block the payload begins with, when it extends one
    // (see LeadingBlockOf): readers of that block read it too.
    const std::type_info* leadingType = nullptr;
};

// A block that begins with another block as its first member, which readers
// of the other may take alone, names it: `using LeadingBlock = Other;`.
template <class T, class = void>
struct LeadingBlockOf {
    static const std::type_info* Type() { return nullptr; }
};
template <class T>
struct LeadingBlockOf<T, std::void_t<typename T::LeadingBlock>> {
    static const std::type_info* Type() { return &typeid(typename T::LeadingBlock); }
};

// A message whose lParam points to a copy of block owned by the message.
template <class T>
Message MessageWithBlock(std::uint32_t id, WParam wParam, const T& block) {
    auto copy = std::make_shared<const T>(block);
    return Message{id, wParam, reinterpret_cast<LParam>(copy.get()), copy, &typeid(T), false,
                   LeadingBlockOf<T>::Type()};
}

// The same with the copy's address in wParam.
template <class T>
Message MessageWithBlockInWParam(std::uint32_t id, const T& block, LParam lParam) {
    auto copy = std::make_shared<const T>(block);
    return Message{id, reinterpret_cast<WParam>(copy.get()), lParam, copy, &typeid(T), false,
                   LeadingBlockOf<T>::Type()};
}

// The same message with other parameters; the payload goes along.
inline Message WithParams(const Message& message, WParam wParam, LParam lParam) {
    return Message{message.id, wParam, lParam, message.payload, message.payloadType, message.sent,
                   message.leadingType};
}

// The same parameters and payload under another message id.
inline Message WithId(const Message& message, std::uint32_t id) {
    return Message{id, message.wParam, message.lParam, message.payload, message.payloadType, message.sent,
                   message.leadingType};
}

// Reads a parameter as a pointer to a block (nullptr for 0).
template <class T>
const T* BlockAt(std::uint64_t param) {
    return reinterpret_cast<const T*>(static_cast<std::uintptr_t>(param));
}
template <class T>
const T* BlockAt(std::int64_t param) {
    return reinterpret_cast<const T*>(static_cast<std::uintptr_t>(param));
}

// The block of type T that a message parameter points to, or nullptr. A posted
// message is trusted only when the parameter is the address of its own payload
// of that type; a sent one may point to the sender's storage. Anything else (a
// handle or a number where a block was expected) reads as no block.
// A payload of T, or one that begins with a T, counts as a block of T.
template <class T>
const T* OwnPayloadIn(const Message& message, std::uint64_t param) {
    const bool isT = (message.payloadType && *message.payloadType == typeid(T)) ||
                     (message.leadingType && *message.leadingType == typeid(T));
    const bool ownPayload = message.payload && isT &&
                            static_cast<std::uintptr_t>(param) == reinterpret_cast<std::uintptr_t>(message.payload.get());
    return ownPayload ? static_cast<const T*>(message.payload.get()) : nullptr;
}

template <class T>
const T* BlockIn(const Message& message, std::uint64_t param) {
    if (param == 0)
        return nullptr;
    if (message.sent)
        return BlockAt<T>(param);
    return OwnPayloadIn<T>(message, param);
}
template <class T>
const T* BlockIn(const Message& message, std::int64_t param) {
    return BlockIn<T>(message, static_cast<std::uint64_t>(param));
}

// Like BlockIn, but also a sent message must carry the block as its payload:
// for a block that extends another, which a sender may have passed alone.
template <class T>
const T* TypedBlockIn(const Message& message, std::uint64_t param) {
    return param == 0 ? nullptr : OwnPayloadIn<T>(message, param);
}
template <class T>
const T* TypedBlockIn(const Message& message, std::int64_t param) {
    return TypedBlockIn<T>(message, static_cast<std::uint64_t>(param));
}

// 16-bit packing on the low 32 bits of a parameter. The halves read back
// unsigned: a high word of 0x8000 or more never turns the value negative.
constexpr LParam MakeLong(std::uint32_t low, std::uint32_t high) {
    return static_cast<LParam>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}
constexpr std::uint16_t LoWord(std::uint64_t value) { return static_cast<std::uint16_t>(value & 0xFFFFu); }
constexpr std::uint16_t HiWord(std::uint64_t value) { return static_cast<std::uint16_t>((value >> 16) & 0xFFFFu); }
// Where a half carries a signed value (scale limits), read it as signed 16-bit.
constexpr std::int16_t LoWordSigned(std::uint64_t value) { return static_cast<std::int16_t>(LoWord(value)); }
constexpr std::int16_t HiWordSigned(std::uint64_t value) { return static_cast<std::int16_t>(HiWord(value)); }

}  // namespace platform
