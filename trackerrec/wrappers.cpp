// The wrappers of the tracker library's interfaces, made from the interface
// list, and the table the recorder finds them by.
#include "events.h"
#include "interface_list.h"
#include "member_macros.h"
#include "wrapper_base.h"

namespace trackerrec {
namespace {

#define QN_WRAP_MEMBER(Declaring, name, ...)                                                       \
    HRESULT STDMETHODCALLTYPE name(QN_PARAMS(__VA_ARGS__)) override {                              \
        return Forward(*this, m_inner.Get(), #Declaring "." #name,                                 \
                       &Interface::name QN_ARGS(__VA_ARGS__));                                     \
    }

#define QN_WRAPPER_CLASS(Name, Kind)                                                               \
    class Wrapper_##Name final : public WrapperOf<tracker::Name> {                                 \
    public:                                                                                        \
        using Interface = tracker::Name;                                                           \
        using WrapperOf::WrapperOf;                                                                \
        QN_MEMBERS_##Name(QN_WRAP_MEMBER)                                                          \
    };
QN_TRACKER_INTERFACES(QN_WRAPPER_CLASS)

// The generic wrapper: event arguments and objects given as IDispatch.
class DispatchWrapper final : public WrapperOf<IDispatch> {
public:
    using Interface = IDispatch;
    using WrapperOf::WrapperOf;
};

constexpr bool Value = true;
constexpr bool Live = false;

#define QN_TABLE_ENTRY(Name, Kind) {&tracker::Name::iid, #Name, Kind, &Make<Wrapper_##Name>},
const InterfaceInfo kTable[] = {
    QN_TRACKER_INTERFACES(QN_TABLE_ENTRY){&IID_IDispatch, "IDispatch", false,
                                          &Make<DispatchWrapper>},
    {&IID_IConnectionPointContainer, "IConnectionPointContainer", false, &MakeContainerWrapper},
    {&IID_IConnectionPoint, "IConnectionPoint", false, &MakeConnectionPointWrapper},
};
constexpr int kCount = static_cast<int>(sizeof kTable / sizeof kTable[0]);

} // namespace

int InterfaceIndex(const IID& iid) {
    for (int i = 0; i < kCount; ++i)
        if (*kTable[i].iid == iid)
            return i;
    return -1;
}

const InterfaceInfo& InterfaceAt(int index) {
    return kTable[index];
}

int DispatchIndex() {
    return kCount - 3;
}

int ConnectionPointIndex() {
    return kCount - 1;
}

} // namespace trackerrec
