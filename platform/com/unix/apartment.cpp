// Apartments and in-process class creation. A class is found the way Windows
// finds it: the default value of
// HKEY_CURRENT_USER\Software\Classes\CLSID\{...}\InprocServer32 names a shared
// library, which is loaded and asked for its class factory.
#include "../com.h"
#include "../../base/text.h"
#include "../../registry/registry.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <new>
#include <string>

namespace {

struct Apartment {
    int initCount = 0;
    DWORD model = 0;
};
thread_local Apartment t_apartment;

struct LoadedServer {
    void* handle = nullptr;
    LPFNGETCLASSOBJECT getClassObject = nullptr;
    LPFNCANUNLOADNOW canUnloadNow = nullptr;
};

std::mutex g_serversMutex;
std::map<std::string, LoadedServer>& Servers() {
    static auto* servers = new std::map<std::string, LoadedServer>; // lives to process exit
    return *servers;
}

HRESULT FindServerPath(REFCLSID clsid, std::string& path) {
    OLECHAR guidText[40];
    StringFromGUID2(clsid, guidText, 40);
    platform::WideString key = u"Software\\Classes\\CLSID\\";
    key += guidText;
    key += u"\\InprocServer32";
    HKEY hkey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &hkey) != ERROR_SUCCESS)
        return REGDB_E_CLASSNOTREG;
    WCHAR buffer[1024] = {};
    DWORD size = sizeof buffer - sizeof(WCHAR);
    DWORD type = 0;
    const LONG rc = RegQueryValueExW(hkey, nullptr, nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(hkey);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || buffer[0] == 0)
        return REGDB_E_CLASSNOTREG;
    path = platform::Utf8FromWide(buffer);
    return S_OK;
}

HRESULT LoadServer(const std::string& path, LoadedServer& out) {
    std::lock_guard<std::mutex> lock(g_serversMutex);
    auto it = Servers().find(path);
    if (it != Servers().end()) {
        out = it->second;
        return S_OK;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return CO_E_DLLNOTFOUND;
    LoadedServer server;
    server.handle = handle;
    server.getClassObject =
        reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(handle, "DllGetClassObject"));
    server.canUnloadNow = reinterpret_cast<LPFNCANUNLOADNOW>(dlsym(handle, "DllCanUnloadNow"));
    if (!server.getClassObject) {
        dlclose(handle);
        return CO_E_ERRORINDLL;
    }
    Servers()[path] = server;
    out = server;
    return S_OK;
}

} // namespace

extern "C" HRESULT CoInitializeEx(void*, DWORD coInit) {
    Apartment& a = t_apartment;
    if (a.initCount > 0) {
        if (a.model != coInit)
            return RPC_E_CHANGED_MODE;
        ++a.initCount;
        return S_FALSE;
    }
    a.model = coInit;
    a.initCount = 1;
    return S_OK;
}

extern "C" HRESULT CoInitialize(void* reserved) {
    return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED);
}

extern "C" void CoUninitialize() {
    Apartment& a = t_apartment;
    if (a.initCount <= 0)
        return;
    if (--a.initCount == 0)
        CoFreeUnusedLibraries();
}

extern "C" void CoFreeUnusedLibraries() {
    std::lock_guard<std::mutex> lock(g_serversMutex);
    auto& servers = Servers();
    for (auto it = servers.begin(); it != servers.end();) {
        // A server with live objects stays loaded: unloading it would leave
        // dangling code behind those objects.
        if (it->second.canUnloadNow && it->second.canUnloadNow() == S_OK) {
            dlclose(it->second.handle);
            it = servers.erase(it);
        } else {
            ++it;
        }
    }
}

extern "C" HRESULT CoGetClassObject(REFCLSID clsid, DWORD clsContext, void*, REFIID riid,
                                    void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (t_apartment.initCount <= 0)
        return CO_E_NOTINITIALIZED;
    if (!(clsContext & (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)))
        return REGDB_E_CLASSNOTREG; // only in-process servers exist here
    std::string path;
    HRESULT hr = FindServerPath(clsid, path);
    if (FAILED(hr))
        return hr;
    LoadedServer server;
    hr = LoadServer(path, server);
    if (FAILED(hr))
        return hr;
    return server.getClassObject(clsid, riid, object);
}

extern "C" HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD clsContext, REFIID riid,
                                    void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(clsid, clsContext, nullptr, IID_IClassFactory,
                                  reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(outer, riid, object);
    factory->Release();
    return hr;
}

extern "C" HRESULT OleRun(IUnknown* unknown) {
    if (!unknown)
        return E_INVALIDARG;
    IRunnableObject* runnable = nullptr;
    if (FAILED(unknown->QueryInterface(IID_IRunnableObject, reinterpret_cast<void**>(&runnable))))
        return S_OK; // an object that is not runnable is always running
    const HRESULT hr = runnable->Run(nullptr);
    runnable->Release();
    return hr;
}
