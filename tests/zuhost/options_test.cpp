// zuhost's command line: every number whole and in range, with the range in
// the message; runs that cannot go together refused.
#include "host/options.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

bool Parse(std::initializer_list<const char*> args, HostOptions& options, std::string& error) {
    std::vector<char*> argv{const_cast<char*>("zuhost")};
    for (const char* arg : args)
        argv.push_back(const_cast<char*>(arg));
    return ParseOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

std::string Refusal(std::initializer_list<const char*> args) {
    HostOptions options;
    std::string error;
    return Parse(args, options, error) ? std::string("(accepted)") : error;
}

} // namespace

TEST(ZuhostOptions, NumbersOutOfRangeOrNotWholeAreRefusedNamingTheRange) {
    const struct {
        const char* option;
        std::vector<const char*> values;
        const char* range;
    } cases[] = {
        {"--duration", {"nan", "inf", "1e300", "-1", "0", "0.0005", "10s", ""}, "0.001 to 86400"},
        {"--seed",
         {"99999999999999999999", "1e30", "4294967296", "7.9", "-1", "+3", " 7"},
         "0 to 4294967295"},
        {"--mode", {"5", "0.5", "nan", "2", "1x"}, "0 (one point per press) or 1"},
        {"--rate", {"nan", "-5", "0", "1e9", "1000.5", "0x10", "inf"}, "above 0 up to 1000"},
        {"--positions", {"nan", "-1", "400x", "1001"}, "from 0 to 1000"},
        {"--cycles", {"3abc", "0", "-2", "1000001", "2.0"}, "from 1 to 1000000"},
    };
    for (const auto& c : cases)
        for (const char* value : c.values) {
            const std::string error = Refusal({c.option, value});
            EXPECT_NE(error.find(c.range), std::string::npos)
                << c.option << " " << value << ": " << error;
            EXPECT_NE(error.find(std::string("'") + value + "'"), std::string::npos) << error;
        }
}

TEST(ZuhostOptions, NumbersInRangeAreTakenExactly) {
    HostOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--seed", "4294967295", "--mode", "0", "--rate", "333", "--positions", "0",
                       "--duration", "2.5"},
                      o, error))
        << error;
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_EQ(o.mode, 0u);
    EXPECT_EQ(o.continuousHz, 333.0);
    EXPECT_EQ(o.positionHz, 0.0);
    EXPECT_EQ(o.durationMs, 2500u);
    HostOptions low;
    ASSERT_TRUE(Parse({"--rate", "0.25", "--duration", "1e-3"}, low, error)) << error;
    EXPECT_EQ(low.continuousHz, 0.25);
    EXPECT_EQ(low.durationMs, 1u);
    EXPECT_EQ(HostOptions().durationMs, 0u) << "no --duration: the scenario's whole script";
}

TEST(ZuhostOptions, AnswersIgnoreCaseAndUnknownNamesAreRefused) {
    HostOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--answer", "OK", "--answer", "Retry", "--answer", "default"}, o, error))
        << error;
    EXPECT_EQ(o.answers, (std::vector<std::string>{"OK", "Retry", "default"}));
    EXPECT_NE(Refusal({"--answer", "okay"}).find("OK, Cancel, Yes, No"), std::string::npos);
}

TEST(ZuhostOptions, RunsOfTheirOwnRefuseWhatTheyWouldIgnore) {
    EXPECT_EQ(Refusal({"--tour", "--cycles", "3"}),
              "--tour and --cycles are different runs: choose one");
    EXPECT_EQ(Refusal({"--tour", "--out", "x.jsonl"}),
              "--out has no effect with --tour; leave it out");
    EXPECT_EQ(Refusal({"--cycles", "2", "--plot", "p.svg"}),
              "--plot has no effect with --cycles; leave it out");
    EXPECT_EQ(Refusal({"--identity", "--mode", "0"}),
              "--mode has no effect with --identity; leave it out");
    EXPECT_EQ(Refusal({"--seed", "1", "--seed", "2"}), "--seed is given twice");
    EXPECT_EQ(Refusal({"--tour", "--address", "10.0.0.1", "--realtime"}), "(accepted)");
    EXPECT_EQ(Refusal({"--cycles", "2", "--address", "10.0.0.1"}), "(accepted)");
}

