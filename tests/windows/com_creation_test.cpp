// The simulated tracker library as an in-process COM server on Windows:
// registered by its own DllRegisterServer under the current user's classes,
// created by CLSID through the registry, gone again after
// DllUnregisterServer.
#include "interfaces/tracker/library_ids.h"
#include "platform/com/com_ptr.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// The simulator next to this test program.
std::wstring SimulatorPath() {
    WCHAR path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder + L"Tarn.Tracker.Connection.dll";
}

class Library {
public:
    explicit Library(const std::wstring& path) : m_module(LoadLibraryW(path.c_str())) {}
    ~Library() {
        if (m_module)
            FreeLibrary(m_module);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    HMODULE get() const { return m_module; }
    HRESULT Call(const char* name) const {
        auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_module, name)));
        return entry ? entry() : E_NOTIMPL;
    }

private:
    HMODULE m_module;
};

class Apartment {
public:
    Apartment() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~Apartment() {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
    HRESULT result() const { return m_hr; }

private:
    HRESULT m_hr;
};

std::wstring ClassKey() {
    OLECHAR guid[40] = {};
    StringFromGUID2(tracker::CLSID_TrackerConnection, guid, 40);
    return std::wstring(L"Software\\Classes\\CLSID\\") + guid;
}
std::wstring InprocServerKey() {
    return ClassKey() + L"\\InprocServer32";
}

std::wstring RegisteredServer() {
    WCHAR value[1024] = {};
    DWORD size = sizeof value - sizeof(WCHAR);
    if (RegGetValueW(HKEY_CURRENT_USER, InprocServerKey().c_str(), nullptr, RRF_RT_REG_SZ, nullptr,
                     value, &size) != ERROR_SUCCESS)
        return {};
    return value;
}

TEST(SimulatorComServer, RegistersUnderTheCurrentUserAndIsCreatedByClsid) {
    Apartment apartment;
    ASSERT_TRUE(SUCCEEDED(apartment.result()));
    const std::wstring path = SimulatorPath();
    {
        Library library(path);
        ASSERT_NE(library.get(), nullptr);
        ASSERT_EQ(library.Call("DllRegisterServer"), S_OK);
    }
    EXPECT_EQ(RegisteredServer(), path);

    // Wine (8) shows only the machine's classes in HKEY_CLASSES_ROOT, where
    // Windows merges in the user's: under Wine the class is mirrored there.
    simtest::MirrorUserClassForWine();
    ComPtr<IUnknown> unknown;
    ASSERT_EQ(CoCreateInstance(tracker::CLSID_TrackerConnection, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IUnknown, unknown.PutVoid()),
              S_OK);
    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(unknown.As(dispatch), S_OK);
    dispatch.Reset();
    unknown.Reset();

    {
        Library library(path);
        ASSERT_NE(library.get(), nullptr);
        ASSERT_EQ(library.Call("DllUnregisterServer"), S_OK);
    }
    EXPECT_EQ(RegisteredServer(), L"");
    simtest::MirrorUserClassForWine(); // the mirror goes with the user's class
    ComPtr<IUnknown> none;
    EXPECT_EQ(CoCreateInstance(tracker::CLSID_TrackerConnection, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IUnknown, none.PutVoid()),
              REGDB_E_CLASSNOTREG);
    CoFreeUnusedLibraries();
}

} // namespace
