#include "wrap.h"

#include "../interfaces/tracker/connection.h"
#include "../platform/base/text.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace trackerrec {
namespace {

struct Registry {
    // (library object, interface index) -> its wrapper
    std::map<std::pair<void*, int>, IUnknown*> byInner;
    // wrapper -> (library object, id)
    std::unordered_map<void*, std::pair<void*, uint32_t>> byWrapper;
    uint32_t lastId = 0;
};

Registry& Objects() {
    static Registry registry;
    return registry;
}

} // namespace

Wrapped Wrap(void* inner, int index) {
    if (!inner || index < 0)
        return {};
    Registry& r = Objects();
    if (auto found = r.byInner.find({inner, index}); found != r.byInner.end()) {
        found->second->AddRef();
        return {found->second, r.byWrapper[found->second].second, false};
    }
    const uint32_t id = ++r.lastId;
    IUnknown* wrapper = InterfaceAt(index).make(inner, id);
    // Event times count from the connection: the tracker object's arrival.
    if (*InterfaceAt(index).iid == tracker::Tracker::iid)
        SessionLog::Get().MarkConnect();
    return {wrapper, id, true};
}

void* Unwrap(void* object) {
    const Registry& r = Objects();
    auto found = r.byWrapper.find(object);
    return found == r.byWrapper.end() ? object : found->second.first;
}

uint32_t IdOf(void* object) {
    const Registry& r = Objects();
    auto found = r.byWrapper.find(object);
    return found == r.byWrapper.end() ? 0 : found->second.second;
}

uint32_t NewestId() {
    return Objects().lastId;
}

int LiveWrappers() {
    return static_cast<int>(Objects().byWrapper.size());
}

WrapperCore::WrapperCore(void* innerKey, int index, uint32_t id)
    : m_innerKey(innerKey), m_index(index), m_id(id) {}

WrapperCore::~WrapperCore() {
    Registry& r = Objects();
    if (auto found = r.byInner.find({m_innerKey, m_index}); found != r.byInner.end()) {
        r.byWrapper.erase(found->second);
        r.byInner.erase(found);
    }
    // Everything the module held is released: the file is complete up to here.
    if (r.byWrapper.empty())
        SessionLog::Get().Flush();
}

// Called by each wrapper's constructor once it is complete.
void Register(void* innerKey, int index, IUnknown* wrapper, uint32_t id) {
    Registry& r = Objects();
    r.byInner[{innerKey, index}] = wrapper;
    r.byWrapper[wrapper] = {innerKey, id};
}

bool WrapperCore::ShouldRecord(uintptr_t key) {
    if (!IsValue())
        return true;
    if (std::find(m_recorded.begin(), m_recorded.end(), key) != m_recorded.end())
        return false;
    m_recorded.push_back(key);
    return true;
}

bool WrapperCore::IsValue() const {
    return InterfaceAt(m_index).value;
}

IUnknown* WrapperCore::Kept(uintptr_t key) const {
    for (const auto& [k, wrapper] : m_kept)
        if (k == key)
            return wrapper.Get();
    return nullptr;
}

void WrapperCore::Keep(uintptr_t key, IUnknown* wrapper) {
    m_kept.emplace_back(key, ComPtr<IUnknown>(wrapper));
}

HRESULT WrapperCore::Query(IUnknown* inner, REFIID riid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const bool identity = riid == IID_IUnknown || riid == IID_IDispatch;
    const int index = identity ? DispatchIndex() : InterfaceIndex(riid);
    void* answer = nullptr;
    // Identity: every wrapper of one object answers with the wrapper of its IDispatch.
    const HRESULT hr = inner->QueryInterface(identity ? IID_IDispatch : riid, &answer);
    if (index < 0) {
        // An interface the recorder does not know (a simulator's control
        // interface): handed through, unrecorded.
        *out = answer;
        return hr;
    }
    Wrapped wrapped;
    const uint32_t base = NewestId();
    // Facets are not kept (a facet asked back for its object would hold it):
    // a value object's query is written the first time, and whenever its
    // answer is a new wrapper.
    const uintptr_t key = static_cast<uintptr_t>(index) + 1 + (riid == IID_IUnknown ? 0x1000 : 0);
    if (SUCCEEDED(hr) && answer) {
        wrapped = Wrap(answer, index);
        static_cast<IUnknown*>(answer)->Release();
    }
    SessionLog& log = SessionLog::Get();
    if (log.Active() && (ShouldRecord(key) || wrapped.created)) {
        const uint32_t member = log.Member(
            std::string("QI.") + (riid == IID_IUnknown ? "IUnknown" : InterfaceAt(index).name));
        std::string line;
        PutTarget(line, m_id, base);
        PutLong(line, member);
        if (FAILED(hr))
            PutFailure(line, hr, hr == E_NOINTERFACE ? std::string() : FailureDescription());
        else
            PutObject(line, wrapped.id, wrapped.created, base);
        log.Write(line);
    }
    *out = wrapped.object;
    return hr;
}

std::string FailureDescription() {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return {};
    BSTR text = nullptr;
    std::string description;
    if (SUCCEEDED(info->GetDescription(&text)) && text)
        description = platform::Utf8FromWide(platform::WideView(text, SysStringLen(text)));
    SysFreeString(text);
    SetErrorInfo(0, info); // the module reads it next
    info->Release();
    return description;
}

} // namespace trackerrec
