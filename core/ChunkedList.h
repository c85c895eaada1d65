// The list type of a lap's records, samples, positions and course: a sequence that allocates nothing
// while empty, grows in chunks of about 16 KiB (or as given) without moving what it holds, and can
// give back what its last chunk does not use. A lap with one record costs that record, not the
// blocks a deque starts with, and a long lap never holds two copies of its positions while it grows.
#pragma once

#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

namespace orvelo {

// ChunkBytes: the most bytes of elements a chunk after the first holds.
template <class T, std::size_t ChunkBytes = 16384>
class ChunkedList {
    static_assert(std::is_nothrow_move_constructible_v<T>, "elements are moved when the first chunk grows");

public:
    using value_type = T;
    using size_type = std::size_t;
    using difference_type = std::ptrdiff_t;
    using reference = T&;
    using const_reference = const T&;

    // Elements of every chunk after the first: a power of two, at most ChunkBytes of them (at least one).
    static constexpr size_type kChunkShift = [] {
        size_type shift = 0;
        while ((sizeof(T) << (shift + 1)) <= ChunkBytes)
            ++shift;
        return shift;
    }();
    static constexpr size_type kChunkSize = size_type{1} << kChunkShift;

    template <bool Const>
    class Iterator {
        using List = std::conditional_t<Const, const ChunkedList, ChunkedList>;

    public:
        using iterator_category = std::random_access_iterator_tag;
        using iterator_concept = std::random_access_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = std::conditional_t<Const, const T*, T*>;
        using reference = std::conditional_t<Const, const T&, T&>;

        Iterator() = default;
        Iterator(List* list, size_type index) : m_list(list), m_index(index) { Locate(); }
        operator Iterator<true>() const
            requires(!Const)
        {
            return Iterator<true>(m_list, m_index);
        }

        reference operator*() const { return *m_at; }
        pointer operator->() const { return m_at; }
        reference operator[](difference_type n) const { return (*m_list)[Offset(n)]; }

        Iterator& operator++()
        {
            ++m_index;
            if (m_at == nullptr || ++m_at == m_chunkEnd)
                Locate();
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator before = *this;
            ++*this;
            return before;
        }
        Iterator& operator--() { return *this -= 1; }
        Iterator operator--(int)
        {
            Iterator before = *this;
            --*this;
            return before;
        }
        Iterator& operator+=(difference_type n)
        {
            m_index = Offset(n);
            Locate();
            return *this;
        }
        Iterator& operator-=(difference_type n) { return *this += -n; }
        friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
        friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
        friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b)
        {
            return static_cast<difference_type>(a.m_index) - static_cast<difference_type>(b.m_index);
        }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.m_index == b.m_index; }
        friend auto operator<=>(const Iterator& a, const Iterator& b) { return a.m_index <=> b.m_index; }

    private:
        size_type Offset(difference_type n) const
        {
            return static_cast<size_type>(static_cast<difference_type>(m_index) + n);
        }
        // The element at the index and the end of its chunk; nothing past the last element.
        void Locate()
        {
            if (m_list == nullptr || m_index >= m_list->size()) {
                m_at = m_chunkEnd = nullptr;
                return;
            }
            m_at = m_list->Slot(m_index);
            m_chunkEnd = m_list->ChunkEndOf(m_index);
        }

