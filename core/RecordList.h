// A lap's raw records. Laps that hold the same records share them (a course-map lap closed again by a
// lap line holds the records of the lap before it), so a file of such laps holds each record once. A
// lap's records are its own until Share() is called; copies of a shared list share it, and a lap that
// changes shared records gets a copy of its own first.
#pragma once

#include "core/ChunkedList.h"
#include "core/LogRecord.h"

#include <cstddef>
#include <memory>

namespace orvelo {

class RecordList {
public:
    using List = ChunkedList<LogRecord>;
    using value_type = LogRecord;
    using size_type = std::size_t;
    using const_iterator = List::const_iterator;

    RecordList() noexcept = default;
    // Takes the records over without copying them.
    explicit RecordList(List&& records) noexcept : m_own(std::move(records)) {}

    size_type size() const noexcept { return Items().size(); }
    bool empty() const noexcept { return Items().empty(); }
    const LogRecord& operator[](size_type i) const { return Items()[i]; }
    const LogRecord& at(size_type i) const { return Items().at(i); }
    const LogRecord& front() const { return Items().front(); }
    const LogRecord& back() const { return Items().back(); }
    const_iterator begin() const { return Items().begin(); }
    const_iterator end() const { return Items().end(); }

    // The records to append to or change, this lap's own.
    List& Edit();
    void clear() noexcept;
    // Gives back what the records leave unused (shared records already are trimmed).
    void shrink_to_fit() { m_own.shrink_to_fit(); }
    // From now on copies of this list share its records instead of copying them.
    void Share();

    // Whether both hold the very same records (not merely equal ones).
    bool SharesWith(const RecordList& other) const noexcept { return m_shared && m_shared == other.m_shared; }
    // Where the records are held, the same for lists that share them; nullptr while empty.
    const void* Storage() const noexcept;

private:
    const List& Items() const noexcept { return m_shared ? *m_shared : m_own; }

    List m_own;
    std::shared_ptr<const List> m_shared; // when set, m_own is empty
};

} // namespace orvelo