TEST(ZuhostOptions, FilesAndStepsAreCheckedBeforeTheRun) {
    EXPECT_NE(Refusal({"--save-camera", "c.png"}).find("name the file .bmp"), std::string::npos);
    EXPECT_EQ(Refusal({"--save-camera", "C.BMP"}), "(accepted)");
    EXPECT_NE(Refusal({"--page-action", "Main:wait:abc"}).find("0 to 86400000"), std::string::npos);
    EXPECT_NE(Refusal({"--page-action", "7:click:OK"}).find("0 to 4"), std::string::npos);
    EXPECT_EQ(Refusal({"--page-action", "Main:wait:250"}), "(accepted)");
    EXPECT_NE(Refusal({"--scenario", "torus"}).find("session, sphere, plane or cylinder"),
              std::string::npos);
    EXPECT_EQ(Refusal({"--out", ""}), "--out needs a file name");
    // An empty name would quietly run a live session instead of a replay.
    EXPECT_EQ(Refusal({"--replay", ""}), "--replay needs a file name");
    EXPECT_EQ(Refusal({"--record", ""}), "--record needs a file name");
}

// Records written over the recording they replay, or over the plug-in, are
// refused however the two names are spelt.
TEST(ZuhostOptions, TwoOptionsNamingOneFileAreRefused) {
    const auto apart = [](std::initializer_list<const char*> args, const std::string& plugin) {
        HostOptions options;
        std::string error;
        if (!Parse(args, options, error))
            return "parse: " + error;
        return CheckFilesApart(options, plugin, error) ? std::string("(apart)") : error;
    };
    EXPECT_EQ(apart({"--replay", "s.txt", "--out", "./x/../s.txt"}, "zu/plugin.so"),
              "--replay and --out name the same file, ./x/../s.txt: give each its own");
    EXPECT_EQ(apart({"--record", "s.txt", "--trace", "s.txt"}, "zu/plugin.so"),
              "--record and --trace name the same file, s.txt: give each its own");
    EXPECT_EQ(apart({"--out", "zu/plugin.so"}, "zu/plugin.so"),
              "the plug-in and --out name the same file, zu/plugin.so: give each its own");
    EXPECT_EQ(apart({"--record", "s.txt", "--out", "s.json", "--plot", "s.svg", "--trace", "t.txt",
                     "--save-camera", "s.bmp"},
                    "zu/plugin.so"),
              "(apart)");

#ifndef _WIN32
    // Records on standard output: no other file may be where they go.
    simtest::TempFolder folder("apart");
    const std::string records = (folder.Path() / "records.jsonl").string();
    const int saved = dup(STDOUT_FILENO);
    const int file = open(records.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(file, 0);
    std::fflush(stdout);
    dup2(file, STDOUT_FILENO);
    const std::string intoStdout = apart({"--record", "/dev/stdout"}, "zu/plugin.so");
    const std::string intoItsFile = apart({"--trace", records.c_str()}, "zu/plugin.so");
    const std::string withOut =
        apart({"--record", "/dev/stdout", "--out", "r.jsonl"}, "zu/plugin.so");
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    const std::string intoNull = apart({"--trace", "/dev/null"}, "zu/plugin.so");
    dup2(saved, STDOUT_FILENO);
    close(saved);
    close(file);
    close(null);
    EXPECT_EQ(intoStdout, "--record names standard output, /dev/stdout, where the records go: "
                          "give it a file of its own, or the records --out");
    EXPECT_EQ(intoItsFile, "--trace names standard output, " + records +
                               ", where the records go: give it a file of its own, or the "
                               "records --out");
    EXPECT_EQ(withOut, "(apart)");
    EXPECT_EQ(intoNull, "(apart)") << "nothing is kept where /dev/null is";
#endif
}
