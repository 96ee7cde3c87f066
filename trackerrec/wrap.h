// The recorder's wrappers: every object the module receives from the library
// is a wrapper around the library's own object. A wrapper forwards each call
// unchanged, wraps the objects the answer carries, unwraps the objects the
// module passes in, and records the call in the session log.
#pragma once

#include "session_log.h"

#include "../platform/com/com_ptr.h"

#include <concepts>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

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
int DispatchIndex();
int ConnectionPointIndex();

struct Wrapped {
    IUnknown* object = nullptr; // a reference owned by the caller; null for null
    uint32_t id = 0;
    bool created = false;
};
// Wrap for a live object (or none): the identity table is asked.
Wrapped WrapLive(void* inner, int index, bool adopt);
// The id of the newest wrapper made so far.
extern uint32_t g_newestId;
// The wrapper of `inner` (an interface pointer of the interface at `index`),
// made once per object and interface while it lives; adds a reference. With
// `adopt`, a wrapper made here (`created`) takes over the caller's reference
// to `inner`; otherwise the caller still holds it.
inline Wrapped Wrap(void* inner, int index, bool adopt = false) {
    if (!inner || index < 0 || !InterfaceAt(index).value)
        return WrapLive(inner, index, adopt);
    // A value object's wrapper is reached again through the object that gave
    // it (its kept answers): a new one each time the library hands it out.
    const uint32_t id = ++g_newestId;
    return {InterfaceAt(index).make(inner, id, adopt), id, true};
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
        if (m_answeredCount)
            ReleaseAnswers();
        if (!m_value)
            ForgetLive();
        // Everything the module held is released: the file is complete up to here.
        if (--g_liveWrappers == 0)
            SessionLog::Get().Flush();
    }
    WrapperCore(const WrapperCore&) = delete;
    WrapperCore& operator=(const WrapperCore&) = delete;

    static void* operator new(size_t size) { return AllocateWrapper(size); }
    static void operator delete(void* memory, size_t size) { FreeWrapper(memory, size); }

    uint32_t Id() const { return m_id; }
    void* Inner() const { return m_innerKey; }
    // A value object's member already called: its key (the call site, or the
    // query), and the wrapper its answer gave, kept with the object (a
    // reference held; null when the answer was no object).
    struct Answered {
        uintptr_t key;
        IUnknown* kept;
        uint32_t keptId;
    };
    // The member's entry, made at its first call, which `first` tells.
    Answered& Answer(uintptr_t key, bool& first);
    // The entry of a member that answered an object; `firstCall` as FirstCall told.
    Answered& AnswerOf(MemberSlot& member, bool firstCall) {
        const uintptr_t key = reinterpret_cast<uintptr_t>(&member);
        if (firstCall && member.ordinal <= kCalledBits && m_answeredCount < kInPlace)
            return m_answered[m_answeredCount++] = Answered{key, nullptr, 0};
        bool first = true;
        return Answer(key, first);
    }
    // Keeps `wrapper` (adding a reference) as the member's answer.
    static void Keep(Answered& answered, const Wrapped& wrapped) {
        wrapped.object->AddRef();
        answered.kept = wrapped.object;
        answered.keptId = wrapped.id;
    }
    // Whether this is the member's (or query's) first call on this object;
    // marks it called.
    bool FirstCall(MemberSlot& member) {
        const uint32_t ordinal = member.ordinal ? member.ordinal : NumberSlot(member);
        if (ordinal > kCalledBits) {
            bool first = true;
            Answer(reinterpret_cast<uintptr_t>(&member), first);
            return first;
        }
        uint64_t& word = m_called[(ordinal - 1) / 64];
        const uint64_t bit = uint64_t(1) << ((ordinal - 1) % 64);
        const bool first = !(word & bit);
        word |= bit;
        return first;
    }
    // Whether the answer of a member (or query) is to be written: always for
    // live objects, the first time for value objects.
    bool ShouldRecord(MemberSlot& member) { return !m_value || FirstCall(member); }
    // A value object gives the same object each time a member is read: the
    // wrapper handed out first, kept with the object.
    bool IsValue() const { return m_value; }
    // QueryInterface on the library's object, the answer wrapped and recorded.
    HRESULT Query(IUnknown* inner, REFIID riid, void** out);

protected:
    ULONG m_refs = 1;

