#include "fault_injection.h"

#include "errors.h"
#include "fault_sweep.h"

#include <cstdlib>

namespace trackersim {

bool g_faultsQuiet = false;

void FaultRegistry::UpdateQuiet() {
    g_faultsQuiet = Quiet();
}

FaultRegistry::FaultRegistry() : m_sweep(SweepActive()) {
    UpdateQuiet();
}

void FaultRegistry::Set(platform::WideView operation, Fault fault) {
    if (const size_t hash = operation.find(TEXT('#')); hash != platform::WideView::npos) {
        const long nth =
            std::strtol(platform::Utf8FromWide(operation.substr(hash + 1)).c_str(), nullptr, 10);
        fault.skip = nth > 1 ? static_cast<int>(nth - 1) : 0;
        operation = operation.substr(0, hash);
    }
    m_faults.insert_or_assign(platform::WideString(operation), std::move(fault));
    UpdateQuiet();
}

void FaultRegistry::Clear(platform::WideView operation) {
    if (auto it = m_faults.find(operation); it != m_faults.end())
        m_faults.erase(it);
    UpdateQuiet();
}

void FaultRegistry::Reset() {
    m_faults.clear();
    m_calls.clear();
    m_counting = true;
    UpdateQuiet();
}

std::optional<Fault> FaultRegistry::Take(platform::WideView operation, bool givesObject) {
    if (Quiet())
        return std::nullopt;
    if (m_counting) {
        if (auto it = m_calls.find(operation); it != m_calls.end())
            ++it->second;
        else
            m_calls.emplace(platform::WideString(operation), 1);
    }
    if (m_sweep)
        if (std::optional<Fault> swept = SweepCall(operation, givesObject))
            return swept;
    if (m_faults.empty())
        return std::nullopt;
    auto it = m_faults.find(operation);
    if (it == m_faults.end())
        return std::nullopt;
    if (it->second.skip > 0) {
        --it->second.skip;
        return std::nullopt;
    }
    Fault fault = it->second;
    if (fault.once) {
        m_faults.erase(it);
        UpdateQuiet();
    }
    return fault;
}

int FaultRegistry::CallCount(platform::WideView operation) const {
    auto it = m_calls.find(operation);
    return it == m_calls.end() ? 0 : it->second;
}

FaultRegistry& Faults() {
    static FaultRegistry registry;
    return registry;
}

HRESULT FailWith(const Fault& fault) {
    return ReportError(fault.hr, fault.description, fault.number);
}

std::optional<Fault> BeginCall(platform::WideView operation, bool givesObject) {
    // Without faults nothing here fails, and error information is only read
    // after a failure (which always sets its own), so the quiet path skips it.
    if (g_faultsQuiet)
        return std::nullopt;
    SetErrorInfo(0, nullptr);
    return Faults().Take(operation, givesObject);
}

HRESULT EnterChecked(platform::WideView operation) {
    std::optional<Fault> fault = BeginCall(operation);
    if (!fault || fault->kind == FaultKind::Null)
        return S_OK;
    return FailWith(*fault);
}

HRESULT EnterQuery(platform::WideView facet) {
    std::optional<Fault> fault = BeginCall(facet, true);
    if (!fault)
        return S_OK;
    if (fault->kind == FaultKind::Null)
        return E_NOINTERFACE;
    return FailWith(*fault);
}

HRESULT GiveString(platform::WideView operation, platform::WideView text, BSTR* out) {
    if (out)
        *out = nullptr;
    if (HRESULT hr = Enter(operation); FAILED(hr))
        return hr;
    if (!out)
        return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

} // namespace trackersim
