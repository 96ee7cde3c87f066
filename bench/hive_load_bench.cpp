// Loading a settings hive of N sibling keys, each with two values, from the
// file's bytes (decoding and parsing) and through the registry functions (the
// store reads the file, then one value is queried). Both grow linearly with N.
#include "platform/registry/registry.h"
#include "platform/registry/unix/hive_file.h"
#include "platform/registry/unix/hive_text.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string HiveOfKeys(int64_t keys) {
    std::u16string text = u"Windows Registry Editor Version 5.00\r\n\r\n";
    char line[160];
    for (int64_t i = 0; i < keys; ++i) {
        std::snprintf(
            line, sizeof line,
            "[HKEY_CURRENT_USER\\Software\\Bench\\Key %06lld]\r\n\"Name\"=\"value %lld\"\r\n"
            "\"Count\"=dword:%08llx\r\n\r\n",
            static_cast<long long>(i), static_cast<long long>(i), static_cast<long long>(i));
        for (const char* c = line; *c; ++c) {
            text += static_cast<char16_t>(*c);
        }
    }
    return qn::reg::EncodeHiveText(text);
}

void BM_ParseHive(benchmark::State& state) {
    const std::string bytes = HiveOfKeys(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(qn::reg::ParseHive(qn::reg::DecodeHiveBytes(bytes)));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_ParseHive)->Arg(10000)->Arg(25000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_OpenHiveFile(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "qnzu-hive-bench";
    std::filesystem::create_directories(folder);
    const auto path = folder / "hive.reg";
    const std::string bytes = HiveOfKeys(state.range(0));
    const char* previous = std::getenv("QNZU_REGISTRY");
    const std::string restore = previous ? previous : "";
    ::setenv("QNZU_REGISTRY", path.c_str(), 1);
    int64_t round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Another file each round, so the store reads it again.
        std::ofstream(path, std::ios::binary) << bytes << (round++ % 2 ? "\r\n" : "");
        state.ResumeTiming();
        HKEY key = nullptr;
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegOpenKeyW(HKEY_CURRENT_USER, u"Software\\Bench\\Key 000007", &key) != ERROR_SUCCESS ||
            RegQueryValueExW(key, u"Count", nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                             &size) != ERROR_SUCCESS ||
            value != 7) {
            state.SkipWithError("the hive did not read");
        }
        RegCloseKey(key);
    }
    std::filesystem::remove_all(folder);
    if (previous) {
        ::setenv("QNZU_REGISTRY", restore.c_str(), 1);
    } else {
        ::unsetenv("QNZU_REGISTRY");
    }
}
BENCHMARK(BM_OpenHiveFile)->Arg(10000)->Arg(25000)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace
