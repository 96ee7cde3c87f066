// The plug-in loaded through its exports, as a host loads it, against the
// simulated tracker, with a scripted screen in front of it.
#pragma once

#include "host/plugin_exports.h"
#include "platform/ui/scripted_screen.h"
#include "tests/support/sim_fixture.h"

#include <memory>
#include <string>
#include <vector>

namespace simtest {

struct HostRecord {
    ZDEV_MESSAGE_TYPE type;
    ZDEV_SCAN_DATA data;
};

class PluginTest : public SimTest {
protected:
    void SetUp() override;
    void TearDown() override;

    const PluginExports& Plugin() const { return m_plugin->exports(); }
    // Unloads the plug-in (its teardown runs).
    void Unload();
    // Opens through the connect dialog (`address` typed, then "Connect");
    // true when Open returned 1.
    bool OpenWith(const platform::WideString& address);
    // Texts of the message boxes shown so far.
    std::vector<platform::WideString> BoxTexts() const;
    // A value from the device's key in the settings store (empty when absent).
    platform::WideString StoredString(const WCHAR* name) const;

    platform::ScriptedScreen screen;
    std::vector<HostRecord> records;

private:
    static void Receive(void* context, ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record);
    std::unique_ptr<platform::ScopedScreen> m_useScreen;
    std::unique_ptr<LoadedPlugin> m_plugin;
};

} // namespace simtest
