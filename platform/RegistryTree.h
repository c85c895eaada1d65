// The keys and typed values of one registry hive held in memory: what the
// settings store reads and writes, and what the backends load and save.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

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

// A value with the name it was first written under.
struct RegistryNamedValue {
    QString name;
    RegistryValue value;

    friend bool operator==(const RegistryNamedValue&, const RegistryNamedValue&) = default;
};

// String values hold UTF-16LE code units. An odd last byte is not decoded.
QByteArray Utf16Bytes(const QString& text);
QString Utf16Text(const QByteArray& bytes);
// The text before the first NUL, as a reader of a string value sees it.
QString Utf16TextBeforeNul(const QByteArray& bytes);

// Key paths are relative to the hive root and use '\' between components;
// key paths and value names match without regard to case, as in the
// registry, but keep the spelling they were created with. Keys are held as a
// tree of components, so a path costs what its own length costs, however deep
// it goes; copies share their keys until one of them changes.
class RegistryTree {
public:
    // What the registry allows: keys at most this deep, each component at most this long, and
    // value names at most this long.
    static constexpr int kMaxKeyDepth = 512;
    static constexpr int kMaxKeyNameChars = 255;
    static constexpr int kMaxValueNameChars = 16383;

    // Orders names as the registry matches them: character by character, without regard to case.
    struct NameLess {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const;
    };
    // A key's values by name as first spelled, in enumeration order.
    using ValueMap = std::map<QString, RegistryValue, NameLess>;

    // A usable key path: not empty, no empty component, no line break, NUL or lone surrogate,
    // within the registry's limits of depth and component length.
    static bool IsValidKeyPath(QStringView path);
    // A usable value name: no line break, NUL or lone surrogate, within the registry's limit of
    // length (the empty name is allowed).
    static bool IsValidValueName(QStringView name);

    bool HasKey(QStringView path) const;
    // Creates the key and every missing parent; how many keys were created (0 when the path is
    // not usable or the key existed). A new key's path keeps its existing parents' spelling.
    int CreateKey(QStringView path);

    const RegistryValue* Value(QStringView path, const QString& name) const;
    // False when the key does not exist or the name is not usable. changed, when given, tells
    // whether the tree differs afterwards (setting a value to what it holds changes nothing).
    bool SetValue(QStringView path, const QString& name, const RegistryValue& value, bool* changed = nullptr);
    // Sets several values of one key with one walk to it; false (and nothing set) when the key
    // does not exist or a name is not usable.
    bool SetValues(QStringView path, const QList<RegistryNamedValue>& values, bool* changed = nullptr);
    bool RemoveValue(QStringView path, const QString& name);
    // Removes every value of the key; how many there were.
    int RemoveAllValues(QStringView path);

    // -1 when the key does not exist.
    int ValueCount(QStringView path) const;
    // Names of a key's values in enumeration order (empty for a missing key).
    QStringList ValueNames(QStringView path) const;
    int KeyCount() const;

    // Visits every key, parents before their sub-keys, with its path in its original spelling,
    // its values and whether it has sub-keys. The path is built as the walk goes: a visit costs
    // the length of the key's own name, not of its path.
    using KeyVisitor = std::function<void(const QString& path, const ValueMap& values, bool hasSubKeys)>;
    void ForEachKey(const KeyVisitor& visit) const;

    bool operator==(const RegistryTree& other) const;

private:
    struct Node;
    using NodePtr = std::shared_ptr<Node>;
    struct Node {
        std::map<QString, NodePtr, NameLess> subKeys;  // by name as first spelled
        ValueMap values;
    };

    static bool SameNodes(const Node& a, const Node& b);
    static void Visit(const Node& node, QString& path, const KeyVisitor& visit);

    const Node* Find(QStringView path) const;
    // The key for changing, copied first where a copy of this tree still shares it.
    Node* FindForChange(QStringView path);
    static Node* Own(NodePtr& node);

    NodePtr m_root = std::make_shared<Node>();
};

}  // namespace platform
