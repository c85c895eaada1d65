// The text form of a registry hive: the registry editor's export format
// ("Windows Registry Editor Version 5.00"), restricted to HKEY_CURRENT_USER.
// Strings that end in one NUL are written as "text", DWORDs as dword:, and
// everything else as hex bytes, so every value reads back byte for byte.
// Reading and writing take time and memory in proportion to the text.
#pragma once

#include "platform/RegistryTree.h"

#include <QByteArray>
#include <QString>

namespace platform {

class RegFileFormat {
public:
    static constexpr const char* kHeader = "Windows Registry Editor Version 5.00";
    static constexpr const char* kRoot = "HKEY_CURRENT_USER";
    // Larger texts are not settings written by us: Parse refuses them, and a
    // hive whose text would be larger is not saved.
    static constexpr qsizetype kMaxTextBytes = 64 * 1024 * 1024;

    // UTF-8 text. Every key with values or without sub-keys gets a section;
    // a key with only sub-keys is left to their sections, which create it
    // again when read, so the text never repeats a long path for each of its
    // parents.
    static QByteArray Write(const RegistryTree& tree);

    // Reads UTF-8 (with or without a byte-order mark) or UTF-16LE with a
    // byte-order mark. On failure returns false, leaves the tree alone and
    // says why (with the line number) in error.
    static bool Parse(const QByteArray& bytes, RegistryTree* tree, QString* error);
};

}  // namespace platform
