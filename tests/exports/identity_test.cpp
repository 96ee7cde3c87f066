// The identity exports answer before any connection, through the loaded plug-in.
#include "interfaces/zdevice.h"
#include "platform/module/libloaderapi.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>

namespace {

const platform::WideString kPlugin = simtest::WidePath(simtest::PluginLibraryPath());

template <class F> F Export(HMODULE module, const char* name) {
    return GetExport<F>(module, name);
}

TEST(IdentityExports, AnswerBeforeOpen) {
    HMODULE module = LoadLibraryW(kPlugin.c_str());
    ASSERT_NE(module, nullptr) << simtest::LastLoadError();

    const char* name = nullptr;
    ASSERT_EQ(Export<int (*)(const char**)>(module, "GetDeviceName")(&name), 1);
    EXPECT_STREQ(name, "Orlan Q-Wand");
    int value = 0;
    EXPECT_EQ(Export<int (*)(int*)>(module, "GetDeviceType")(&value), 1);
    EXPECT_EQ(value, 6);
    EXPECT_EQ(Export<int (*)(int*)>(module, "GetExternalButtonType")(&value), 1);
    EXPECT_EQ(value, 28);
    double up[3] = {9, 9, 9};
    EXPECT_EQ(Export<int (*)(double*)>(module, "GetDeviceGlobalUpDirection")(up), 1);
    EXPECT_EQ(up[0], 0);
    EXPECT_EQ(up[1], 0);
    EXPECT_EQ(up[2], 1);
    uint32_t mode = 77;
    EXPECT_EQ(Export<int (*)(uint32_t*)>(module, "GetProbeAcqMode")(&mode), 1);
    EXPECT_EQ(mode, 0u);
    EXPECT_EQ(Export<int (*)(uint32_t)>(module, "SetProbeAcqMode")(5), 1);
    EXPECT_EQ(Export<int (*)(uint32_t*)>(module, "GetProbeAcqMode")(&mode), 1);
    EXPECT_EQ(mode, 5u); // stored and reported back unvalidated

    EXPECT_EQ(Export<int (*)()>(module, "StartProbeMeasure")(), 0);
    EXPECT_EQ(Export<int (*)()>(module, "StopProbeMeasure")(), 1);
    EXPECT_EQ(Export<int (*)()>(module, "SelectProbe")(), 1);
    double size = 12.5;
    EXPECT_EQ(Export<int (*)(double*)>(module, "GetProbeSize")(&size), 0);
    EXPECT_EQ(size, 12.5);
    EXPECT_EQ(Export<int (*)()>(module, "Close")(), 1);
    EXPECT_EQ(Export<int (*)()>(module, "CommandExternalButtonProbe2")(), 1);
    EXPECT_EQ(Export<int (*)()>(module, "CommandExternalButtonProbe4")(), 1);

    auto freeData = Export<int (*)(ZDEV_SCAN_DATA*)>(module, "FreeData");
    EXPECT_EQ(freeData(nullptr), 1);
    ZDEV_SCAN_DATA* record = new (::operator new(sizeof(ZDEV_SCAN_DATA))) ZDEV_SCAN_DATA;
    EXPECT_EQ(freeData(record), 1);
    EXPECT_TRUE(FreeLibrary(module));
}

} // namespace
