#include "fault_sweep.h"

#include "module_state.h"
#include "sweep_runs.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace trackersim {

namespace {

struct SweepSettings {
    bool active = false;
    std::string countFile;
    std::string reportFile;
    long failAt = 0;
    long nullAt = 0;
    std::string runsFolder;
    std::string callsFile;
    std::string resultsFile;
};

SweepSettings ReadSettings() {
    SweepSettings settings;
    const char* text = std::getenv("TRACKERSIM_SWEEP");
    if (!text || !*text)
        return settings;
    settings.active = true;
    std::string items = text;
    size_t start = 0;
    while (start <= items.size()) {
        size_t end = items.find(';', start);
        if (end == std::string::npos)
            end = items.size();
        const std::string item = items.substr(start, end - start);
        const size_t equals = item.find('=');
        const std::string key = item.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : item.substr(equals + 1);
        if (key == "count")
            settings.countFile = value;
        else if (key == "report")
            settings.reportFile = value;
        else if (key == "fail")
            settings.failAt = std::strtol(value.c_str(), nullptr, 10);
        else if (key == "null")
            settings.nullAt = std::strtol(value.c_str(), nullptr, 10);
        else if (key == "runs")
            settings.runsFolder = value;
        else if (key == "calls")
            settings.callsFile = value;
        else if (key == "results")
            settings.resultsFile = value;
        start = end + 1;
    }
    return settings;
}

// The process's sweep: its settings, the calls so far, and the files it writes.
class Sweep {
public:
    Sweep() : m_settings(ReadSettings()) {
        if (!m_settings.countFile.empty())
            m_count = std::fopen(m_settings.countFile.c_str(), "w");
        if (!m_settings.runsFolder.empty()) {
            m_forking = true;
            if (!m_settings.callsFile.empty()) {
                std::ifstream in(m_settings.callsFile);
                for (long call; in >> call;)
                    m_chosen.push_back(call);
            }
            if (!m_settings.resultsFile.empty())
                m_results = std::fopen(m_settings.resultsFile.c_str(), "w");
        }
    }
    // The library ends (unloaded, or the process exits with objects left).
    ~Sweep() {
        if (m_count)
            std::fclose(m_count);
        if (m_results)
            std::fclose(m_results);
        if (m_settings.reportFile.empty())
            return;
        if (std::FILE* report = std::fopen(m_settings.reportFile.c_str(), "w")) {
            std::fprintf(report, "calls %ld\nlive %d\n", m_calls, LiveObjects() - ControlObjects());
            std::fclose(report);
        }
    }
    Sweep(const Sweep&) = delete;
    Sweep& operator=(const Sweep&) = delete;

    bool Active() const { return m_settings.active; }
    int& Events() { return m_events; }

    std::optional<Fault> Call(platform::WideView operation, bool givesObject) {
        const long call = ++m_calls;
        if (m_count)
            std::fprintf(m_count, "%s%s %s\n", m_events > 0 ? "event-" : "",
                         givesObject ? "object" : "call",
                         platform::Utf8FromWide(operation).c_str());
        if (m_forking && Chosen(call)) {
            if (Run("fail", call))
                m_settings.failAt = call;
            else if (givesObject && Run("null", call))
                m_settings.nullAt = call;
        }
        if (call == m_settings.failAt) {
            Fault fault;
            fault.kind = FaultKind::Fail;
            fault.hr = E_FAIL;
            fault.number = static_cast<LONG>(call);
            fault.description =
                platform::WideFromUtf8("Simulated failure of call " + std::to_string(call) + " (" +
                                       platform::Utf8FromWide(operation) + ")");
            return fault;
        }
        if (call == m_settings.nullAt && givesObject) {
            Fault fault;
            fault.kind = FaultKind::Null;
            return fault;
        }
        return std::nullopt;
    }

private:
    // Every call when no list was given; the list is in ascending order.
    bool Chosen(long call) {
        if (m_settings.callsFile.empty())
            return true;
        while (m_next < m_chosen.size() && m_chosen[m_next] < call)
            ++m_next;
        return m_next < m_chosen.size() && m_chosen[m_next] == call;
    }

    // Forks a run with this call failing or null: true in the run, which
    // forks no further and writes its own report.
    bool Run(const char* kind, long call) {
        RunOutcome outcome;
        if (ForkRun(m_settings.runsFolder, kind, call, m_settings.reportFile, outcome)) {
            m_forking = false;
            for (std::FILE** file : {&m_count, &m_results}) {
                if (*file)
                    std::fclose(*file);
                *file = nullptr;
            }
            return true;
        }
        if (m_results)
            WriteOutcome(m_results, kind, call, outcome);
        return false;
    }

    SweepSettings m_settings;
    std::FILE* m_count = nullptr;
    std::FILE* m_results = nullptr;
    bool m_forking = false;
    std::vector<long> m_chosen;
    size_t m_next = 0;
    long m_calls = 0;
    int m_events = 0; // events being delivered
};

Sweep& TheSweep() {
    static Sweep sweep;
    return sweep;
}

} // namespace

bool SweepActive() {
    return TheSweep().Active();
}

SweptEventDelivery::SweptEventDelivery() {
    ++TheSweep().Events();
}

SweptEventDelivery::~SweptEventDelivery() {
    --TheSweep().Events();
}

std::optional<Fault> SweepCall(platform::WideView operation, bool givesObject) {
    return TheSweep().Call(operation, givesObject);
}

} // namespace trackersim
