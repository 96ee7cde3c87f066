// Loading a tracker session file for replay: N entries shaped like a recorded
// measuring session's (object reads, values, events). Reports the time per
// line and what the loaded file holds per line and against the file's size:
// a replay of a long session must fit in memory.
#include "trackerrec/session_file.h"
#include "trackerrec/session_log.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

std::string SessionOfLines(int64_t lines) {
    std::string text = std::string(trackerrec::kSessionFileMagic) + " " +
                       std::to_string(trackerrec::kSessionFormatVersion) + "\n";
    text += "s current \"m_ipAddressBox\" \"10.0.0.9\"\n";
    for (int member = 1; member <= 50; ++member)
        text += "m " + std::to_string(member) + " Interface.member" + std::to_string(member) + "\n";
    text += "c @\n";
    const char* block[] = {
        "e 7 160 33 @ @\n",         "0 34 @\n",  "1 37 @\n", "2 39 1987.7328763911355\n",
        "1 39 511.3118646725286\n", "0 32 =7\n", "4 40 @\n", "0 39 -0.45235889026974885\n"};
    for (int64_t i = 0; i < lines; ++i)
        text += block[i % 8];
    return text + "end\n";
}

void BM_LoadSessionFile(benchmark::State& state) {
    const std::string text = SessionOfLines(state.range(0));
    size_t held = 0;
    for (auto _ : state) {
        std::istringstream in(text);
        trackerrec::SessionFile file;
        std::string error;
        if (!trackerrec::ReadSessionFile(in, "bench", file, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        held = file.text->capacity() + file.entries.capacity() * sizeof(trackerrec::SessionEntry);
        benchmark::DoNotOptimize(file);
    }
    const double lines = static_cast<double>(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["held_bytes_per_line"] = static_cast<double>(held) / lines;
    state.counters["held/file"] = static_cast<double>(held) / static_cast<double>(text.size());
}
BENCHMARK(BM_LoadSessionFile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
