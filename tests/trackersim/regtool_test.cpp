// Registration of the simulator: the registration tool's two command lines,
// its path handling, and the library's own DllRegisterServer.
#include "interfaces/tracker/library_ids.h"
#include "platform/base/text.h"
#include "platform/module/libloaderapi.h"
#include "platform/registry/registry.h"
#include "platform/ui/message_loop.h"
#include "tests/support/run_program.h"
#include "tests/support/settings_sandbox.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

using simtest::ClassKey;
using simtest::kProgIdKey;

// A string value of HKCU\<key>; nullopt when missing.
std::optional<std::string> ReadValue(const platform::WideString& key, const WCHAR* name) {
    HKEY hkey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &hkey) != ERROR_SUCCESS)
        return std::nullopt;
    WCHAR buffer[1024] = {};
    DWORD size = sizeof buffer - sizeof(WCHAR);
    DWORD type = 0;
    const LONG rc =
        RegQueryValueExW(hkey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(hkey);
    if (rc != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return platform::Utf8FromWide(buffer);
}

std::optional<std::string> RegisteredServer() {
    return ReadValue(ClassKey() + TEXT("\\InprocServer32"), nullptr);
}

// The simulator's file name on this target.
fs::path LibraryFile() {
    return simtest::SimulatorLibraryPath().filename();
}

// A path as the module passes it to the tool: in Windows form, on Linux the
// way Wine shows a native path (Z:\dir\file).
std::string ToolArgument(const fs::path& path) {
#ifdef _WIN32
    return simtest::Utf8Path(path);
#else
    std::string text = "Z:" + path.string();
    for (char& c : text)
        if (c == '/')
            c = '\\';
    return text;
#endif
}

class RegtoolTest : public ::testing::Test {
protected:
    // Runs the tool; returns its exit code and keeps its standard error.
    int Run(const std::vector<std::string>& args) {
        const fs::path errPath = folder / "stderr.txt";
        const int rc = simtest::RunProgram(simtest::RegToolPath(), args, errPath);
        stderrText = simtest::ReadFile(errPath);
        return rc;
    }

    // A module layout P\Device\QNZUDeviceQWand\bin with a copy of the simulator.
    fs::path MakeLibraryFolder() {
        const fs::path bin = folder / "Device" / "QNZUDeviceQWand" / "bin";
        fs::create_directories(bin);
        fs::copy_file(simtest::SimulatorLibraryPath(), bin / LibraryFile());
        return bin;
    }

    simtest::SettingsSandbox settings{{ClassKey(), kProgIdKey}};
    const fs::path folder = settings.Folder();
    std::string stderrText;
};

} // namespace

TEST_F(RegtoolTest, RegistersTheLibraryNamedByAWindowsPathAndUnregistersIt) {
    const fs::path bin = MakeLibraryFolder();
    const std::string dll = ToolArgument(bin / "Tarn.Tracker.Connection.dll");
    ASSERT_EQ(Run({"/codebase", dll, "/tlb"}), 0) << stderrText;
    EXPECT_EQ(RegisteredServer(), simtest::Utf8Path(bin / LibraryFile()));
    EXPECT_EQ(ReadValue(ClassKey() + TEXT("\\InprocServer32"), TEXT("ThreadingModel")),
              "Apartment");
    EXPECT_EQ(ReadValue(TEXT("Software\\Classes\\Tarn.Tracker.Connection.TrackerConnection\\CLSID"),
                        nullptr),
              platform::Utf8FromWide(ClassKey().substr(ClassKey().rfind(TEXT('\\')) + 1)));

    ASSERT_EQ(Run({"/u", "/tlb", dll}), 0) << stderrText;
    EXPECT_FALSE(RegisteredServer());
    EXPECT_EQ(Run({"/u", "/tlb", dll}), 0) << "unregistering twice is no error";

    // The whole command line as one argument, as the shell hands it over.
    ASSERT_EQ(Run({" /codebase \"" + dll + "\" /tlb"}), 0) << stderrText;
    EXPECT_EQ(RegisteredServer(), simtest::Utf8Path(bin / LibraryFile()));
    ASSERT_EQ(Run({" /u /tlb \"" + dll + "\""}), 0) << stderrText;
    EXPECT_FALSE(RegisteredServer());
    // A command line without a library is refused.
    EXPECT_NE(Run({"/codebase", "/tlb"}), 0);
    EXPECT_NE(stderrText.find("usage"), std::string::npos) << stderrText;
    EXPECT_FALSE(RegisteredServer());
}

TEST_F(RegtoolTest, EntryPointsRegisterTheLibraryAndTellWhenItMayUnload) {
    HMODULE library = LoadLibraryW(simtest::WidePath(simtest::SimulatorLibraryPath()).c_str());
    ASSERT_NE(library, nullptr) << simtest::LastLoadError();
    auto registerServer = GetExport<HRESULT (*)()>(library, "DllRegisterServer");
    auto unregisterServer = GetExport<HRESULT (*)()>(library, "DllUnregisterServer");
    ASSERT_TRUE(registerServer && unregisterServer);
    EXPECT_EQ(GetExport<void (*)()>(library, "_ZN10trackersim6FaultsEv"), nullptr)
        << "only the entry points show";
    EXPECT_EQ(registerServer(), S_OK);
    EXPECT_EQ(RegisteredServer(),
              simtest::Utf8Path(fs::canonical(simtest::SimulatorLibraryPath())));
    EXPECT_EQ(unregisterServer(), S_OK);
    EXPECT_FALSE(RegisteredServer());

    // Live objects and events still queued keep the library loaded.
    auto getClassObject = GetExport<LPFNGETCLASSOBJECT>(library, "DllGetClassObject");
    auto canUnloadNow = GetExport<LPFNCANUNLOADNOW>(library, "DllCanUnloadNow");
    ASSERT_TRUE(getClassObject && canUnloadNow);
    EXPECT_EQ(canUnloadNow(), S_OK);
    ComPtr<IClassFactory> factory;
    ComPtr<IClassFactory> none;
    EXPECT_EQ(getClassObject(GUID_NULL, IID_IClassFactory, none.PutVoid()),
              CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(
        getClassObject(tracker::CLSID_TrackerConnection, IID_IClassFactory, factory.PutVoid()),
        S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    ComPtr<trackersim::SimControl> control;
    ASSERT_EQ(factory->CreateInstance(nullptr, trackersim::SimControl::iid, control.PutVoid()),
              S_OK);
    factory = nullptr;
    control->FireInitializeFinished();
    control = nullptr;
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "an event is still queued";
    platform::PumpMessages();
    EXPECT_EQ(canUnloadNow(), S_OK);
    FreeLibrary(library);
}
