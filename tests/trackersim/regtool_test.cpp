// Registration of the simulator: the registration tool's two command lines,
// its path handling, and the library's own DllRegisterServer.
#include "interfaces/tracker/library_ids.h"
#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "platform/ui/message_loop.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string ToolPath() {
    return std::string(QNZU_BIN_DIR) + "/trackersim-regtool";
}

platform::WideString ClassKey() {
    OLECHAR guid[40];
    StringFromGUID2(tracker::CLSID_TrackerConnection, guid, 40);
    return platform::WideString(u"Software\\Classes\\CLSID\\") + guid;
}

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
    return ReadValue(ClassKey() + u"\\InprocServer32", nullptr);
}

std::string WinePath(const fs::path& native) {
    std::string text = "Z:" + native.string();
    for (char& c : text)
        if (c == '/')
            c = '\\';
    return text;
}

class RegtoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qnzu-regtool-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = fs::canonical(pattern);
        if (const char* previous = std::getenv("QNZU_REGISTRY"))
            previousHive = previous;
        ::setenv("QNZU_REGISTRY", (folder / "hive.reg").c_str(), 1);
    }
    void TearDown() override {
        if (previousHive)
            ::setenv("QNZU_REGISTRY", previousHive->c_str(), 1);
        else
            ::unsetenv("QNZU_REGISTRY");
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // Runs the tool; returns its exit code and keeps its standard error.
    int Run(const std::vector<std::string>& args) {
        std::vector<std::string> all{ToolPath()};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const fs::path errPath = folder / "stderr.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0)
            return -1;
        int status = 0;
        waitpid(pid, &status, 0);
        std::ifstream in(errPath);
        std::ostringstream text;
        text << in.rdbuf();
        stderrText = text.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // A module layout P\Device\QNZUDeviceQWand\bin with a copy of the simulator.
    fs::path MakeLibraryFolder() {
        const fs::path bin = folder / "Device" / "QNZUDeviceQWand" / "bin";
        fs::create_directories(bin);
        fs::copy_file(simtest::SimulatorLibraryPath(), bin / "Tarn.Tracker.Connection.so");
        return bin;
    }

    fs::path folder;
    std::optional<std::string> previousHive;
    std::string stderrText;
};

} // namespace

TEST_F(RegtoolTest, RegistersTheLibraryNamedByAWinePathAndUnregistersIt) {
    const fs::path bin = MakeLibraryFolder();
    const std::string dll = WinePath(bin / "Tarn.Tracker.Connection.dll");
    ASSERT_EQ(Run({"/codebase", dll, "/tlb"}), 0) << stderrText;
    EXPECT_EQ(RegisteredServer(), (bin / "Tarn.Tracker.Connection.so").string());
    EXPECT_EQ(ReadValue(ClassKey() + u"\\InprocServer32", u"ThreadingModel"), "Apartment");
    EXPECT_EQ(
        ReadValue(u"Software\\Classes\\Tarn.Tracker.Connection.TrackerConnection\\CLSID", nullptr),
        platform::Utf8FromWide(ClassKey().substr(ClassKey().rfind(u'\\') + 1)));

    ASSERT_EQ(Run({"/u", "/tlb", dll}), 0) << stderrText;
    EXPECT_FALSE(RegisteredServer());
    EXPECT_EQ(Run({"/u", "/tlb", dll}), 0) << "unregistering twice is no error";
}

TEST_F(RegtoolTest, TakesTheWholeCommandLineAsOneArgument) {
    const fs::path bin = MakeLibraryFolder();
    const std::string dll = WinePath(bin / "Tarn.Tracker.Connection.dll");
    ASSERT_EQ(Run({" /codebase \"" + dll + "\" /tlb"}), 0) << stderrText;
    EXPECT_EQ(RegisteredServer(), (bin / "Tarn.Tracker.Connection.so").string());
    ASSERT_EQ(Run({" /u /tlb \"" + dll + "\""}), 0) << stderrText;
    EXPECT_FALSE(RegisteredServer());
}

TEST_F(RegtoolTest, FallsBackToTheSimulatorNextToTheTool) {
    const fs::path missing = folder / "nowhere" / "Tarn.Tracker.Connection.dll";
    ASSERT_EQ(Run({"/codebase", missing.string(), "/tlb"}), 0) << stderrText;
    EXPECT_EQ(RegisteredServer(),
              (fs::canonical(QNZU_BIN_DIR) / "Tarn.Tracker.Connection.so").string());
}

TEST_F(RegtoolTest, RefusesACommandLineWithoutALibrary) {
    EXPECT_NE(Run({"/codebase", "/tlb"}), 0);
    EXPECT_NE(stderrText.find("usage"), std::string::npos) << stderrText;
    EXPECT_FALSE(RegisteredServer());
}

TEST_F(RegtoolTest, EntryPointsRegisterTheLibraryAndTellWhenItMayUnload) {
    void* library = dlopen(simtest::SimulatorLibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto registerServer = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
    auto unregisterServer = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllUnregisterServer"));
    ASSERT_TRUE(registerServer && unregisterServer);
    EXPECT_EQ(dlsym(library, "_ZN10trackersim6FaultsEv"), nullptr) << "only the entry points show";
    EXPECT_EQ(registerServer(), S_OK);
    EXPECT_EQ(RegisteredServer(), fs::canonical(simtest::SimulatorLibraryPath()).string());
    EXPECT_EQ(unregisterServer(), S_OK);
    EXPECT_FALSE(RegisteredServer());

    // Live objects and events still queued keep the library loaded.
    auto getClassObject = reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(library, "DllGetClassObject"));
    auto canUnloadNow = reinterpret_cast<LPFNCANUNLOADNOW>(dlsym(library, "DllCanUnloadNow"));
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
    dlclose(library);
}
