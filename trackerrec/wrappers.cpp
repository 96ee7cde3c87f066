// The wrappers of the tracker library's interfaces, made from the interface
// list, and the table the recorder finds them by.
#include "events.h"
#include "interface_list.h"
#include "wrapper_base.h"

namespace trackerrec {
namespace {

// Parameter lists of up to six parameters, named p1..p6.
#define QN_COUNT(...) QN_COUNT_(__VA_ARGS__ __VA_OPT__(, ) 6, 5, 4, 3, 2, 1, 0)
#define QN_COUNT_(_1, _2, _3, _4, _5, _6, N, ...) N
#define QN_CAT(a, b) QN_CAT_(a, b)
#define QN_CAT_(a, b) a##b
#define QN_P_0()
#define QN_P_1(a) a p1
#define QN_P_2(a, b) a p1, b p2
#define QN_P_3(a, b, c) a p1, b p2, c p3
#define QN_P_4(a, b, c, d) a p1, b p2, c p3, d p4
#define QN_P_5(a, b, c, d, e) a p1, b p2, c p3, d p4, e p5
#define QN_P_6(a, b, c, d, e, f) a p1, b p2, c p3, d p4, e p5, f p6
#define QN_A_0()
#define QN_A_1(a) , p1
#define QN_A_2(a, b) , p1, p2
#define QN_A_3(a, b, c) , p1, p2, p3
#define QN_A_4(a, b, c, d) , p1, p2, p3, p4
#define QN_A_5(a, b, c, d, e) , p1, p2, p3, p4, p5
#define QN_A_6(a, b, c, d, e, f) , p1, p2, p3, p4, p5, p6
#define QN_PARAMS(...) QN_CAT(QN_P_, QN_COUNT(__VA_ARGS__))(__VA_ARGS__)
#define QN_ARGS(...) QN_CAT(QN_A_, QN_COUNT(__VA_ARGS__))(__VA_ARGS__)

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
