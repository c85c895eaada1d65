// The settings store: each call opens one key of the current user's registry,
// reads or writes one value, and closes it again; 0 on success, 1 on failure.
// No call but RegCreateKey creates a key, and only start-up calls that one.
// Writes that belong together run inside a SettingsBatch, which saves them once.
#pragma once

#include "platform/RegistryTree.h"
#include "platform/WindowPlacement.h"
#include "settings/SettingsBytes.h"

#include <QString>

#include <array>
#include <cstdint>

namespace platform {
class Registry;
}

class SettingsStore {
public:
    // Strings travel through a buffer of 260 wide characters with its NUL.
    static constexpr int kStringBufferChars = 260;
    static constexpr int kMaxStringChars = kStringBufferChars - 1;

    explicit SettingsStore(platform::Registry& registry) : m_registry(registry) {}

    int RegWriteBinary(const QString& keyPath, const QString& valueName, const void* data,
                       std::uint32_t byteLength);
    int RegWriteDword(const QString& keyPath, const QString& valueName, const std::uint32_t* value);
    int RegWriteDword(const QString& keyPath, const QString& valueName, const std::int32_t* value);
    // Stored without a NUL: the byte count is twice the length. Texts longer
    // than kMaxStringChars, or holding a NUL, are refused.
    int RegWriteString(const QString& keyPath, const QString& valueName, const QString& text);

    // Reads a value of any type. A stored value larger than capacity is
    // refused and the buffer left alone. byteCount: the stored size, 0 on failure.
    int RegReadValue(const QString& keyPath, const QString& valueName, void* buffer,
                     std::uint32_t capacity, std::uint32_t* byteCount);
    // Reads a string value up to its first NUL; a text longer than
    // kMaxStringChars is refused. text is left alone on failure.
    int RegReadString(const QString& keyPath, const QString& valueName, QString* text);
    // Number of values of the key; count 0 on failure.
    int RegCountValues(const QString& keyPath, std::uint32_t* count);
    // An empty name deletes every value of the key, all of them or, when that
    // cannot be saved, none; otherwise deletes the value of that name.
    int RegDeleteValues(const QString& keyPath, const QString& valueName);

    // Creates a key and its missing parents. For start-up only.
    int RegCreateKey(const QString& keyPath);
    // Creates the four sub-keys of the settings key (start-up).
    int CreateSettingsKeys();

    // Reads a record: succeeds only when the stored value has exactly this
    // type and size, so a foreign or truncated value counts as missing.
    int ReadExact(const QString& keyPath, const QString& valueName, std::uint32_t type, void* buffer,
                  std::uint32_t size);

    // A record of SettingsRecords.h as a binary value, and back (exact size).
    template <class Rec>
    int WriteRecord(const QString& keyPath, const QString& valueName, const Rec& rec) {
        const auto bytes = settings_bytes::Encode(rec);
        return RegWriteBinary(keyPath, valueName, bytes.data(), Rec::kSize);
    }
    // rec is left alone on failure.
    template <class Rec>
    int ReadRecord(const QString& keyPath, const QString& valueName, Rec* rec) {
        std::array<std::uint8_t, Rec::kSize> bytes{};
        if (!rec || ReadExact(keyPath, valueName, platform::kRegBinary, bytes.data(), Rec::kSize) != 0)
            return 1;
        *rec = settings_bytes::Decode<Rec>(bytes.data());
        return 0;
    }

    // A window placement: 44 bytes whose length field says 44.
    int WriteRecord(const QString& keyPath, const QString& valueName, const platform::WindowPlacement& placement);
    int ReadRecord(const QString& keyPath, const QString& valueName, platform::WindowPlacement* placement);

    platform::Registry& Registry() { return m_registry; }

private:
    platform::Registry& m_registry;
};
