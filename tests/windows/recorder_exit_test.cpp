// The recording library's writer thread when the process ends with the
// session still open: Windows ends the thread before the library hears of
// it, and the library must neither wait for the thread nor lose what it had
// not yet written.
#include "beside_the_program.h"

#include "trackerrec/settings.h"

#include "interfaces/tracker.h"
#include "platform/com/bstr.h"
#include "platform/com/com_ptr.h"
#include "platform/module/libloaderapi.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr int kCalls = 30000; // well over one hand-off to the writer thread

// Records kCalls calls through the recording library in front of the
// simulator, lets the writer thread catch up, and ends the process with
// everything still held.
[[noreturn]] void RecordAndEndTheProcess(const std::wstring& session) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    trackerrec::RecorderSettings settings;
    settings.library = BesideTheProgram(L"Tarn.Tracker.Connection.dll");
    settings.sessionFile = session;
    if (trackerrec::WriteSettings(settings) != ERROR_SUCCESS)
        ExitProcess(10);
    HMODULE recorder = LoadLibraryW(BesideTheProgram(L"Tarn.Tracker.Recorder.dll").c_str());
    auto getClassObject =
        recorder
            ? GetExport<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(recorder, "DllGetClassObject")
            : nullptr;
    ComPtr<IClassFactory> factory;
    if (!getClassObject || FAILED(getClassObject(tracker::CLSID_TrackerConnection,
                                                 IID_IClassFactory, factory.PutVoid())))
        ExitProcess(11);
    ComPtr<tracker::TrackerConnection> connection;
    ComPtr<tracker::Tracker> tracker;
    ComBstr address(L"192.168.0.1");
    if (FAILED(factory->CreateInstance(nullptr, tracker::TrackerConnection::iid,
                                       connection.PutVoid())) ||
        FAILED(connection->Connect(address.Get(), tracker.Put())))
        ExitProcess(12);
    for (int i = 0; i < kCalls; ++i) {
        ComPtr<tracker::Measurements> measurements;
        if (FAILED(tracker->get_Measurements(measurements.Put())))
            ExitProcess(13);
    }
    Sleep(500);
    ExitProcess(0); // the connection and the tracker still held
}

TEST(RecorderAtProcessEnd, TheWriterThreadEndedWithTheProcessLosesNoLine) {
    WCHAR folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring session = std::wstring(folder) + L"qnzu-recorder-exit.txt";
    DeleteFileW(session.c_str());
    EXPECT_EXIT(RecordAndEndTheProcess(session), testing::ExitedWithCode(0), "");

    std::ifstream in(session.c_str(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    DeleteFileW(session.c_str());
    trackerrec::DeleteSettings();
    ASSERT_GE(text.size(), 4u);
    EXPECT_EQ(text.substr(text.size() - 4), "end\n") << "the session file is not complete";
    EXPECT_GT(std::count(text.begin(), text.end(), '\n'), kCalls) << "lines are missing";
}

} // namespace
