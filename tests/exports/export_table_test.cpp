// The plug-in shows the host exactly its seventeen entry points.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace {

const char* const kExports[] = {
    "Open",
    "Close",
    "GetDeviceName",
    "GetDeviceType",
    "GetExternalButtonType",
    "GetDeviceGlobalUpDirection",
    "GetProbeAcqMode",
    "SetProbeAcqMode",
    "GetProbeSize",
    "StartProbeMeasure",
    "StopProbeMeasure",
    "SelectProbe",
    "CommandExternalButtonProbe1",
    "CommandExternalButtonProbe2",
    "CommandExternalButtonProbe3",
    "CommandExternalButtonProbe4",
    "FreeData",
};

// Defined dynamic symbols of a shared library, by name, with their addresses.
std::map<std::string, std::string> DefinedDynamicSymbols(const std::string& library) {
    std::map<std::string, std::string> symbols;
    const std::string command = "nm -D --defined-only '" + library + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return symbols;
    char line[1024];
    while (fgets(line, sizeof line, pipe)) {
        char address[64], type[8], name[512];
        if (sscanf(line, "%63s %7s %511s", address, type, name) == 3)
            symbols[name] = address;
    }
    pclose(pipe);
    return symbols;
}

TEST(ExportTable, ExactlyTheSeventeenUndecoratedNames) {
    const auto symbols = DefinedDynamicSymbols(QNZU_BIN_DIR "/QNZUDeviceQWand.so");
    ASSERT_FALSE(symbols.empty()) << "could not read the plug-in's symbol table";
    std::set<std::string> expected(std::begin(kExports), std::end(kExports));
    std::set<std::string> actual;
    for (const auto& [name, address] : symbols)
        actual.insert(name);
    for (const std::string& name : expected)
        EXPECT_TRUE(actual.count(name)) << "missing export " << name;
    for (const std::string& name : actual)
        EXPECT_TRUE(expected.count(name)) << "extra export " << name;
}

TEST(ExportTable, ButtonCommandsThreeAndFourAreOneFunction) {
    const auto symbols = DefinedDynamicSymbols(QNZU_BIN_DIR "/QNZUDeviceQWand.so");
    ASSERT_TRUE(symbols.count("CommandExternalButtonProbe3"));
    ASSERT_TRUE(symbols.count("CommandExternalButtonProbe4"));
    EXPECT_EQ(symbols.at("CommandExternalButtonProbe3"), symbols.at("CommandExternalButtonProbe4"));
}

} // namespace
