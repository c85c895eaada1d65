#include "core/RecordList.h"

#include <utility>

namespace orvelo {

RecordList::List& RecordList::Edit()
{
    if (m_shared) {
        m_own = *m_shared;
        m_shared.reset();
    }
    return m_own;
}

void RecordList::clear() noexcept
{
    m_own.clear();
    m_shared.reset();
}

void RecordList::Share()
{
    if (m_shared || m_own.empty())
        return;
    m_own.shrink_to_fit();
    m_shared = std::make_shared<const List>(std::move(m_own));
    m_own.clear();
}

const void* RecordList::Storage() const noexcept
{
    if (m_shared)
        return m_shared.get();
    return m_own.empty() ? nullptr : &m_own;
}

} // namespace orvelo
