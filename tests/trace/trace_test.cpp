// The trace: its file, size limit and failures, and what the module writes
// into it on the measuring path and from its settings.
#include "platform/trace/trace.h"
#include "platform/ui/afxwin.h"
#include "plugin/device_trace.h"
#include "settings/CQNRegistry.h"
#include "tests/support/device_fixture.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <regex>

#ifdef _WIN32
#include <windows.h>
#endif

using simtest::TempFolder;

namespace {

// The variable that names the trace folder's parent, set for one test.
class ScopedTraceHome {
public:
    explicit ScopedTraceHome(const std::filesystem::path& folder) {
        if (const char* old = std::getenv(kName))
            m_old = old;
        Set(folder.string().c_str());
    }
    ~ScopedTraceHome() { Set(m_old ? m_old->c_str() : nullptr); }

#ifdef _WIN32
    static constexpr const char* kName = "LOCALAPPDATA";
    static void Set(const char* value) {
        SetEnvironmentVariableA(kName, value);
        _putenv_s(kName, value ? value : "");
    }
#else
    static constexpr const char* kName = "XDG_STATE_HOME";
    static void Set(const char* value) {
        if (value)
            setenv(kName, value, 1);
        else
            unsetenv(kName);
    }
#endif

private:
    std::optional<std::string> m_old;
};

class TraceFileTest : public ::testing::Test {
protected:
    void TearDown() override { qntrace::Stop(); }
    TempFolder folder{"qnzu-trace"};
};

TEST_F(TraceFileTest, OffUntilStartedThenTimeStampedLinesInANewFolder) {
    qntrace::Write("never written");
    EXPECT_FALSE(qntrace::On());
    const auto file = folder.Path() / "made" / "here" / "trace.txt";
    ASSERT_TRUE(qntrace::Start(file));
    EXPECT_TRUE(qntrace::Start(folder.Path() / "other.txt")); // the running trace keeps its file
    EXPECT_EQ(qntrace::File(), file);
    QNTRACE("measurement dropped: RMS %g over the tolerance %g", 0.2, 0.1);
    qntrace::Stop();
    qntrace::Write("after the stop");
    const std::string text = simtest::ReadFile(file);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "other.txt"));
    EXPECT_TRUE(std::regex_search(
        text, std::regex(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} trace started\n)")));
    EXPECT_NE(text.find(" measurement dropped: RMS 0.2 over the tolerance 0.1\n"),
              std::string::npos);
    EXPECT_EQ(text.find("never written"), std::string::npos);
    EXPECT_EQ(text.find("after the stop"), std::string::npos);
}

TEST_F(TraceFileTest, FullFileRotatesSoTheTraceStaysBounded) {
    const auto file = folder.Path() / "trace.txt";
    ASSERT_TRUE(qntrace::Start(file, 1000));
    for (int i = 0; i < 200; ++i)
        QNTRACE("line %03d of a trace that outgrows its limit", i);
    qntrace::Stop();
    const auto old = std::filesystem::path(file.string() + ".1");
    ASSERT_TRUE(std::filesystem::exists(old));
    EXPECT_LE(std::filesystem::file_size(file), 1000u);
    EXPECT_LE(std::filesystem::file_size(old), 1000u);
    EXPECT_NE(simtest::ReadFile(file).find("trace stopped"), std::string::npos);
    EXPECT_NE(simtest::ReadFile(file).find("line 199"), std::string::npos);
    EXPECT_EQ(simtest::ReadFile(file).find("line 100 "), std::string::npos);
}

TEST_F(TraceFileTest, UnwritablePlacesLeaveTheTraceOff) {
    std::ofstream(folder.Path() / "a-file") << "x";
    EXPECT_FALSE(qntrace::Start(folder.Path() / "a-file" / "sub" / "trace.txt"));
    EXPECT_FALSE(qntrace::On());
    std::filesystem::create_directory(folder.Path() / "a-folder");
    EXPECT_FALSE(qntrace::Start(folder.Path() / "a-folder")); // not a file
    EXPECT_FALSE(qntrace::Start({}));
    QNTRACE("lost");
    EXPECT_FALSE(qntrace::On());
}

#ifdef _WIN32
// A file opened without sharing (by another program, say) cannot be written:
// the trace stays off.
TEST_F(TraceFileTest, AFileHeldWithoutSharingLeavesTheTraceOff) {
    const auto file = folder.Path() / "held.txt";
    HANDLE held = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(qntrace::Start(file));
    EXPECT_FALSE(qntrace::On());
    CloseHandle(held);
    EXPECT_TRUE(qntrace::Start(file));
}
#endif

