// The keys and typed values of one registry hive held in memory: what the
// settings store reads and writes, and what the backends load and save.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace platform {

// Value types, numbered as in the registry so that a stored file keeps them.
enum RegistryType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
    kRegQword = 11,
};

// A value: its type and its raw bytes, kept exactly as written.
struct RegistryValue {
    std::uint32_t type = kRegNone;
    QByteArray data;

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// String values hold UTF-16LE code units. An odd last byte is not decoded.
QByteArray Utf16Bytes(const QString& text);
QString Utf16Text(const QByteArray& bytes);
// The text before the first NUL, as a reader of a string value sees it.
QString Utf16TextBeforeNul(const QByteArray& bytes);

// Key paths are relative to the hive root and use '\' between components;
// key paths and value names match without regard to case, as in the
// registry, but keep the spelling they were created with.
class RegistryTree {
public:
    // A usable key path: not empty, no empty component, no line break, NUL or lone surrogate.
    static bool IsValidKeyPath(const QString& path);
    // A usable value name: no line break, NUL or lone surrogate (the empty name is allowed).
    static bool IsValidValueName(const QString& name);

    bool HasKey(const QString& path) const;
    // Creates the key and every missing parent. Returns the paths created.
    QStringList CreateKey(const QString& path);
    void RemoveKey(const QString& path);

    const RegistryValue* Value(const QString& path, const QString& name) const;
    // False when the key does not exist or the name is not usable.
    bool SetValue(const QString& path, const QString& name, const RegistryValue& value);
    bool RemoveValue(const QString& path, const QString& name);
    // Removes every value of the key; how many there were.
    int RemoveAllValues(const QString& path);

    // -1 when the key does not exist.
    int ValueCount(const QString& path) const;
    // Names of a key's values in enumeration order (empty for a missing key).
    QStringList ValueNames(const QString& path) const;
    // Every key path in order, with its original spelling.
    QStringList KeyPaths() const;

    bool operator==(const RegistryTree& other) const;

private:
    struct NamedValue {
        QString name;
        RegistryValue value;
        bool operator==(const NamedValue&) const = default;
    };
    struct Key {
        QString path;
        QMap<QString, NamedValue> values;  // by folded name
        bool operator==(const Key&) const = default;
    };

    static QString Fold(const QString& text) { return text.toCaseFolded(); }

    QMap<QString, Key> m_keys;  // by folded path
};

}  // namespace platform
