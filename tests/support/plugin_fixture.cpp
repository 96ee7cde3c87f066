#include "tests/support/plugin_fixture.h"

#include "platform/ui/message_loop.h"
#include "resources/resource.h"
#include "settings/CQNRegistry.h"

namespace simtest {

void PluginTest::SetUp() {
    SimTest::SetUp();
    if (HasFatalFailure())
        return;
    m_useScreen = std::make_unique<platform::ScopedScreen>(screen);
    zdev_set_scan_sink(&PluginTest::Receive, this);
    m_plugin = std::make_unique<LoadedPlugin>(Utf8Path(PluginLibraryPath()));
    ASSERT_TRUE(m_plugin->ok()) << m_plugin->error();
}

void PluginTest::TearDown() {
    Unload();
    zdev_set_scan_sink(nullptr, nullptr);
    m_useScreen.reset();
    EXPECT_EQ(Sim().LiveObjectCount(), 0) << "the plug-in leaked a library object";
    SimTest::TearDown();
}

void PluginTest::Unload() {
    m_plugin.reset();
    platform::PumpMessages();
}

bool PluginTest::OpenWith(const platform::WideString& address) {
    screen.OnDialog(TEXT("Connect"), {platform::Act::Type(IDC_CONNECT_ADDRESS, address),
                                      platform::Act::Click(IDOK)});
    return Plugin().Open(nullptr) == 1;
}

std::vector<platform::WideString> PluginTest::BoxTexts() const {
    std::vector<platform::WideString> texts;
    for (const auto& box : screen.Boxes())
        texts.push_back(box.text);
    return texts;
}

platform::WideString PluginTest::StoredString(const WCHAR* name) const {
    CQNRegistry registry;
    registry.SetKey(TEXT("Orlan Q-Wand"), true);
    RegString value;
    return registry.ReadString(name, value) ? value : platform::WideString();
}

void PluginTest::Receive(void* context, ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record) {
    auto* self = static_cast<PluginTest*>(context);
    self->records.push_back(HostRecord{type, *record});
    self->Plugin().FreeData(record);
}

} // namespace simtest
