#include "connection_advise.h"

#include "com_ptr.h"

namespace {
ComPtr<IConnectionPoint> FindPoint(LPUNKNOWN source, REFIID iid) {
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (!source ||
        FAILED(source->QueryInterface(IID_IConnectionPointContainer, container.PutVoid())))
        return point;
    if (FAILED(container->FindConnectionPoint(iid, point.Put())))
        point.Reset();
    return point;
}
} // namespace

BOOL AfxConnectionAdvise(LPUNKNOWN source, REFIID iid, LPUNKNOWN sink, BOOL refCount,
                         DWORD* cookie) {
    if (!sink || !cookie)
        return FALSE;
    ComPtr<IConnectionPoint> point = FindPoint(source, iid);
    if (!point || FAILED(point->Advise(sink, cookie)))
        return FALSE;
    if (!refCount)
        sink->Release();
    return TRUE;
}

BOOL AfxConnectionUnadvise(LPUNKNOWN source, REFIID iid, LPUNKNOWN sink, BOOL refCount,
                           DWORD cookie) {
    ComPtr<IConnectionPoint> point = FindPoint(source, iid);
    if (!point)
        return FALSE;
    if (!refCount && sink)
        sink->AddRef();
    if (FAILED(point->Unadvise(cookie))) {
        if (!refCount && sink)
            sink->Release();
        return FALSE;
    }
    return TRUE;
}
