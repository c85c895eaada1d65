// The text form of a registry hive: the registry editor's export format
// ("Windows Registry Editor Version 5.00"), restricted to HKEY_CURRENT_USER.
// Strings that end in one NUL are written as "text", DWORDs as dword:, and
// everything else as hex bytes, so every value reads back byte for byte.
#pragma once

#include "platform/RegistryTree.h"

#include <QByteArray>
#include <QString>

namespace platform {

class RegFileFormat {
public:
    static constexpr const char* kHeader = "Windows Registry Editor Version 5.00";
    static constexpr const char* kRoot = "HKEY_CURRENT_USER";

    // UTF-8 text, every key of the tree as a section (empty keys included).
    static QByteArray Write(const RegistryTree& tree);

    // Reads UTF-8 (with or without a byte-order mark) or UTF-16LE with a
    // byte-order mark. On failure returns false, leaves the tree alone and
    // says why (with the line number) in error.
    static bool Parse(const QByteArray& bytes, RegistryTree* tree, QString* error);
};

}  // namespace platform
