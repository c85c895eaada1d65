#include "platform/RegistryMemoryBackend.h"

namespace platform {

bool RegistryMemoryBackend::Save(const RegistryTree& tree) {
    if (m_savesBeforeFailing == 0)
        m_failSaves = true;
    if (m_savesBeforeFailing >= 0)
        --m_savesBeforeFailing;
    if (m_failSaves)
        return false;
    m_saved = tree;
    ++m_saveCount;
    return true;
}

}  // namespace platform
