// Memory that starts as zeros without being written: the level tables' cells
// and the drawing surface's image.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

namespace palmos {

// Zeroed by calloc and left as it comes: a new table is all zeros without a
// single cell written, so the operating system maps its pages only when a
// solver first reaches them, and a table's levels that a run never reaches
// take no memory.
template <class T>
struct ZeroedAllocator {
    using value_type = T;

    ZeroedAllocator() = default;
    template <class U>
    ZeroedAllocator(const ZeroedAllocator<U>&) {}

    T* allocate(std::size_t count) {
        void* memory = std::calloc(count, sizeof(T));
        if (memory == nullptr) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(memory);
    }
    void deallocate(T* memory, std::size_t) { std::free(memory); }

    // A new element keeps calloc's zero (T is trivial); a copy is copied.
    template <class U>
    void construct(U*) {
        static_assert(std::is_trivial_v<U>);
    }
    template <class U, class Value>
    void construct(U* element, Value&& value) {
        ::new (static_cast<void*>(element)) U(std::forward<Value>(value));
    }

    friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) { return true; }
};

}  // namespace palmos