private:
    // Value objects have a handful of members: they are kept in place, more
    // of them in `m_more`.
    static constexpr int kInPlace = 8;
    // Members called so far, by their slots' ordinals (the first ones; the
    // rest are noted among the answers).
    static constexpr uint32_t kCalledBits = 128;
    static uint32_t NumberSlot(MemberSlot& member);
    void ReleaseAnswers();
    // Takes a live object's wrapper out of the identity table.
    void ForgetLive();
    uint64_t m_called[kCalledBits / 64] = {};
    void* m_innerKey;
    int m_index;
    uint32_t m_id;
    bool m_value;
    uint8_t m_answeredCount = 0;
    Answered m_answered[kInPlace];
    std::unique_ptr<std::vector<Answered>> m_more;
};

// The thread's error information after a failure: its description, the
// information left in place for the module.
std::string FailureDescription();

// --- forwarding one call ---------------------------------------------------------------------

template <class T>
concept ComInterface = std::is_base_of_v<IUnknown, T>;

template <class T> int IndexOfType() {
    if constexpr (std::is_same_v<T, IDispatch> || std::is_same_v<T, IUnknown>) {
        return DispatchIndex();
    } else {
        static const int index = InterfaceIndex(T::iid);
        return index;
    }
}

// A parameter of a forwarded member: what is passed on and what is recorded.
template <class P> struct Param {
    // A number or flag passed in.
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
    void Out(LineTokens&) {}
    void Finish() {}
};

template <> struct Param<BSTR> {
    explicit Param(BSTR v) : value(v) {}
    BSTR value;
    uint32_t base = 0;
    BSTR Pass() { return value; }
    void In(LineTokens& line) const { PutString(line, value, value ? SysStringLen(value) : 0); }
    void Out(LineTokens&) {}
    void Finish() {}
};

template <> struct Param<BSTR*> {
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
    explicit Param(T* v) : value(v) {}
    T* value;
    uint32_t base = 0;
    T* Pass() { return value; }
    void In(LineTokens&) const {}
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
    explicit Param(T** out) : value(out) {}
    T** value;
    T* inner = nullptr;
    Wrapped wrapped;
    T** Pass() { return value ? &inner : nullptr; }
    void In(LineTokens&) const {}
    void Out(LineTokens& line) {
        if (!wrapped.object)
            wrapped = Wrap(inner, IndexOfType<T>(), true);
        PutObject(line, wrapped.id, wrapped.created, base);
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
            wrapped = Wrap(inner, IndexOfType<T>(), true);
        *value = static_cast<T*>(wrapped.object);
        if (inner && !wrapped.created)
            inner->Release(); // a wrapper made here holds the library's reference
    }
};

template <class T> constexpr bool IsObjectOut = false;
template <ComInterface T> constexpr bool IsObjectOut<T**> = true;

template <class Interface, class Declaring, class... P>
HRESULT Forward(WrapperCore& self, Interface* inner, MemberSlot& member,
                HRESULT (STDMETHODCALLTYPE Declaring::*fn)(P...), P... args) {
    SessionLog& log = SessionLog::Get();
    const uint32_t base = NewestId();
    std::tuple<Param<P>...> params{Param<P>{args}...};
    const HRESULT hr = std::apply(
        [&](auto&... p) { return (static_cast<Declaring*>(inner)->*fn)(p.Pass()...); }, params);
    bool record = true; // a live object's every call; a value object's first
    bool reread = false;
    bool created = false;
    if (self.IsValue()) {
        record = self.FirstCall(member);
        if constexpr (sizeof...(P) > 0) {
            auto& last = std::get<sizeof...(P) - 1>(params);
            if constexpr (IsObjectOut<std::tuple_element_t<sizeof...(P) - 1, std::tuple<P...>>>) {
                if (SUCCEEDED(hr) && last.inner) {
                    WrapperCore::Answered& answered = self.AnswerOf(member, record);
                    if (answered.kept) {
                        last.UseKept(answered.kept, answered.keptId);
                        reread = true;
                    } else {
                        last.wrapped = Wrap(last.inner,
                                            IndexOfType<std::remove_pointer_t<
                                                std::remove_pointer_t<decltype(last.value)>>>(),
                                            true);
                        created = last.wrapped.created;
                        if (last.wrapped.object)
                            WrapperCore::Keep(answered, last.wrapped);
                    }
                }
            }
        }
    }
    if (log.Active() && !reread && (record || created)) {
        const uint32_t number = log.Member(member);
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
