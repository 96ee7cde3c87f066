// A hash table kept in one array (open addressing, linear probing, deletion by
// shifting back), for the recorder's object registry: a lookup, an insertion
// or an erasure touches one or two cache lines and never allocates, except
// when the table grows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace trackerrec {

// Key is compared with ==; Key{} marks a free slot and is never inserted.
// Hash gives a well-mixed 64-bit value.
template <class Key, class Value, class Hash> class FlatTable {
public:
    Value* Find(const Key& key) {
        if (m_count == 0)
            return nullptr;
        for (size_t i = Home(key);; i = (i + 1) & m_mask) {
            Slot& slot = m_slots[i];
            if (slot.key == key)
                return &slot.value;
            if (slot.key == Key{})
                return nullptr;
        }
    }

    // The key's value, and whether it was there; a new key gets Value{}, to
    // be filled before the table changes again.
    std::pair<Value*, bool> FindOrInsert(const Key& key) {
        if ((m_count + 1) * 4 > m_slots.size() * 3)
            Grow();
        for (size_t i = Home(key);; i = (i + 1) & m_mask) {
            Slot& slot = m_slots[i];
            if (slot.key == key)
                return {&slot.value, true};
            if (slot.key == Key{}) {
                slot = {key, Value{}};
                ++m_count;
                return {&slot.value, false};
            }
        }
    }

    // Inserts the key, or replaces its value.
    void Insert(const Key& key, Value value) {
        if ((m_count + 1) * 4 > m_slots.size() * 3)
            Grow();
        for (size_t i = Home(key);; i = (i + 1) & m_mask) {
            Slot& slot = m_slots[i];
            if (slot.key == Key{}) {
                slot = {key, std::move(value)};
                ++m_count;
                return;
            }
            if (slot.key == key) {
                slot.value = std::move(value);
                return;
            }
        }
    }

    bool Erase(const Key& key) {
        if (m_count == 0)
            return false;
        size_t hole = Home(key);
        while (!(m_slots[hole].key == key)) {
            if (m_slots[hole].key == Key{})
                return false;
            hole = (hole + 1) & m_mask;
        }
        // Moves back each later entry of the run that may sit in the hole.
        for (size_t i = (hole + 1) & m_mask; !(m_slots[i].key == Key{}); i = (i + 1) & m_mask) {
            const size_t home = Home(m_slots[i].key);
            if (((i - home) & m_mask) >= ((i - hole) & m_mask)) {
                m_slots[hole] = std::move(m_slots[i]);
                hole = i;
            }
        }
        m_slots[hole] = Slot{};
        --m_count;
        return true;
    }

    size_t Size() const { return m_count; }
    void Clear() {
        m_slots.clear();
        m_count = 0;
        m_mask = 0;
        m_shift = 64;
    }

private:
    struct Slot {
        Key key{};
        Value value{};
    };

    size_t Home(const Key& key) const {
        return static_cast<size_t>((Hash{}(key)*0x9E3779B97F4A7C15ull) >> m_shift);
    }

    void Grow() {
        std::vector<Slot> old = std::move(m_slots);
        const size_t size = old.empty() ? 64 : old.size() * 2;
        m_slots.assign(size, Slot{});
        m_mask = size - 1;
        m_shift = 64;
        for (size_t n = size; n > 1; n >>= 1)
            --m_shift;
        m_count = 0;
        for (Slot& slot : old)
            if (!(slot.key == Key{}))
                Insert(slot.key, std::move(slot.value));
    }

    std::vector<Slot> m_slots;
    size_t m_count = 0;
    size_t m_mask = 0;
    unsigned m_shift = 64;
};

} // namespace trackerrec
