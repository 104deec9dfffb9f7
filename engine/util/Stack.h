#ifndef QUENTH_UTIL_STACK_H
#define QUENTH_UTIL_STACK_H

#include <cstddef>
#include <cstring>
#include <new>

namespace quenth {

// Growable array of plain values (copied bitwise; T must have no constructor or destructor of
// consequence). Owns its storage, not what pointer elements point to.
// Invariants: count <= capacity; storage holds capacity + 1 elements, the last one (index
// capacity) being the spare that push never writes. pop() on an empty stack and element access
// at or beyond count return the spare. Growth doubles the capacity (a capacity of 0 grows to 1).
// Stacks held as members are zero-filled (new slots and the spare read as zero); the work stacks
// of drawing and hit testing pass zeroFill = false and write every element before reading it.
// Not copyable: the storage has exactly one owner.
template <typename T>
class Stack {
public:
    T* data;           // capacity + 1 elements, owned
    unsigned capacity; // usable slots
    unsigned count;    // elements held: data[0 .. count - 1] are valid
    bool zeroFill;     // whether storage allocations (construction, resize, growth) are cleared

    explicit Stack(unsigned capacity = 16, bool zeroFill = true)
        : data(allocate(capacity, zeroFill)), capacity(capacity), count(0), zeroFill(zeroFill) {}
    ~Stack() { ::operator delete(data); }
    Stack(Stack const&) = delete;
    Stack& operator=(Stack const&) = delete;

    void push(T const& value) {
        if (count == capacity) {
            // value may live in the storage that resize frees.
            alignas(T) unsigned char saved[sizeof(T)];
            memcpy(saved, static_cast<void const*>(&value), sizeof(T));
            resize(capacity ? 2 * capacity : 1);
            memcpy(static_cast<void*>(&data[count]), saved, sizeof(T));
        } else {
            memcpy(static_cast<void*>(&data[count]), static_cast<void const*>(&value), sizeof(T));
        }
        count++;
    }

    // The top element, removed; the spare element when empty (count stays 0).
    T& pop() {
        if (count == 0) return data[capacity];
        return data[--count];
    }

    // count = 0; storage and capacity kept.
    void clear() { count = 0; }

    // New storage for n + 1 elements (cleared as chosen at construction) holding the first
    // min(capacity, n) elements. count is kept, except that shrinking below it cuts it to n.
    void resize(unsigned n) { resize(n, zeroFill); }
    void resize(unsigned n, bool clearStorage) {
        T* fresh = allocate(n, clearStorage);
        unsigned keep = n < capacity ? n : capacity;
        memcpy(static_cast<void*>(fresh), static_cast<void const*>(data), keep * sizeof(T));
        ::operator delete(data);
        data = fresh;
        capacity = n;
        if (count > n) count = n;
    }

    // data[i] for i < count, otherwise the spare element.
    T& operator[](unsigned i) { return i < count ? data[i] : data[capacity]; }
    T const& operator[](unsigned i) const { return i < count ? data[i] : data[capacity]; }

private:
    // Storage comes from operator new so that heap-allocation counting sees stack growth.
    static T* allocate(unsigned n, bool clearStorage) {
        size_t bytes = ((size_t)n + 1) * sizeof(T);
        void* p = ::operator new(bytes);
        if (clearStorage) memset(p, 0, bytes);
        return static_cast<T*>(p);
    }
};

} // namespace quenth

#endif
