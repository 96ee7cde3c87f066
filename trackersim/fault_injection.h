// The one mechanism behind every fault knob: a registry of operations that
// fail, give null or are absent, consulted by each operation on entry.
//
// Names: "<Interface>.<member>" for members (after the interface declaring
// them), "<Class>.<Interface>" for interface queries.
#pragma once

#include "../platform/base/text.h"
#include "../platform/com/com.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace trackersim {

enum class FaultKind {
    Fail, // the operation returns a failure with error information
    Null, // an object-valued property gives null; an interface is absent
};

struct Fault {
    FaultKind kind = FaultKind::Fail;
    HRESULT hr = E_FAIL;
    LONG number = 0;
    platform::WideString description;
    bool once = false;
    int skip = 0; // calls of the operation that go through before the fault applies
};

class FaultRegistry {
public:
    FaultRegistry();
    // "<operation>#N" sets the fault on the operation's Nth call from now on.
    void Set(platform::WideView operation, Fault fault);
    void Clear(platform::WideView operation);
    void ClearAll() {
        m_faults.clear();
        UpdateQuiet();
    }
    // Clears the faults and the call counts.
    void Reset();

    // Counts the call and returns the fault that applies to it, consuming a one-shot fault.
    // `givesObject`: the call hands out an object or an interface (a null fault applies).
    std::optional<Fault> Take(platform::WideView operation, bool givesObject = false);
    int CallCount(platform::WideView operation) const;
    // Counting calls costs a lookup per call; a benchmark turns it off.
    void SetCounting(bool on) {
        m_counting = on;
        UpdateQuiet();
    }
    // Nothing to count and no fault set: every call goes through untouched.
    bool Quiet() const { return !m_counting && m_faults.empty() && !m_sweep; }

private:
    std::map<platform::WideString, Fault, std::less<>> m_faults;
    std::map<platform::WideString, int, std::less<>> m_calls;
    bool m_counting = true;
    bool m_sweep = false; // the process's whole-session sweep is on (sweep.h)

public:
    void UpdateQuiet();
};

// Mirrors FaultRegistry::Quiet() where every call can test it without a lookup.
extern bool g_faultsQuiet;

FaultRegistry& Faults();

// Returns the fault's failure, with its error information set.
HRESULT FailWith(const Fault& fault);

// Starts an operation: clears the thread's error information (so a failure
// never shows an earlier call's description) and takes the fault that applies.
std::optional<Fault> BeginCall(platform::WideView operation, bool givesObject = false);

// Entry check of an operation: S_OK to go on, or the injected failure (with
// its error information set). A null fault does not apply to an action.
HRESULT EnterChecked(platform::WideView operation);
inline HRESULT Enter(platform::WideView operation) {
    return g_faultsQuiet ? S_OK : EnterChecked(operation);
}
// Operation names are literals: their length is only taken when a fault may apply.
template <size_t N> HRESULT Enter(const WCHAR (&operation)[N]) {
    return g_faultsQuiet ? S_OK : EnterChecked(platform::WideView(operation, N - 1));
}

// Entry check of an interface query: S_OK when offered, E_NOINTERFACE when
// made absent (or null), or the injected failure.
HRESULT EnterQuery(platform::WideView facet);

// An object-valued property: hands out object (with a reference), null when
// the property is made null, or fails as injected.
template <class T> HRESULT GiveObject(platform::WideView operation, T* object, T** out) {
    if (g_faultsQuiet && out) { // nothing injected: no lookup
        if (object)
            object->AddRef();
        *out = object;
        return S_OK;
    }
    std::optional<Fault> fault = BeginCall(operation, true);
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (fault) {
        if (fault->kind == FaultKind::Null)
            return S_OK;
        return FailWith(*fault);
    }
    if (object)
        object->AddRef();
    *out = object;
    return S_OK;
}

template <class T, size_t N> HRESULT GiveObject(const WCHAR (&operation)[N], T* object, T** out) {
    if (g_faultsQuiet && out) {
        if (object)
            object->AddRef();
        *out = object;
        return S_OK;
    }
    return GiveObject<T>(platform::WideView(operation, N - 1), object, out);
}

// A plain value property: the value, or the injected failure.
template <class T> HRESULT GiveValue(platform::WideView operation, T value, T* out) {
    if (HRESULT hr = Enter(operation); FAILED(hr))
        return hr;
    if (!out)
        return E_POINTER;
    *out = value;
    return S_OK;
}
template <class T, size_t N> HRESULT GiveValue(const WCHAR (&operation)[N], T value, T* out) {
    if (g_faultsQuiet && out) {
        *out = value;
        return S_OK;
    }
    return GiveValue<T>(platform::WideView(operation, N - 1), value, out);
}

// A string property: a new BSTR, or the injected failure.
HRESULT GiveString(platform::WideView operation, platform::WideView text, BSTR* out);

} // namespace trackersim
