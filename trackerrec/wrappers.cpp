// The wrappers of the tracker library's interfaces, made from the interface
// list, and the table the recorder finds them by.
#include "events.h"
#include "interface_list.h"
#include "member_macros.h"
#include "wrapper_base.h"

#include <algorithm>
#include <iterator>

namespace trackerrec {
namespace {

// Each member knows its place in the interface (counted from the class's
// kFirstMember), by which a value object's wrapper keeps its reads.
#define QN_WRAP_MEMBER(Declaring, name, ...)                                                       \
    HRESULT STDMETHODCALLTYPE name(QN_PARAMS(__VA_ARGS__)) override {                              \
        static MemberSlot member{#Declaring "." #name};                                            \
        constexpr int kMember = __COUNTER__ - kFirstMember - 1;                                    \
        return Forward<kMember>(*this, m_inner.Get(), member,                                      \
                                &Interface::name QN_ARGS(__VA_ARGS__));                            \
    }
#define QN_ONE_MEMBER(...) +1

#define QN_WRAPPER_CLASS(Name, Kind)                                                               \
    class Wrapper_##Name final : public WrapperFor<tracker::Name, interface_kind::Kind,            \
                                                   0 QN_MEMBERS_##Name(QN_ONE_MEMBER)> {           \
    public:                                                                                        \
        using Interface = tracker::Name;                                                           \
        using WrapperFor::WrapperFor;                                                              \
        static constexpr int kFirstMember = __COUNTER__;                                           \
        QN_MEMBERS_##Name(QN_WRAP_MEMBER)                                                          \
    };
QN_TRACKER_INTERFACES(QN_WRAPPER_CLASS)

// The generic wrapper: event arguments and objects given as IDispatch.
class DispatchWrapper final : public WrapperOf<IDispatch> {
public:
    using Interface = IDispatch;
    using WrapperOf::WrapperOf;
};

#define QN_TABLE_ENTRY(Name, Kind)                                                                 \
    {&tracker::Name::iid, #Name, interface_kind::Kind, &Make<Wrapper_##Name>},
const InterfaceInfo kTable[] = {
    QN_TRACKER_INTERFACES(QN_TABLE_ENTRY){&IID_IDispatch, "IDispatch", false,
                                          &Make<DispatchWrapper>},
    {&IID_IConnectionPointContainer, "IConnectionPointContainer", false, &MakeContainerWrapper},
    {&IID_IConnectionPoint, "IConnectionPoint", false, &MakeConnectionPointWrapper},
};
constexpr int kCount = static_cast<int>(sizeof kTable / sizeof kTable[0]);
static_assert(kCount == kConnectionPointIndex + 1 && kDispatchIndex == kCount - 3);

// The table's interfaces by their IID's first word, probed in turn: asked at
// every query.
struct ByIid {
    static constexpr unsigned kSize = 512; // a power of two, well over kCount
    int16_t slots[kSize];
    ByIid() {
        std::fill(std::begin(slots), std::end(slots), int16_t(-1));
        for (int i = 0; i < kCount; ++i) {
            unsigned at = Home(*kTable[i].iid);
            while (slots[at] >= 0)
                at = (at + 1) % kSize;
            slots[at] = static_cast<int16_t>(i);
        }
    }
    static unsigned Home(const IID& iid) {
        return (static_cast<uint32_t>(iid.Data1) * 0x9E3779B1u >> 23) % kSize;
    }
};

} // namespace

int InterfaceIndex(const IID& iid) {
    static const ByIid table;
    for (unsigned at = ByIid::Home(iid); table.slots[at] >= 0; at = (at + 1) % ByIid::kSize)
        if (*kTable[table.slots[at]].iid == iid)
            return table.slots[at];
    return -1;
}

const InterfaceInfo* const g_interfaces = kTable;

} // namespace trackerrec
