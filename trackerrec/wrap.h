// The recorder's wrappers: every object the module receives from the library
// is a wrapper around the library's own object. A wrapper forwards each call
// unchanged, wraps the objects the answer carries, unwraps the objects the
// module passes in, and records the call in the session log.
#pragma once

#include "interface_list.h"
#include "session_log.h"

#include "../platform/com/com_ptr.h"

#include <bit>
#include <concepts>
#include <cstdint>
#include <new>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

namespace trackerrec {

// An interface of the description, or a system interface the recorder wraps.
struct InterfaceInfo {
    const IID* iid;
    const char* name;
    bool value; // its objects never change: each member is recorded once per object
    // A new wrapper of `inner`; `adopt`: it takes over the caller's reference.
    IUnknown* (*make)(void* inner, uint32_t id, bool adopt);
};
// The index of the interface in InterfaceTable(); -1 when the recorder does not know it.
int InterfaceIndex(const IID& iid);
extern const InterfaceInfo* const g_interfaces;
inline const InterfaceInfo& InterfaceAt(int index) {
    return g_interfaces[index];
}

// Whether a value object's read (or query) is written: until it has
// answered, so a failure is written every time, and so is the read after it.
// `answeredReads` has a bit (`bit`) per read whose last call answered; this
// call's is set or cleared by `answered`.
inline bool WrittenUntilAnswered(uint64_t& answeredReads, uint64_t bit, bool answered) {
    const bool written = !(answeredReads & bit) || !answered;
    answeredReads = answered ? answeredReads | bit : answeredReads & ~bit;
    return written;
}

struct Wrapped {
    IUnknown* object = nullptr; // a reference owned by the caller; null for null
    uint32_t id = 0;
    // A whole word, not a bool: the struct is then copied as two words, never
    // as overlapping pieces whose reads stall on the writes just before them.
    uint32_t created = false;
};
// Wrap for an object of a system interface (IDispatch, the connection
// points), or none: the identity table is asked.
Wrapped WrapLive(void* inner, int index, bool adopt);
// The id of the newest wrapper made so far.
extern uint32_t g_newestId;
// A new wrapper of `inner`, of the library's interface at `index`.
inline Wrapped NewWrapper(void* inner, int index, bool adopt) {
    const uint32_t id = ++g_newestId;
    // Event times count from the connection: the tracker object's arrival.
    if (index == kInterface_Tracker)
        SessionLog::Get().MarkConnect();
    return {InterfaceAt(index).make(inner, id, adopt), id, true};
}
// The wrapper of `inner` (an interface pointer of the interface at `index`):
// a new one each time for the library's interfaces; for the system
// interfaces one per object while it lives (an object's IDispatch is its
// identity), which adds a reference. With `adopt`, a wrapper made here
// (`created`) takes over the caller's reference to `inner`; otherwise the
// caller still holds it.
inline Wrapped Wrap(void* inner, int index, bool adopt = false) {
    if (!inner || index < 0 || index >= kDispatchIndex)
        return WrapLive(inner, index, adopt);
    return NewWrapper(inner, index, adopt);
}
// The library's object behind a wrapper; the pointer itself when it is none.
void* Unwrap(void* object);
// The id of a wrapper, 0 when the pointer is not one.
uint32_t IdOf(void* object);
// Wrappers alive.
extern int g_liveWrappers;
inline int LiveWrappers() {
    return g_liveWrappers;
}
inline uint32_t NewestId() {
    return g_newestId;
}
class WrapperCore;
// Notes a wrapper class, by the finished wrapper `face` as the module sees it
// and its bookkeeping `core`: a pointer the module passes in is a wrapper
// when its table of functions is one of the wrapper classes' own.
void RememberWrapperClass(IUnknown* face, WrapperCore* core);

// Wrappers come and go by the dozen with every measurement: their memory is
// kept for the next ones, in lists by size in steps of kStep bytes, each list
// up to kKept long.
namespace wrapper_memory {
struct FreeBlock {
    FreeBlock* next;
};
inline constexpr size_t kStep = 32;
inline constexpr size_t kClasses = 16;
inline constexpr uint32_t kKept = 4096;
extern FreeBlock* g_free[kClasses];
extern uint32_t g_freeCount[kClasses];
} // namespace wrapper_memory
inline void* AllocateWrapper(size_t size) {
    using namespace wrapper_memory;
    const size_t c = (size - 1) / kStep;
    if (c >= kClasses)
        return ::operator new(size);
    if (FreeBlock* block = g_free[c]) {
        g_free[c] = block->next;
        --g_freeCount[c];
        return block;
    }
    return ::operator new((c + 1) * kStep);
}
inline void FreeWrapper(void* memory, size_t size) {
    using namespace wrapper_memory;
    const size_t c = (size - 1) / kStep;
    if (c >= kClasses || g_freeCount[c] >= kKept) {
        ::operator delete(memory);
        return;
    }
    g_free[c] = new (memory) FreeBlock{g_free[c]};
    ++g_freeCount[c];
}

// Bookkeeping shared by every wrapper.
class WrapperCore {
public:
    WrapperCore(void* innerKey, int index, uint32_t id)
        : m_innerKey(innerKey), m_index(index), m_id(id), m_value(InterfaceAt(index).value) {
        ++g_liveWrappers;
    }
    virtual ~WrapperCore() {
        if (m_index >= kDispatchIndex)
            ForgetLive();
        Retire();
    }
    WrapperCore(const WrapperCore&) = delete;
    WrapperCore& operator=(const WrapperCore&) = delete;

