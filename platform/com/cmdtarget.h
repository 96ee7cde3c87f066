// CCmdTarget: an automation object whose IDispatch is driven by its dispatch
// table and whose QueryInterface answers the IIDs of its interface table.
#pragma once

#include "com.h"
#include "dispatch_map.h"

class CCmdTarget {
public:
    CCmdTarget();
    virtual ~CCmdTarget();
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    void EnableAutomation();
    // The object's IDispatch; with addRef the caller owns one more reference.
    LPDISPATCH GetIDispatch(BOOL addRef);

    ULONG GetReferenceCount() const { return m_dwRef; }
    ULONG InternalAddRef();
    ULONG InternalRelease();
    HRESULT InternalQueryInterface(REFIID riid, void** object);
    // Runs when the last reference goes, or when the owner destroys the object
    // outright: deletes it.
    virtual void OnFinalRelease();

    // The dispatch implementation, usable without going through IDispatch.
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const;
    HRESULT Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                   UINT* argErr);

protected:
    virtual const AFX_DISPMAP* GetDispatchMap() const;
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;

    ULONG m_dwRef = 1;

private:
    class XDispatch final : public IDispatch {
    public:
        explicit XDispatch(CCmdTarget& owner) : m_owner(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
        HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
        HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                                DISPID* ids) override;
        HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                         DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                                         UINT* argErr) override;

    private:
        CCmdTarget& m_owner;
    };
    XDispatch m_xDispatch;
    bool m_automationEnabled = false;
};