        List* m_list = nullptr;
        size_type m_index = 0;
        pointer m_at = nullptr;
        pointer m_chunkEnd = nullptr;
    };

    using iterator = Iterator<false>;
    using const_iterator = Iterator<true>;

    ChunkedList() noexcept = default;
    ChunkedList(size_type count, const T& value) { assign(count, value); }
    ChunkedList(std::initializer_list<T> values) { assign(values.begin(), values.end()); }
    template <std::input_iterator It>
    ChunkedList(It first, It last)
    {
        assign(first, last);
    }
    // A copy holds every element in one chunk of exactly its size.
    ChunkedList(const ChunkedList& other)
    {
        reserve(other.size());
        for (const T& value : other)
            emplace_back(value);
    }
    ChunkedList(ChunkedList&& other) noexcept { swap(other); }
    ~ChunkedList() { Release(); }

    ChunkedList& operator=(const ChunkedList& other)
    {
        if (this != &other) {
            ChunkedList copy(other);
            swap(copy);
        }
        return *this;
    }
    ChunkedList& operator=(ChunkedList&& other) noexcept
    {
        if (this != &other) {
            Release();
            swap(other);
        }
        return *this;
    }

    void swap(ChunkedList& other) noexcept
    {
        std::swap(m_head, other.m_head);
        std::swap(m_rest, other.m_rest);
        std::swap(m_size, other.m_size);
        std::swap(m_headCapacity, other.m_headCapacity);
    }

    template <std::input_iterator It>
    void assign(It first, It last)
    {
        clear();
        if constexpr (std::forward_iterator<It>)
            reserve(static_cast<size_type>(std::distance(first, last)));
        for (; first != last; ++first)
            emplace_back(*first);
    }
    void assign(size_type count, const T& value)
    {
        clear();
        reserve(count);
        for (size_type i = 0; i < count; ++i)
            emplace_back(value);
    }

    size_type size() const noexcept { return m_size; }
    bool empty() const noexcept { return m_size == 0; }
    static constexpr size_type max_size() noexcept { return std::numeric_limits<std::uint32_t>::max(); }

    T& operator[](size_type i) { return *Slot(i); }
    const T& operator[](size_type i) const { return *Slot(i); }
    T& at(size_type i)
    {
        CheckIndex(i);
        return *Slot(i);
    }
    const T& at(size_type i) const
    {
        CheckIndex(i);
        return *Slot(i);
    }
    T& front() { return *m_head; }
    const T& front() const { return *m_head; }
    T& back() { return *Slot(m_size - 1); }
    const T& back() const { return *Slot(m_size - 1); }

    iterator begin() { return iterator(this, 0); }
    iterator end() { return iterator(this, m_size); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_size); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

    void push_back(const T& value) { emplace_back(value); }
    void push_back(T&& value) { emplace_back(std::move(value)); }

    // The arguments may name an element of this list.
    template <class... Args>
    T& emplace_back(Args&&... args)
    {
        if (m_size == max_size())
            throw std::bad_alloc();
        T* slot = nullptr;
        if (m_size < m_headCapacity) {
            slot = m_head + m_size;
            ::new (static_cast<void*>(slot)) T(std::forward<Args>(args)...);
        } else if (m_rest == nullptr && m_headCapacity < kChunkSize) {
            const size_type doubled = std::min<size_type>(2 * size_type{m_headCapacity}, kChunkSize);
            slot = GrowHeadWith(m_headCapacity == 0 ? 1 : doubled, std::forward<Args>(args)...);
        } else {
            slot = AppendToRest(std::forward<Args>(args)...);
        }
        ++m_size;
        return *slot;
    }

    void pop_back()
    {
        std::destroy_at(Slot(m_size - 1));
        --m_size;
        if (m_rest == nullptr)
            return;
        if (InLastChunk() == 0)
            DropLastChunk();
    }

    // Everything destroyed and every chunk given back.
    void clear() noexcept { Release(); }

    // Room for the count in the first chunk, one allocation, while the list has no other chunk.
    void reserve(size_type count)
    {
        if (count > max_size())
            throw std::bad_alloc();
        if (m_rest == nullptr && count > m_headCapacity)
            MoveHeadTo(count);
    }

    // Gives back what the last chunk holds no element for.
    void shrink_to_fit()
    {
        if (m_rest == nullptr) {
            if (m_size == 0)
                Release();
            else if (m_size < m_headCapacity)
                MoveHeadTo(m_size);
            return;
        }
        if (InLastChunk() < m_rest->lastCapacity)
            ResizeLastChunk(InLastChunk());
    }

    friend bool operator==(const ChunkedList& a, const ChunkedList& b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
    }