    static void* operator new(size_t size) { return AllocateWrapper(size); }
    static void operator delete(void* memory, size_t size) { FreeWrapper(memory, size); }

    uint32_t Id() const { return m_id; }
    void* Inner() const { return m_innerKey; }

protected:
    // A value object's wrapper is kept for the next value object of its
    // interface once the module let it go (see WrapperFor): Retire ends its
    // life as a wrapper, Revive starts the next.
    void Retire() {
        // Everything the module held is released: the file is complete up to here.
        if (--g_liveWrappers == 0)
            SessionLog::Get().Flush();
    }
    void Revive(void* innerKey, uint32_t id) {
        m_refs = 1;
        m_queried[0] = m_queried[1] = 0;
        m_innerKey = innerKey;
        m_id = id;
        ++g_liveWrappers;
    }

public:
    static constexpr int kQueryUnknown = kConnectionPointIndex + 1;
    // QueryInterface on the library's object, the answer wrapped and recorded.
    HRESULT Query(IUnknown* inner, REFIID riid, void** out);

protected:
    ULONG m_refs = 1;

private:
    // Takes a system interface's wrapper out of the identity table.
    void ForgetLive();
    uint64_t m_queried[2] = {}; // interfaces whose last query answered, by slot
    static_assert(kQueryUnknown < 128);
    void* m_innerKey;
    int m_index;
    uint32_t m_id;
    bool m_value;
};

// The thread's error information after a failure: its description, the
// information left in place for the module.
std::string FailureDescription();

// --- forwarding one call ---------------------------------------------------------------------

template <class T>
concept ComInterface = std::is_base_of_v<IUnknown, T>;

template <class T> int IndexOfType() {
    if constexpr (std::is_same_v<T, IDispatch> || std::is_same_v<T, IUnknown>) {
        return kDispatchIndex;
    } else if constexpr (TrackerInterface<T>::index >= 0) {
        return TrackerInterface<T>::index;
    } else {
        static const int index = InterfaceIndex(T::iid);
        return index;
    }
}

// The wrapper of an object the library gave out as a T (none for null).
template <class T> Wrapped WrapAnswer(T* inner) {
    if constexpr (TrackerInterface<T>::index >= 0) {
        return inner ? NewWrapper(inner, TrackerInterface<T>::index, true) : Wrapped{};
    } else {
        return WrapLive(inner, IndexOfType<T>(), true);
    }
}

// A parameter of a forwarded member: what is passed on and what is recorded.
template <class P> struct Param {
    // A number or flag passed in.
    static constexpr bool kOut = false;
    // The bytes of its tokens on a line, when always the same (flags are text).
    static constexpr size_t kFixedTokens = std::is_same_v<P, VARIANT_BOOL> ? 0 : 10;
    explicit Param(P v) : value(v) {}
    P value;
    uint32_t base = 0;
    P Pass() { return value; }
    void In(LineTokens& line) const {
        if constexpr (std::is_same_v<P, double>)
            PutDouble(line, value);
        else if constexpr (std::is_same_v<P, VARIANT_BOOL>)
            PutBool(line, value);
        else
            PutLong(line, value);
    }
    // Stores its tokens for a call that succeeded (kFixedTokens bytes).
    char* Store(char* at) const {
        if constexpr (std::is_same_v<P, double>)
            return LineTokens::StoreDouble(at, value, 0);
        else
            return LineTokens::StoreLong(at, value, 0);
    }
    void Out(LineTokens&) {}
    void Finish() {}
};

template <> struct Param<BSTR> {
    static constexpr bool kOut = false;
    static constexpr size_t kFixedTokens = 0;
    explicit Param(BSTR v) : value(v) {}
    BSTR value;
    uint32_t base = 0;
    BSTR Pass() { return value; }
    void In(LineTokens& line) const { PutString(line, value, value ? SysStringLen(value) : 0); }
    void Out(LineTokens&) {}
    void Finish() {}
};

template <> struct Param<BSTR*> {
    static constexpr bool kOut = true;
    static constexpr size_t kFixedTokens = 0;
    explicit Param(BSTR* v) : value(v) {}
    BSTR* value;
    uint32_t base = 0;
    BSTR* Pass() { return value; }
    void In(LineTokens&) const {}
    void Out(LineTokens& line) { PutString(line, *value, *value ? SysStringLen(*value) : 0); }
    void Finish() {}
};

template <class T>
requires std::is_arithmetic_v<T>
struct Param<T*> {
    static constexpr bool kOut = true;
    static constexpr size_t kFixedTokens = std::is_same_v<T, VARIANT_BOOL> ? 0 : 10;
    explicit Param(T* v) : value(v) {}
    T* value;
    uint32_t base = 0;
    T* Pass() { return value; }
    void In(LineTokens&) const {}
    char* Store(char* at) const {
        if constexpr (std::is_floating_point_v<T>)
            return LineTokens::StoreDouble(at, *value, 0);
        else
            return LineTokens::StoreLong(at, *value, 0);
    }
    void Out(LineTokens& line) {
        if constexpr (std::is_floating_point_v<T>)
            PutDouble(line, *value);
        else if constexpr (std::is_same_v<T, VARIANT_BOOL>)
            PutBool(line, *value);
        else
            PutLong(line, *value);
    }
    void Finish() {}
};

// An object passed in: the library gets its own object back.
template <ComInterface T> struct Param<T*> {
    static constexpr bool kOut = false;
    static constexpr size_t kFixedTokens = 0; // an object of the module's own is text
    explicit Param(T* v) : value(v) {}
    T* value;
    T* Pass() { return static_cast<T*>(Unwrap(value)); }
    uint32_t base = 0;
    void In(LineTokens& line) const {
        const uint32_t id = value ? IdOf(value) : 0;
        if (value && !id)
            line += " ?"; // an object of the module's own
        else
            PutObject(line, id, false, base);
    }
    void Out(LineTokens&) {}
    void Finish() {}
};

// An object given out: the module gets the wrapper.
template <ComInterface T> struct Param<T**> {
    static constexpr bool kOut = true;
    static constexpr size_t kFixedTokens = 10;
    explicit Param(T** out) : value(out) {}
    T** value;
    T* inner = nullptr;
    Wrapped wrapped;
    T** Pass() { return value ? &inner : nullptr; }
    void In(LineTokens&) const {}
    void Out(LineTokens& line) {
        Prepare();
        PutObject(line, wrapped.id, wrapped.created, base);
    }
    // Wraps the answer before its line is stored.
    void Prepare() {
        if (!wrapped.object)
            wrapped = WrapAnswer(inner);
    }
    // Wraps an answer no line was written for (nothing is recorded): out of
    // line, so that Finish stays small enough to be inlined.
    [[gnu::noinline]] void WrapUnwritten() { wrapped = WrapAnswer(inner); }
    char* Store(char* at) const {
        return LineTokens::StoreObject(at, wrapped.id, wrapped.created, base);
    }
    uint32_t base = 0;
    // The wrapper a value object handed out before.
    void UseKept(IUnknown* kept, uint32_t id) {
        kept->AddRef();
        wrapped = {kept, id, false};
    }
    // Hands the wrapper to the module (null where the library gave null).
    void Finish() {
        if (!value)
            return;
        if (!wrapped.object && inner)
            WrapUnwritten();
        *value = static_cast<T*>(wrapped.object);
        if (inner && !wrapped.created)
            inner->Release(); // a wrapper made here holds the library's reference
    }
};

template <class T> constexpr bool IsObjectOut = false;
template <ComInterface T> constexpr bool IsObjectOut<T**> = true;

// A plain read: the member's one parameter is what it gives out.
template <class... P> constexpr bool kPlainRead = false;
template <class P> constexpr bool kPlainRead<P> = Param<P>::kOut;

// What a value object's wrapper keeps: the plain reads that answered, a bit
// each by the member's place in its interface, and the wrapper each read
// that answered an object handed out (a reference held), given again on
// every later read.
template <int kMembers> struct ValueReads {
    static_assert(kMembers <= 64);
    static constexpr int kSlots = kMembers > 0 ? kMembers : 1;
    uint64_t called = 0;       // the members whose last read answered
    uint64_t kept = 0;         // the members whose answer is kept
    IUnknown* answers[kSlots]; // set where `kept` has the member's bit
    uint32_t answerIds[kSlots];
    ValueReads() = default;
    ValueReads(const ValueReads&) = delete;
    ValueReads& operator=(const ValueReads&) = delete;
    ~ValueReads() { Clear(); }
    // Releases the kept answers and forgets the reads.
    void Clear() {
        for (uint64_t left = std::exchange(kept, 0); left; left &= left - 1)
            answers[std::countr_zero(left)]->Release();
        called = 0;
    }
};

// Forwards member kMember of `self`'s interface to the library's object and
// records it: a live object's every call; a value object's plain read until
// it has answered, its other members every time.
template <int kMember, class Self, class Interface, class Declaring, class... P>
HRESULT Forward(Self& self, Interface* inner, MemberSlot& member,
                HRESULT (STDMETHODCALLTYPE Declaring::*fn)(P...), P... args) {
    SessionLog& log = SessionLog::Get();
    const uint32_t base = NewestId();
    std::tuple<Param<P>...> params{Param<P>{args}...};
    const HRESULT hr = std::apply(
        [&](auto&... p) { return (static_cast<Declaring*>(inner)->*fn)(p.Pass()...); }, params);
    bool record = true;
    if constexpr (Self::kValue && kPlainRead<P...>) {
        // An object read that answered null counts as not answered.
        static_assert(kMember < 64);
        constexpr uint64_t bit = uint64_t(1) << kMember;
        auto& reads = self.reads;
        bool answered = SUCCEEDED(hr);
        bool created = false;
        if constexpr (IsObjectOut<P...>) {
            auto& out = std::get<0>(params);
            answered = answered && out.inner;
            if (answered) {
                if (reads.kept & bit) {
                    out.UseKept(reads.answers[kMember], reads.answerIds[kMember]);
                } else {
                    out.wrapped = WrapAnswer(out.inner);
                    created = out.wrapped.created;
                    if (out.wrapped.object) {
                        out.wrapped.object->AddRef();
                        reads.kept |= bit;
                        reads.answers[kMember] = out.wrapped.object;
                        reads.answerIds[kMember] = out.wrapped.id;
                    }
                }
            }
        }
        record = WrittenUntilAnswered(reads.called, bit, answered) || created;
    }
    if (record && log.Active()) {
        const uint32_t number = log.Member(member);
        if constexpr (((Param<P>::kFixedTokens > 0) && ...)) {
            // The common line: all its tokens of a known size, stored in one go.
            if (SUCCEEDED(hr)) {
                if constexpr (sizeof...(P) > 0)
                    if constexpr (IsObjectOut<
                                      std::tuple_element_t<sizeof...(P) - 1, std::tuple<P...>>>)
                        std::get<sizeof...(P) - 1>(params).Prepare();
                char* at = log.StartFixedLine(13 + (0 + ... + Param<P>::kFixedTokens) + 1);
                at = LineTokens::StoreCall(at, self.Id(), base, number);
                std::apply([&](auto&... p) { ((p.base = base, at = p.Store(at)), ...); }, params);
                log.EndFixedLine(at);
                std::apply([](auto&... p) { (p.Finish(), ...); }, params);
                return hr;
            }
        }
        LineTokens& line = log.Line();
        line.Call(self.Id(), base, number);
        std::apply([&](auto&... p) { ((p.base = base, p.In(line)), ...); }, params);
        if (FAILED(hr))
            PutFailure(line, hr, FailureDescription());
        else if constexpr (sizeof...(P) > 0)
            std::get<sizeof...(P) - 1>(params).Out(line);
        log.Write(line);
    }
    std::apply([](auto&... p) { (p.Finish(), ...); }, params);
    return hr;
}

} // namespace trackerrec
