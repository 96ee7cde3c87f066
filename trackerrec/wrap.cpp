#include "wrap.h"

#include "flat_table.h"

#include "../interfaces/tracker/connection.h"
#include "../platform/base/text.h"
#include "../platform/com/com_error.h"

#include <algorithm>
#include <new>

namespace trackerrec {
namespace {

struct InnerKey {
    void* inner = nullptr;
    int index = 0;
    bool operator==(const InnerKey&) const = default;
};
struct InnerHash {
    uint64_t operator()(const InnerKey& key) const {
        return reinterpret_cast<uintptr_t>(key.inner) ^ (static_cast<uint64_t>(key.index) << 40);
    }
};
struct PointerHash {
    uint64_t operator()(void* key) const { return reinterpret_cast<uintptr_t>(key); }
};
struct WrapperEntry {
    IUnknown* wrapper = nullptr;
    uint32_t id = 0;
};

struct Registry {
    // (library object, interface index) -> its wrapper, for the system
    // interfaces: an object's IDispatch handed out again is the same wrapper.
    FlatTable<InnerKey, WrapperEntry, InnerHash> byInner;
    // a wrapper class's table of functions -> where its WrapperCore lies
    FlatTable<void*, ptrdiff_t, PointerHash> classes;
};

Registry g_registry;

Registry& Objects() {
    return g_registry;
}

} // namespace

namespace wrapper_memory {
FreeBlock* g_free[kClasses] = {};
uint32_t g_freeCount[kClasses] = {};
} // namespace wrapper_memory

int g_liveWrappers = 0;
uint32_t g_newestId = 0;

Wrapped WrapLive(void* inner, int index, bool adopt) {
    if (!inner || index < 0)
        return {};
    Registry& r = Objects();
    const InterfaceInfo& info = InterfaceAt(index);
    const auto [entry, found] = r.byInner.FindOrInsert({inner, index});
    if (found) {
        entry->wrapper->AddRef();
        return {entry->wrapper, entry->id, false};
    }
    const uint32_t id = ++g_newestId;
    IUnknown* wrapper = nullptr;
    try {
        wrapper = info.make(inner, id, adopt);
    } catch (...) {
        r.byInner.Erase({inner, index});
        throw;
    }
    *entry = {wrapper, id};
    return {wrapper, id, true};
}

namespace {

// The bookkeeping of a wrapper; null when the object is none. Every COM
// object starts with its table of functions.
WrapperCore* CoreOf(void* object) {
    if (!object)
        return nullptr;
    const ptrdiff_t* offset = Objects().classes.Find(*static_cast<void**>(object));
    return offset ? reinterpret_cast<WrapperCore*>(static_cast<char*>(object) + *offset) : nullptr;
}

} // namespace

void RememberWrapperClass(IUnknown* face, WrapperCore* core) {
    Objects().classes.Insert(*reinterpret_cast<void**>(face),
                             reinterpret_cast<char*>(core) - reinterpret_cast<char*>(face));
}

void* Unwrap(void* object) {
    const WrapperCore* core = CoreOf(object);
    return core ? core->Inner() : object;
}

uint32_t IdOf(void* object) {
    const WrapperCore* core = CoreOf(object);
    return core ? core->Id() : 0;
}

void WrapperCore::ForgetLive() {
    Objects().byInner.Erase({m_innerKey, m_index});
}

namespace {

// The member of a query for the interface at `index` (kQueryUnknown: IUnknown).
MemberSlot& QuerySlot(int index) {
    static_assert(WrapperCore::kQueryUnknown == kConnectionPointIndex + 1);
    struct Slots {
        std::vector<std::string> names;
        std::vector<MemberSlot> slots;
        Slots() {
            for (int i = 0; i <= kConnectionPointIndex; ++i)
                names.push_back(std::string("QI.") + InterfaceAt(i).name);
            names.push_back("QI.IUnknown");
            for (const std::string& name : names)
                slots.push_back(MemberSlot{name.c_str()});
        }
    };
    static Slots table;
    return table.slots[static_cast<size_t>(index)];
}

} // namespace

HRESULT WrapperCore::Query(IUnknown* inner, REFIID riid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const bool unknown = riid == IID_IUnknown;
    const int index = unknown ? kDispatchIndex : InterfaceIndex(riid);
    void* answer = nullptr;
    // Identity: every wrapper of one object answers with the wrapper of its IDispatch.
    const HRESULT hr =
        inner->QueryInterface(index == kDispatchIndex ? IID_IDispatch : riid, &answer);
    if (index < 0) {
        // An interface the recorder does not know (a simulator's control
        // interface): handed through, unrecorded.
        *out = answer;
        return hr;
    }
    Wrapped wrapped;
    const uint32_t base = NewestId();
    // Facets are not kept (a facet asked back for its object would hold it):
    // a value object's query is written the first time, whenever it fails or
    // its answer is a new wrapper, and after a failure.
    const int querySlot = unknown ? kQueryUnknown : index;
    if (SUCCEEDED(hr) && answer) {
        wrapped = Wrap(answer, index, true);
        if (!wrapped.created)
            static_cast<IUnknown*>(answer)->Release();
    }
    SessionLog& log = SessionLog::Get();
    const bool record = !m_value ||
                        WrittenUntilAnswered(m_queried[querySlot / 64],
                                             uint64_t(1) << (querySlot % 64), SUCCEEDED(hr)) ||
                        wrapped.created;
    if (record && log.Active()) {
        const uint32_t member = log.Member(QuerySlot(querySlot));
        if (SUCCEEDED(hr)) {
            char* at = log.StartFixedLine(13 + 10 + 1);
            at = LineTokens::StoreCall(at, m_id, base, member);
            at = LineTokens::StoreObject(at, wrapped.id, wrapped.created, base);
            log.EndFixedLine(at);
        } else {
            LineTokens& line = log.Line();
            line.Call(m_id, base, member);
            PutFailure(line, hr, hr == E_NOINTERFACE ? std::string() : FailureDescription());
            log.Write(line);
        }
    }
    *out = wrapped.object;
    return hr;
}

std::string FailureDescription() {
    const std::basic_string<WCHAR> description = ErrorInfoDescription(true);
    return platform::Utf8FromWide(platform::WideView(description.data(), description.size()));
}

} // namespace trackerrec
