#include "fault_injection.h"

#include "errors.h"

namespace trackersim {

void FaultRegistry::Set(std::u16string_view operation, Fault fault) {
    m_faults.insert_or_assign(std::u16string(operation), std::move(fault));
}

void FaultRegistry::Clear(std::u16string_view operation) {
    if (auto it = m_faults.find(operation); it != m_faults.end())
        m_faults.erase(it);
}

void FaultRegistry::Reset() {
    m_faults.clear();
    m_calls.clear();
    m_counting = true;
}

std::optional<Fault> FaultRegistry::Take(std::u16string_view operation) {
    if (Quiet())
        return std::nullopt;
    if (m_counting) {
        if (auto it = m_calls.find(operation); it != m_calls.end())
            ++it->second;
        else
            m_calls.emplace(std::u16string(operation), 1);
    }
    if (m_faults.empty())
        return std::nullopt;
    auto it = m_faults.find(operation);
    if (it == m_faults.end())
        return std::nullopt;
    Fault fault = it->second;
    if (fault.once)
        m_faults.erase(it);
    return fault;
}

int FaultRegistry::CallCount(std::u16string_view operation) const {
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

std::optional<Fault> BeginCall(std::u16string_view operation) {
    SetErrorInfo(0, nullptr);
    return Faults().Take(operation);
}

HRESULT Enter(std::u16string_view operation) {
    std::optional<Fault> fault = BeginCall(operation);
    if (!fault || fault->kind == FaultKind::Null)
        return S_OK;
    return FailWith(*fault);
}

HRESULT EnterQuery(std::u16string_view facet) {
    std::optional<Fault> fault = BeginCall(facet);
    if (!fault)
        return S_OK;
    if (fault->kind == FaultKind::Null)
        return E_NOINTERFACE;
    return FailWith(*fault);
}

HRESULT GiveString(std::u16string_view operation, std::u16string_view text, BSTR* out) {
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
