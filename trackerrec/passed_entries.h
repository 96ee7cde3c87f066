// Replay's bookkeeping that does not need the played objects: the doubles
// read so far (a recorded "=K" is the K-th double before it) and passing over
// entries as if played, for a replay the host cuts short.
#pragma once

#include "session_file.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trackerrec {

class RecentDoubles {
public:
    // Reads a double field ("=K" is the K-th double read before) and keeps it.
    bool Take(std::string_view field, double& value);

private:
    static constexpr int kKept = 16; // as many as the recorder looks back
    uint64_t m_bits[kKept] = {};
    int m_next = 0;
    int m_count = 0;
};

// Which of each member's recorded fields (after its object and member number)
// are doubles, by member number less one: bit i for the i-th; 0 for a member
// not in the interface list.
std::vector<uint32_t> DoubleFieldsOf(const std::vector<std::string>& members);

// Passes over one entry, split into `fields`, as if it had been played: its
// new objects ("@") add to `newest`, its doubles go into `recent`. False for
// the end, or a double that cannot be read.
bool PassOverEntry(const SessionEntry& entry, const std::vector<std::string_view>& fields,
                   const std::vector<uint32_t>& doubleFields, uint32_t& newest,
                   RecentDoubles& recent);

} // namespace trackerrec
