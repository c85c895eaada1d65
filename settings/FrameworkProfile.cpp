#include "settings/FrameworkProfile.h"

#include "platform/Registry.h"
#include "settings/SettingsBatch.h"
#include "settings/SettingsDefaults.h"

QString FrameworkProfile::SectionPath(const QString& section) {
    return settings::kProfileKeyPath + QChar('\\') + section;
}

QString FrameworkProfile::GetProfileString(const QString& section, const QString& entry,
                                           const QString& defaultValue) const {
    const std::optional<platform::RegistryValue> value = m_registry.QueryValue(SectionPath(section), entry);
    if (!value || value->type != platform::kRegSz || value->data.size() % 2 != 0)
        return defaultValue;
    return platform::Utf16TextBeforeNul(value->data);
}

bool FrameworkProfile::WriteProfileString(const QString& section, const QString& entry, const QString& value) {
    if (section.isEmpty() || value.contains(QChar(u'\0')))
        return false;
    return Write(section, entry, {platform::kRegSz, platform::Utf16Bytes(value + QChar(u'\0'))});
}

int FrameworkProfile::GetProfileInt(const QString& section, const QString& entry, int defaultValue) const {
    const std::optional<platform::RegistryValue> value = m_registry.QueryValue(SectionPath(section), entry);
    if (!value || value->type != platform::kRegDword || value->data.size() != 4)
        return defaultValue;
    std::int32_t number = 0;
    settings_bytes::Get(reinterpret_cast<const std::uint8_t*>(value->data.constData()), &number);
    return number;
}

bool FrameworkProfile::WriteProfileInt(const QString& section, const QString& entry, int value) {
    if (section.isEmpty())
        return false;
    std::array<std::uint8_t, 4> bytes{};
    settings_bytes::Put(bytes.data(), static_cast<std::int32_t>(value));
    return Write(section, entry, {platform::kRegDword, QByteArray(reinterpret_cast<const char*>(bytes.data()), 4)});
}

QByteArray FrameworkProfile::GetProfileBinary(const QString& section, const QString& entry) const {
    const std::optional<platform::RegistryValue> value = m_registry.QueryValue(SectionPath(section), entry);
    return value && value->type == platform::kRegBinary ? value->data : QByteArray();
}

bool FrameworkProfile::WriteProfileBinary(const QString& section, const QString& entry, const QByteArray& bytes) {
    return !section.isEmpty() && Write(section, entry, {platform::kRegBinary, bytes});
}

// The section's key and the entry are saved together.
bool FrameworkProfile::Write(const QString& section, const QString& entry, const platform::RegistryValue& value) {
    SettingsBatch batch(m_registry);
    const bool written = m_registry.CreateKey(SectionPath(section)) && m_registry.SetValue(SectionPath(section), entry, value);
    return batch.End() == 0 && written;
}
