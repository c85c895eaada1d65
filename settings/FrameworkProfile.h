// The framework's profile: the last log and course-map folders, the visual
// style and the main window's placement, kept in the same registry as the settings, one key per section under
// "Software\Varnek_Quendrix\Varnek Quendrix". Unlike the settings store,
// writing an entry creates its section key, as a profile does.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {
class Registry;
struct RegistryValue;
}

class FrameworkProfile {
public:
    explicit FrameworkProfile(platform::Registry& registry) : m_registry(registry) {}

    // The stored text, or defaultValue when the entry is missing or not a string.
    QString GetProfileString(const QString& section, const QString& entry,
                             const QString& defaultValue = QString()) const;
    // Stored as a string value with its NUL. True on success.
    bool WriteProfileString(const QString& section, const QString& entry, const QString& value);

    // The stored number, or defaultValue when the entry is missing or not a DWORD.
    int GetProfileInt(const QString& section, const QString& entry, int defaultValue) const;
    bool WriteProfileInt(const QString& section, const QString& entry, int value);

    // The stored bytes; empty when the entry is missing or not binary.
    QByteArray GetProfileBinary(const QString& section, const QString& entry) const;
    bool WriteProfileBinary(const QString& section, const QString& entry, const QByteArray& bytes);

    static QString SectionPath(const QString& section);

private:
    bool Write(const QString& section, const QString& entry, const platform::RegistryValue& value);

    platform::Registry& m_registry;
};