class DeviceTraceTest : public simtest::DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        ASSERT_TRUE(qntrace::Start(file));
    }
    void TearDown() override {
        qntrace::Stop();
        DeviceTest::TearDown();
    }
    void Fire(const trackersim::SampleSpec& sample) {
        Sim().FireMeasurements(&sample, 1, 0, nullptr);
        Pump();
    }
    std::string Trace() { return simtest::ReadFile(file); }

    TempFolder folder{"qnzu-trace"};
    std::filesystem::path file = folder.Path() / "trace.txt";
};

TEST_F(DeviceTraceTest, EveryDroppedMeasurementSaysWhy) {
    ConnectDevice();
    trackersim::SampleSpec s;
    s.rms = 0.25;
    Fire(s); // state 1
    ASSERT_EQ(device->StartProbeMeasure(), 1);
    Fire(s);
    Sim().MakeNull(TEXT("Measurement.get_Reading2"), true);
    s.rms = 0.05;
    Fire(s);
    Sim().InjectFailure(TEXT("ScalarValue.get_Value"), E_FAIL, 5, TEXT("Value lost"), true);
    Fire(s);
    EXPECT_TRUE(posted.empty());
    const std::string text = Trace();
    EXPECT_NE(text.find("measurement dropped: not probing"), std::string::npos) << text;
    EXPECT_NE(text.find("measurement dropped: RMS 0.25 over the tolerance 0.1"), std::string::npos)
        << text;
    EXPECT_NE(text.find("measurement dropped: Measurement.reading2 failed: 0x80004003"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("measurement dropped: RmsMeasurement.RmsPosition failed: 0x80004005 "
                        "\"Value lost\""),
              std::string::npos)
        << text;
}

TEST_F(DeviceTraceTest, PostedRecordsAreCountedPerTypeAtStop) {
    ConnectDevice();
    ASSERT_EQ(device->StartProbeMeasure(), 1);
    trackersim::SampleSpec s;
    Fire(s);
    Fire(s);
    device->PostConfirm();
    ASSERT_EQ(posted.size(), 3u);
    device->StopProbeMeasure();
    EXPECT_NE(Trace().find("records posted (while probing): type 10: 2, type 11: 1\n"),
              std::string::npos)
        << Trace();
}

TEST_F(DeviceTraceTest, SettingsLoadedAndSavedAndMessageBoxesShown) {
    CQNRegistry registry;
    registry.SetKey(TEXT("Orlan Q-Wand"), true);
    registry.WriteDword(TEXT("m_rbFast"), 2);
    DWORD value = 0;
    registry.ReadDword(TEXT("m_rbFast"), value);
    registry.ReadDword(TEXT("m_missing"), value);
    platform::ScriptedScreen screen;
    platform::ScopedScreen useScreen(screen);
    screen.AnswerBox(IDOK);
    AfxMessageBox(TEXT("Quick Release Open"), MB_OK | MB_ICONEXCLAMATION);
    const std::string text = Trace();
    EXPECT_NE(text.find("setting saved: Orlan Q-Wand\\m_rbFast = 2"), std::string::npos) << text;
    EXPECT_NE(text.find("setting loaded: Orlan Q-Wand\\m_rbFast = 2"), std::string::npos) << text;
    EXPECT_NE(text.find("setting not found: Orlan Q-Wand\\m_missing"), std::string::npos) << text;
    EXPECT_NE(text.find("message box shown: \""), std::string::npos) << text;
    EXPECT_NE(text.find("\"Quick Release Open\" (type 0x30)"), std::string::npos) << text;
}

// The registry switch: only a DWORD other than 0 starts the trace, into the
// default file; the module's own stop ends only a trace it started.
TEST_F(DeviceTraceTest, RegistryValueSwitchesTheTraceOnOnlyAsADword) {
    qntrace::Stop();
    ScopedTraceHome home(folder.Path());
    CQNRegistry registry;
    registry.SetKey(TEXT("Orlan Q-Wand"), true);
    registry.WriteString(TEXT("Trace"), TEXT("1"));
    StartTraceFromRegistry();
    EXPECT_FALSE(qntrace::On());
    registry.WriteDword(TEXT("Trace"), 0);
    StartTraceFromRegistry();
    EXPECT_FALSE(qntrace::On());
    registry.WriteDword(TEXT("Trace"), 1);
    StartTraceFromRegistry();
    EXPECT_TRUE(qntrace::On());
    EXPECT_EQ(qntrace::File(), qntrace::DefaultFile());
    // In the user's state folder: "QNZU" on Windows, "qnzu" on Linux, the same
    // folder to each system's eyes.
    auto lower = [](std::filesystem::path path) {
        std::string text = path.string();
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    EXPECT_EQ(lower(qntrace::File()), lower(folder.Path() / "qnzu" / "QNZUDeviceQWand-trace.txt"));
    StopTraceFromRegistry();
    EXPECT_FALSE(qntrace::On());
    EXPECT_TRUE(std::filesystem::exists(qntrace::DefaultFile()));
}

} // namespace
