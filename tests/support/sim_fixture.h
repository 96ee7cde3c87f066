// The simulated tracker for test suites: a temporary hive with the simulator
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
#include "trackersim/sim_control.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace simtest {

// The simulator library in the build's bin folder.
std::string SimulatorLibraryPath();

// Writes InprocServer32 of the connection class (= libraryPath, apartment
// threaded) into the hive QNZU_REGISTRY names. True on success.
bool RegisterSimulator(const std::string& libraryPath);

class SimEnvironment {
public:
    // Creates the hive in a fresh temporary folder, points QNZU_REGISTRY at it,
    // registers the simulator, initialises COM apartment-threaded, creates a
    // connection object for the control interface and resets the simulator.
    SimEnvironment();
    // Resets the simulator, releases the control interface, delivers what is
    // still queued, uninitialises COM (unloading the simulator once nothing of
    // it is in use) and restores QNZU_REGISTRY.
    ~SimEnvironment();
    SimEnvironment(const SimEnvironment&) = delete;
    SimEnvironment& operator=(const SimEnvironment&) = delete;

    // Null when the simulator could not be created (the constructor reports why).
    trackersim::SimControl* Control() const { return m_control.Get(); }
    const std::filesystem::path& Folder() const { return m_folder; }
    const std::filesystem::path& HivePath() const { return m_hive; }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_hive;
    std::optional<std::string> m_previousHive;
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
