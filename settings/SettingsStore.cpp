#include "settings/SettingsStore.h"

#include "platform/Registry.h"
#include "settings/SettingsBatch.h"
#include "settings/SettingsDefaults.h"

#include <cstring>

namespace {
constexpr int kOk = 0;
constexpr int kFailed = 1;

int Result(bool ok) { return ok ? kOk : kFailed; }
}  // namespace

int SettingsStore::RegWriteBinary(const QString& keyPath, const QString& valueName, const void* data,
                                  std::uint32_t byteLength) {
    if (!data && byteLength > 0)
        return kFailed;
    platform::RegistryValue value{platform::kRegBinary, {}};
    if (byteLength > 0)
        value.data = QByteArray(static_cast<const char*>(data), static_cast<qsizetype>(byteLength));
    return Result(m_registry.SetValue(keyPath, valueName, value));
}

int SettingsStore::RegWriteDword(const QString& keyPath, const QString& valueName,
                                 const std::uint32_t* value) {
    if (!value)
        return kFailed;
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((*value >> (8 * i)) & 0xFF);
    return Result(m_registry.SetValue(keyPath, valueName, {platform::kRegDword, bytes}));
}

int SettingsStore::RegWriteDword(const QString& keyPath, const QString& valueName,
                                 const std::int32_t* value) {
    if (!value)
        return kFailed;
    const auto word = static_cast<std::uint32_t>(*value);
    return RegWriteDword(keyPath, valueName, &word);
}

int SettingsStore::RegWriteString(const QString& keyPath, const QString& valueName, const QString& text) {
    if (text.size() > kMaxStringChars || text.contains(QChar(u'\0')))
        return kFailed;
    return Result(m_registry.SetValue(keyPath, valueName, {platform::kRegSz, platform::Utf16Bytes(text)}));
}

int SettingsStore::RegReadValue(const QString& keyPath, const QString& valueName, void* buffer,
                                std::uint32_t capacity, std::uint32_t* byteCount) {
    if (byteCount)
        *byteCount = 0;
    const std::optional<platform::RegistryValue> value = m_registry.QueryValue(keyPath, valueName);
    if (!value || static_cast<std::uint64_t>(value->data.size()) > capacity)
        return kFailed;
    if (!value->data.isEmpty()) {
        if (!buffer)
            return kFailed;
        std::memcpy(buffer, value->data.constData(), static_cast<std::size_t>(value->data.size()));
    }
    if (byteCount)
        *byteCount = static_cast<std::uint32_t>(value->data.size());
    return kOk;
}

int SettingsStore::RegReadString(const QString& keyPath, const QString& valueName, QString* text) {
    const std::optional<platform::RegistryValue> value = m_registry.QueryValue(keyPath, valueName);
    if (!text || !value || value->type != platform::kRegSz || value->data.size() % 2 != 0)
        return kFailed;
    const QString read = platform::Utf16TextBeforeNul(value->data);
    if (read.size() > kMaxStringChars)
        return kFailed;
    *text = read;
    return kOk;
}

int SettingsStore::RegCountValues(const QString& keyPath, std::uint32_t* count) {
    const std::optional<int> values = m_registry.ValueCount(keyPath);
    if (count)
        *count = values ? static_cast<std::uint32_t>(*values) : 0;
    return Result(values.has_value());
}

int SettingsStore::RegDeleteValues(const QString& keyPath, const QString& valueName) {
    if (!m_registry.KeyExists(keyPath))
        return kFailed;
    if (!valueName.isEmpty())
        return Result(m_registry.DeleteValue(keyPath, valueName));
    // All at once: a deletion that cannot be saved leaves every value in place.
    return Result(m_registry.DeleteAllValues(keyPath));
}

int SettingsStore::RegCreateKey(const QString& keyPath) { return Result(m_registry.CreateKey(keyPath)); }

int SettingsStore::CreateSettingsKeys() {
    SettingsBatch batch(*this);
    int result = kOk;
    for (const QString& subKey : {settings::kMapSegInfo, settings::kItemColorInfo,
                                  settings::kChannelNameScaleInfo, settings::kWindowViewInfo}) {
        if (RegCreateKey(settings::SubKeyPath(subKey)) != kOk)
            result = kFailed;
    }
    return batch.End() == kOk ? result : kFailed;
}

int SettingsStore::ReadExact(const QString& keyPath, const QString& valueName, std::uint32_t type,
                             void* buffer, std::uint32_t size) {
    const std::optional<platform::RegistryValue> value = m_registry.QueryValue(keyPath, valueName);
    if (!buffer || !value || value->type != type || value->data.size() != static_cast<qsizetype>(size))
        return kFailed;
    std::memcpy(buffer, value->data.constData(), size);
    return kOk;
}

int SettingsStore::WriteRecord(const QString& keyPath, const QString& valueName,
                               const platform::WindowPlacement& placement) {
    const QByteArray bytes = placement.ToBytes();
    return RegWriteBinary(keyPath, valueName, bytes.constData(), static_cast<std::uint32_t>(bytes.size()));
}

int SettingsStore::ReadRecord(const QString& keyPath, const QString& valueName,
                              platform::WindowPlacement* placement) {
    QByteArray bytes(platform::WindowPlacement::kSize, '\0');
    if (!placement ||
        ReadExact(keyPath, valueName, platform::kRegBinary, bytes.data(), platform::WindowPlacement::kSize) != kOk)
        return kFailed;
    const std::optional<platform::WindowPlacement> read = platform::WindowPlacement::FromBytes(bytes);
    if (!read)
        return kFailed;
    *placement = *read;
    return kOk;
}
