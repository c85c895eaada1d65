// Where a registry hive is kept between runs: a file for the application,
// memory for the tests. The Registry loads it once and saves it whole after
// every change.
#pragma once

#include "platform/RegistryTree.h"

namespace platform {

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    // The stored hive; an empty one when nothing usable is stored.
    virtual RegistryTree Load() = 0;
    // Replaces what is stored by the tree. False leaves the stored hive as it was.
    virtual bool Save(const RegistryTree& tree) = 0;
    // Why the last save failed, in a few words for the user.
    virtual QString SaveError() const = 0;
    // True when the backend refuses every save and has told the user so itself.
    virtual bool SavesRefusedAndReported() const { return false; }
};

}  // namespace platform