private:
    // The chunks after the first, each of kChunkSize elements except that the last may have been cut to
    // what it holds.
    struct Rest {
        std::vector<T*> chunks;
        size_type lastCapacity = 0;
    };

    static T* Allocate(size_type count) { return std::allocator<T>().allocate(count); }
    static void Deallocate(T* chunk, size_type count) { std::allocator<T>().deallocate(chunk, count); }

    T* Slot(size_type i) const
    {
        if (i < m_headCapacity)
            return m_head + i;
        const size_type rest = i - m_headCapacity;
        return m_rest->chunks[rest >> kChunkShift] + (rest & (kChunkSize - 1));
    }
    T* ChunkEndOf(size_type i) const
    {
        if (i < m_headCapacity)
            return m_head + m_headCapacity;
        const size_type chunk = (i - m_headCapacity) >> kChunkShift;
        const bool last = chunk + 1 == m_rest->chunks.size();
        return m_rest->chunks[chunk] + (last ? m_rest->lastCapacity : kChunkSize);
    }
    // Elements in the last of the chunks after the first (there is one).
    size_type InLastChunk() const { return m_size - m_headCapacity - ((m_rest->chunks.size() - 1) << kChunkShift); }
    void CheckIndex(size_type i) const
    {
        if (i >= m_size)
            throw std::out_of_range("ChunkedList::at");
    }

    // The first chunk's elements moved into new storage for `capacity` elements (at least the size).
    void MoveHeadInto(T* head, size_type capacity) noexcept
    {
        std::uninitialized_move(m_head, m_head + m_size, head);
        std::destroy(m_head, m_head + m_size);
        if (m_head != nullptr)
            Deallocate(m_head, m_headCapacity);
        m_head = head;
        m_headCapacity = static_cast<std::uint32_t>(capacity);
    }
    void MoveHeadTo(size_type capacity) { MoveHeadInto(Allocate(capacity), capacity); }

    // The new element is made in the new storage before the old elements move, so that it may be a
    // copy of one of them.
    template <class... Args>
    T* GrowHeadWith(size_type capacity, Args&&... args)
    {
        T* head = Allocate(capacity);
        T* slot = head + m_size;
        try {
            ::new (static_cast<void*>(slot)) T(std::forward<Args>(args)...);
        } catch (...) {
            Deallocate(head, capacity);
            throw;
        }
        MoveHeadInto(head, capacity);
        return slot;
    }

    template <class... Args>
    T* AppendToRest(Args&&... args)
    {
        const size_type inLast = m_rest == nullptr ? 0 : InLastChunk();
        if (m_rest != nullptr && inLast < kChunkSize) {
            T* slot = m_rest->chunks.back() + inLast;
            if (inLast < m_rest->lastCapacity) {
                ::new (static_cast<void*>(slot)) T(std::forward<Args>(args)...);
                return slot;
            }
            // The last chunk was cut to its elements: it takes its full size back. The value is made
            // first, as the arguments may name an element about to move.
            T value(std::forward<Args>(args)...);
            ResizeLastChunk(kChunkSize);
            slot = m_rest->chunks.back() + inLast;
            ::new (static_cast<void*>(slot)) T(std::move(value));
            return slot;
        }
        std::unique_ptr<Rest> fresh;
        Rest* rest = m_rest;
        if (rest == nullptr) {
            fresh = std::make_unique<Rest>();
            rest = fresh.get();
        }
        rest->chunks.reserve(rest->chunks.size() + 1);
        T* chunk = Allocate(kChunkSize);
        try {
            ::new (static_cast<void*>(chunk)) T(std::forward<Args>(args)...);
        } catch (...) {
            Deallocate(chunk, kChunkSize);
            throw;
        }
        rest->chunks.push_back(chunk);
        rest->lastCapacity = kChunkSize;
        if (fresh)
            m_rest = fresh.release();
        return chunk;
    }

    void ResizeLastChunk(size_type capacity)
    {
        T* old = m_rest->chunks.back();
        const size_type count = InLastChunk();
        T* chunk = Allocate(capacity);
        std::uninitialized_move(old, old + count, chunk);
        std::destroy(old, old + count);
        Deallocate(old, m_rest->lastCapacity);
        m_rest->chunks.back() = chunk;
        m_rest->lastCapacity = capacity;
    }

    // The last chunk holds nothing any more.
    void DropLastChunk()
    {
        Deallocate(m_rest->chunks.back(), m_rest->lastCapacity);
        m_rest->chunks.pop_back();
        m_rest->lastCapacity = kChunkSize;
        if (m_rest->chunks.empty())
            DropRest();
    }

    void DropRest()
    {
        delete m_rest;
        m_rest = nullptr;
    }

    void Release() noexcept
    {
        const size_type inHead = std::min<size_type>(m_size, m_headCapacity);
        std::destroy(m_head, m_head + inHead);
        if (m_head != nullptr)
            Deallocate(m_head, m_headCapacity);
        if (m_rest != nullptr) {
            size_type left = m_size - inHead;
            for (std::size_t k = 0; k < m_rest->chunks.size(); ++k) {
                const bool last = k + 1 == m_rest->chunks.size();
                const size_type count = std::min(left, kChunkSize);
                std::destroy(m_rest->chunks[k], m_rest->chunks[k] + count);
                Deallocate(m_rest->chunks[k], last ? m_rest->lastCapacity : kChunkSize);
                left -= count;
            }
            DropRest();
        }
        m_head = nullptr;
        m_size = 0;
        m_headCapacity = 0;
    }

    T* m_head = nullptr;           // the first chunk: grows by doubling up to kChunkSize, or reserved
    Rest* m_rest = nullptr;        // only once the first chunk is full
    std::uint32_t m_size = 0;
    std::uint32_t m_headCapacity = 0;
};

} // namespace orvelo
