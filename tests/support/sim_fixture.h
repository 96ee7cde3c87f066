// The simulated tracker for test suites: clean settings with the simulator
// registered as the tracker library, COM initialised on this thread, and the
// simulator's control interface.
//
//   class MyTest : public simtest::SimTest {};
//   TEST_F(MyTest, Something) {
//       Sim().SetQuickReleaseClosed(false);       // configure the tracker
//       ... code under test creates CLSID_TrackerConnection and connects ...
//       Sim().FireProbeButton(0, true);           // fire an event
//       platform::PumpMessages();                 // deliver it
//   }
//
// SimTest runs on a virtual clock (Clock().Advance, platform::RunMessagesFor).
#pragma once

#include "platform/com/com_ptr.h"
#include "platform/ui/clock.h"
#include "tests/support/settings_sandbox.h"
#include "tests/support/test_files.h"
#include "trackersim/sim_control.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace simtest {

// The connection class's key and its ProgID's under the current user's classes.
platform::WideString ClassKey();
extern const WCHAR kProgIdKey[];

// Writes InprocServer32 of the connection class (= libraryPath, apartment
// threaded) into the current user's classes, mirrored under Wine (below). True
// on success.
bool RegisterSimulator(const std::filesystem::path& libraryPath);
// Removes the connection class and its ProgID from the current user's classes.
void UnregisterSimulator();

// Windows shows the current user's classes in HKEY_CLASSES_ROOT, where COM
// looks; Wine (8) shows only the machine's. Under Wine this makes the
// machine's copy of the connection class what the user's is (or removes it),
// so COM sees what it would see on Windows. Elsewhere it does nothing.
void MirrorUserClassForWine();

class SimEnvironment {
public:
    // Gives the test a clean settings store, registers the simulator,
    // initialises COM apartment-threaded, creates a connection object for the
    // control interface and resets the simulator.
    SimEnvironment();
    // Resets the simulator, releases the control interface, delivers what is
    // still queued, uninitialises COM (unloading the simulator once nothing of
    // it is in use) and removes the registration and the settings.
    ~SimEnvironment();
    SimEnvironment(const SimEnvironment&) = delete;
    SimEnvironment& operator=(const SimEnvironment&) = delete;

    // Null when the simulator could not be created (the constructor reports why).
    trackersim::SimControl* Control() const { return m_control.Get(); }
    const std::filesystem::path& Folder() const { return m_settings.Folder(); }

private:
    SettingsSandbox m_settings;
    bool m_comInitialized = false;
    ComPtr<trackersim::SimControl> m_control;
};

class SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_env = std::make_unique<SimEnvironment>();
        ASSERT_NE(m_env->Control(), nullptr) << "the simulated tracker could not be created";
    }
    void TearDown() override { m_env.reset(); }

    trackersim::SimControl& Sim() { return *m_env->Control(); }
    SimEnvironment& Env() { return *m_env; }
    platform::VirtualClock& Clock() { return m_clock.clock(); }

private:
    platform::ScopedVirtualClock m_clock;
    std::unique_ptr<SimEnvironment> m_env;
};

} // namespace simtest
