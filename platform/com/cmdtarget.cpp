#include "cmdtarget.h"

#include "com_error.h"

#include <new>

namespace {

WCHAR FoldCase(WCHAR c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<WCHAR>(c + 32);
    return c;
}

bool SameNameIgnoringCase(const WCHAR* a, const WCHAR* b) {
    for (; *a && *b; ++a, ++b)
        if (FoldCase(*a) != FoldCase(*b))
            return false;
    return *a == *b;
}

void FillException(EXCEPINFO* info, const ComError& error) {
    if (!info)
        return;
    *info = EXCEPINFO{};
    info->scode = error.Error();
    info->bstrDescription = SysAllocStringLen(error.Description().data(),
                                              static_cast<UINT>(error.Description().size()));
}

} // namespace

CCmdTarget::CCmdTarget() : m_xDispatch(*this) {}
CCmdTarget::~CCmdTarget() = default;

void CCmdTarget::EnableAutomation() {
    m_automationEnabled = true;
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL addRef) {
    if (!m_automationEnabled)
        return nullptr;
    if (addRef)
        InternalAddRef();
    return &m_xDispatch;
}

ULONG CCmdTarget::InternalAddRef() {
    return ++m_dwRef;
}

ULONG CCmdTarget::InternalRelease() {
    if (m_dwRef == 0)
        return 0;
    const ULONG left = --m_dwRef;
    if (left == 0)
        OnFinalRelease();
    return left;
}

void CCmdTarget::OnFinalRelease() {
    delete this;
}

HRESULT CCmdTarget::InternalQueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    bool answered = riid == IID_IUnknown || (m_automationEnabled && riid == IID_IDispatch);
    if (!answered && m_automationEnabled) {
        if (const AFX_INTERFACEMAP* map = GetInterfaceMap())
            for (size_t i = 0; i < map->count && !answered; ++i)
                answered = *map->interfaces[i] == riid;
    }
    if (!answered)
        return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(&m_xDispatch);
    InternalAddRef();
    return S_OK;
}

const AFX_DISPMAP* CCmdTarget::GetDispatchMap() const {
    return nullptr;
}
const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const {
    return nullptr;
}

HRESULT CCmdTarget::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const {
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    const AFX_DISPMAP* map = GetDispatchMap();
    if (!map || !names[0])
        return DISP_E_UNKNOWNNAME;
    for (size_t i = 0; i < map->count; ++i) {
        if (SameNameIgnoringCase(map->entries[i].name, names[0])) {
            ids[0] = static_cast<DISPID>(i + 1);           // the first entry of a repeated name
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME; // no named parameters
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT CCmdTarget::Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* excepInfo, UINT* argErr) {
    const AFX_DISPMAP* map = GetDispatchMap();
    if (!map || id < 1 || static_cast<size_t>(id) > map->count)
        return DISP_E_MEMBERNOTFOUND;
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
        return DISP_E_MEMBERNOTFOUND;
    const AFX_DISPMAP_ENTRY& entry = map->entries[id - 1];
    const UINT argCount = params ? params->cArgs : 0;
    if (params && params->cNamedArgs > 0)
        return DISP_E_NONAMEDARGS;
    size_t expected = 0;
    while (entry.parameterTypes[expected])
        ++expected;
    if (argCount != expected)
        return DISP_E_BADPARAMCOUNT;
    if (argCount > 0 && !params->rgvarg)
        return E_INVALIDARG;

    // Arguments arrive last first; convert them into declaration order. No
    // table entry takes more than a handful, so they live on the stack.
    constexpr UINT kMaxArguments = 8;
    if (argCount > kMaxArguments)
        return DISP_E_BADPARAMCOUNT;
    VARIANT converted[kMaxArguments];
    for (UINT i = 0; i < argCount; ++i)
        VariantInit(&converted[i]);
    auto clearAll = [&converted, argCount] {
        for (UINT i = 0; i < argCount; ++i)
            VariantClear(&converted[i]);
    };
    for (UINT i = 0; i < argCount; ++i) {
        const UINT source = argCount - 1 - i;
        const auto type = static_cast<VARTYPE>(entry.parameterTypes[i]);
        HRESULT hr = type == VT_VARIANT
                         ? VariantCopy(&converted[i], &params->rgvarg[source])
                         : VariantChangeType(&converted[i], &params->rgvarg[source], 0, type);
        if (FAILED(hr)) {
            clearAll();
            if (argErr)
                *argErr = source;
            return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH;
        }
    }
    if (result)
        VariantInit(result);

    // Nothing of the object is touched after its handler returns: a handler
    // that shows a box may see its owner destroy the object meanwhile.
    HRESULT hr = S_OK;
    try {
        entry.call(this, converted);
    } catch (const ComError& error) {
        FillException(excepInfo, error);
        hr = DISP_E_EXCEPTION;
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY; // no C++ exception unwinds into the caller's event delivery
    }
    clearAll();
    return hr;
}

HRESULT CCmdTarget::XDispatch::QueryInterface(REFIID riid, void** object) {
    return m_owner.InternalQueryInterface(riid, object);
}
ULONG CCmdTarget::XDispatch::AddRef() {
    return m_owner.InternalAddRef();
}
ULONG CCmdTarget::XDispatch::Release() {
    return m_owner.InternalRelease();
}

HRESULT CCmdTarget::XDispatch::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CCmdTarget::XDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CCmdTarget::XDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                             DISPID* ids) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    return m_owner.GetIDsOfNames(names, count, ids);
}

HRESULT CCmdTarget::XDispatch::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                      VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    return m_owner.Invoke(id, flags, params, result, excepInfo, argErr);
}
