#include "cli/Cli.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

using namespace orlamo;
using namespace orlamo::test;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::Run(args, out, err);
    return {status, out.str(), err.str()};
}

// A folder with one accepted 44.1 kHz wave, one stereo wave and one file that is no wave.
struct Waves {
    TempDir dir;
    std::string accepted = dir / "tone.wav";
    std::string stereo = dir / "stereo.wav";
    std::string text = dir / "notes.txt";
    std::string missing = dir / "missing.wav";

    Waves() {
        WriteBytes(accepted, SimpleWave(44100, 16, 88200));
        WriteBytes(stereo, SimpleWave(44100, 16, 1000, 2));
        WriteBytes(text, "not a wave at all");
    }
};

} // namespace

TEST(InspectCommand, PlainLinesAndExitStatus) {
    Waves waves;
    const Outcome accepted = RunCli({"inspect", waves.accepted});
    EXPECT_EQ(accepted.status, cli::ExitOk);
    EXPECT_EQ(accepted.out, waves.accepted +
                                ": rate index 8, data size 88200 bytes, play time 1.00 s, format "
                                "code 0x80000000\n");
    EXPECT_EQ(accepted.err, "");

    const Outcome mixed =
        RunCli({"inspect", waves.stereo, waves.accepted, waves.text, waves.missing});
    EXPECT_EQ(mixed.status, cli::ExitRefused);
    EXPECT_EQ(mixed.out, waves.stereo + ": refused: Format Error - 44K x 16bit x Stereo\n" +
                             waves.accepted +
                             ": rate index 8, data size 88200 bytes, play time 1.00 s, format code "
                             "0x80000000\n" +
                             waves.text + ": refused: E:02 - Illegal file format\n" +
                             waves.missing + ": refused: E:01 - File not found\n");
}

TEST(InspectCommand, FormatCodeIsEightUpperCaseHexDigits) {
    TempDir dir;
    WriteBytes(dir / "a.wav", SimpleWave(8000, 8, 123456));
    WriteBytes(dir / "b.wav", SimpleWave(48000, 16, 960));
    const Outcome outcome = RunCli({"inspect", dir / "a.wav", dir / "b.wav"});
    EXPECT_EQ(outcome.status, cli::ExitOk);
    EXPECT_EQ(outcome.out, dir / "a.wav" +
                               ": rate index 0, data size 123456 bytes, play time 15.43 s, "
                               "format code 0x00000000\n" +
                               dir / "b.wav" +
                               ": rate index 9, data size 960 bytes, play time 0.01 s, format "
                               "code 0x90000000\n");
}

TEST(InspectCommand, JsonLines) {
    Waves waves;
    const Outcome outcome = RunCli({"inspect", "--json", waves.accepted, waves.stereo});
    EXPECT_EQ(outcome.status, cli::ExitRefused);
    EXPECT_EQ(outcome.out, "{\"file\": \"" + waves.accepted +
                               "\", \"accepted\": true, \"rate_index\": 8, \"data_size\": 88200, "
                               "\"play_time\": \"1.00\", \"format_code\": 2147483648}\n"
                               "{\"file\": \"" +
                               waves.stereo +
                               "\", \"accepted\": false, \"rate_index\": -1, \"message\": "
                               "\"Format Error - 44K x 16bit x Stereo\"}\n");
}

TEST(InspectCommand, JsonEscapesFileNames) {
    TempDir dir;
    const std::string path = dir / "say \"hi\" \\ tab\there \xc3\xbc.wav";
    WriteBytes(path, SimpleWave(16000, 16, 3200));
    const Outcome outcome = RunCli({"inspect", path, "--json"});
    EXPECT_EQ(outcome.status, cli::ExitOk);
    EXPECT_EQ(outcome.out,
              "{\"file\": \"" + dir.Path().string() +
                  "/say \\\"hi\\\" \\\\ tab\\there \xc3\xbc.wav\", \"accepted\": true, "
                  "\"rate_index\": 4, \"data_size\": 3200, \"play_time\": \"0.10\", "
                  "\"format_code\": 1073741824}\n");
}

TEST(InspectCommand, UsageErrorsAndHelp) {
    struct Case {
        std::vector<std::string> args;
        const char* problem;
    };
    const Case cases[] = {
        {{"inspect"}, "orlamo-cli: inspect needs at least one file\n"},
        {{"inspect", "--json"}, "orlamo-cli: inspect needs at least one file\n"},
        {{"inspect", "--verbose", "a.wav"}, "orlamo-cli: unknown option '--verbose'\n"},
        {{"inspect", "a.wav", "-j"}, "orlamo-cli: unknown option '-j'\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        const Outcome outcome = RunCli(c.args);
        EXPECT_EQ(outcome.status, cli::ExitUsage);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err.rfind(c.problem, 0), 0u) << outcome.err;
        EXPECT_NE(outcome.err.find("Usage: orlamo-cli inspect [--json] FILE..."),
                  std::string::npos);
    }
    const Outcome help = RunCli({"inspect", "--help"});
    EXPECT_EQ(help.status, cli::ExitOk);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("Usage: orlamo-cli inspect [--json] FILE...\n", 0), 0u);
    EXPECT_NE(help.out.find("Exit status"), std::string::npos);
}

TEST(InspectCommand, DoubleDashEndsOptions) {
    TempDir dir;
    WriteBytes(dir / "--json", SimpleWave(8000, 16, 16000));
    // A name that starts with "-" is only a name when relative, so run from inside the folder.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const Outcome outcome = RunCli({"inspect", "--", "--json"});
    std::filesystem::current_path(before);
    EXPECT_EQ(outcome.status, cli::ExitOk);
    EXPECT_EQ(outcome.out, "--json: rate index 1, data size 16000 bytes, play time 1.00 s, format "
                           "code 0x10000000\n");
}

// Through the real program: the shell hands over a path with blanks and non-ASCII letters.
TEST(InspectCommand, RealBinaryWithBlanksAndNonAsciiPath) {
    TempDir dir;
    const std::string path = dir / "Ans\xc3\xa4ge Gleis 3 \xe2\x80\x93 \xe9\xa7\x85.wav";
    WriteBytes(path, SimpleWave(22050, 16, 44100));
    WriteBytes(dir / "bad one.wav", SimpleWave(22050, 8, 100));
    const std::string outFile = dir / "out.txt";
    const auto run = [&](const std::string& options) {
        const std::string command = std::string("'") + ORLAMO_CLI_PATH + "' inspect " + options +
                                    " '" + path + "' > '" + outFile + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run(""), 0);
    EXPECT_EQ(ReadBytes(outFile), path + ": rate index 5, data size 44100 bytes, play time 1.00 s, "
                                         "format code 0x50000000\n");
    EXPECT_EQ(run("--json"), 0);
    EXPECT_EQ(ReadBytes(outFile), "{\"file\": \"" + path +
                                      "\", \"accepted\": true, \"rate_index\": 5, \"data_size\": "
                                      "44100, \"play_time\": \"1.00\", \"format_code\": "
                                      "1342177280}\n");
    EXPECT_EQ(run("'" + (dir / "bad one.wav") + "'"), 1);
}
