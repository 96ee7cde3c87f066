#include "passed_entries.h"

#include "interface_list.h"

#include <cstring>
#include <type_traits>

namespace trackerrec {
namespace {

template <class... P> constexpr uint32_t DoubleMask() {
    uint32_t mask = 0;
    uint32_t bit = 1;
    ((mask |= std::is_floating_point_v<std::remove_pointer_t<P>> ? bit : 0, bit <<= 1), ...);
    return mask;
}

struct MemberDoubles {
    std::string_view member;
    uint32_t mask;
};

#define QN_DOUBLES_OF_MEMBER(Declaring, name, ...)                                                 \
    {#Declaring "." #name, DoubleMask<__VA_ARGS__>()},
#define QN_DOUBLES_OF_CLASS(Name, Kind) QN_MEMBERS_##Name(QN_DOUBLES_OF_MEMBER)
constexpr MemberDoubles kMemberDoubles[] = {QN_TRACKER_INTERFACES(QN_DOUBLES_OF_CLASS)};

} // namespace

bool RecentDoubles::Take(std::string_view field, double& value) {
    uint64_t bits = 0;
    if (!field.empty() && field[0] == '=') {
        uint64_t back = 0;
        if (!IntegerOfField(field.substr(1), back) || back == 0 ||
            back > static_cast<uint64_t>(m_count))
            return false;
        bits = m_bits[(m_next - static_cast<int>(back) + kKept) % kKept];
        std::memcpy(&value, &bits, sizeof value);
    } else {
        const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (ec != std::errc() || end != field.data() + field.size())
            return false;
        std::memcpy(&bits, &value, sizeof bits);
    }
    m_bits[m_next] = bits;
    m_next = (m_next + 1) % kKept;
    if (m_count < kKept)
        ++m_count;
    return true;
}

std::vector<uint32_t> DoubleFieldsOf(const std::vector<std::string>& members) {
    std::vector<uint32_t> masks(members.size(), 0);
    for (size_t n = 0; n < members.size(); ++n)
        for (const MemberDoubles& entry : kMemberDoubles)
            if (entry.member == members[n]) {
                masks[n] = entry.mask;
                break;
            }
    return masks;
}

bool PassOverEntry(const SessionEntry& entry, const std::vector<std::string_view>& fields,
                   const std::vector<uint32_t>& doubleFields, uint32_t& newest,
                   RecentDoubles& recent) {
    double unused = 0;
    switch (entry.kind) {
    case SessionEntry::End:
        return false;
    case SessionEntry::Create:
        newest += fields[0] == "@" ? 1 : 0;
        return true;
    case SessionEntry::Event:
        for (size_t i = 3; i < fields.size(); ++i) {
            if (fields[i] == "@")
                ++newest;
            else if (fields[i][0] == 'r' && !recent.Take(fields[i].substr(1), unused))
                return false;
        }
        return true;
    case SessionEntry::Call:
        break;
    }
    uint64_t number = 0;
    IntegerOfField(fields[1], number); // checked at load
    const uint32_t doubles = doubleFields[number - 1];
    for (size_t i = 2; i < fields.size() && fields[i][0] != '!'; ++i) {
        if (fields[i] == "@")
            ++newest;
        else if (i - 2 < 32 && (doubles >> (i - 2) & 1) && !recent.Take(fields[i], unused))
            return false;
    }
    return true;
}

} // namespace trackerrec
