#include "cli/Cli.h"
#include "formats/WaveInspector.h"
#include "formats/WorkFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

using namespace orlamo;
using namespace orlamo::test;
namespace fs = std::filesystem;

namespace {

struct CliRun {
    int Exit = -1;
    std::string Out;
    std::string Err;
};

CliRun RunCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.Exit = cli::Run(args, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct SlotWave {
    std::uint32_t Rate;
    std::uint16_t Bits;
    std::uint32_t Size;
};

// Writes one wave per slot into dir/wave/ and a playlist file naming them with a relative folder.
std::string MakePlayList(const TempDir& dir, const std::string& name,
                         const std::map<int, SlotWave>& slots) {
    std::string text = "[~" + name + "]\r\n";
    for (int n = 1; n <= 245; ++n) {
        const auto it = slots.find(n);
        std::string file;
        if (it != slots.end()) {
            file = "s" + std::to_string(n) + ".wav";
            const SlotWave& wave = it->second;
            WriteBytes(dir / ("wave/" + file),
                       SimpleWave(wave.Rate, wave.Bits, wave.Size, 1, static_cast<unsigned>(n)));
        }
        const std::string key = std::to_string(n) + ".";
        text += key + "FileName=" + file + "\r\n" + key +
                "Filepath=" + (file.empty() ? "" : "wave/") + "\r\n" + key +
                "VoiceName=" + (file.empty() ? "" : "Voice " + key) + "\r\n" + key +
                "Descripition=\r\n";
    }
    const std::string path = dir / (name + ".pla");
    WriteBytes(path, text);
    return path;
}

} // namespace

TEST(CliFiles, CompileInfoExtractInspectRoundTrip) {
    TempDir dir;
    const std::map<int, SlotWave> slots{{1, {8000, 8, 1601}},
                                        {4, {8000, 16, 320}},
                                        {5, {22050, 16, 4410}},
                                        {200, {48000, 16, 9600}}};
    const std::string playlist = MakePlayList(dir, "trip", slots);
    const std::string work = dir / "trip.wrk";

    CliRun run = RunCli({"compile", playlist, "-o", work});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "Compiled " + work +
                  ": 4 used slots, N = 200, total size 15931 bytes, file size 17543 bytes\n");

    run = RunCli({"info", "--json", work});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "{\"file\": \"" + work +
                  "\", \"magic\": \"ORMN\", \"constant\": 11, \"entries\": 200, "
                  "\"total_size\": 15931, \"file_size\": 17543, \"consistent\": true, "
                  "\"problems\": [], \"slots\": ["
                  "{\"slot\": 1, \"rate_index\": 0, \"data_size\": 1601, \"offset\": 1612}, "
                  "{\"slot\": 4, \"rate_index\": 1, \"data_size\": 320, \"offset\": 3213}, "
                  "{\"slot\": 5, \"rate_index\": 5, \"data_size\": 4410, \"offset\": 3533}, "
                  "{\"slot\": 200, \"rate_index\": 9, \"data_size\": 9600, \"offset\": 7943}]}\n");
    run = RunCli({"info", work});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_TRUE(Contains(run.Out, "Consistent:  yes")) << run.Out;
    EXPECT_TRUE(Contains(run.Out, "200: rate index 9 (48000 Hz 16-bit), 9600 bytes at offset 7943"))
        << run.Out;

    const fs::path out = dir.Path() / "out/nested";
    run = RunCli({"extract", work, "-d", out.string()});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(out))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"slot-001.wav", "slot-004.wav", "slot-005.wav",
                                               "slot-200.wav"}));

    const std::map<int, int> rateIndex{{1, 0}, {4, 1}, {5, 5}, {200, 9}};
    for (const auto& [slot, wave] : slots) {
        char name[32];
        std::snprintf(name, sizeof name, "slot-%03d.wav", slot);
        const std::string path = (out / name).string();
        const WaveInspection inspection = InspectWaveFile(path);
        EXPECT_EQ(inspection.RateIndex, rateIndex.at(slot)) << name;
        EXPECT_EQ(inspection.DataSize, wave.Size) << name;
        const std::string bytes = ReadBytes(path);
        EXPECT_TRUE(bytes.substr(44, wave.Size) ==
                    PatternBytes(wave.Size, static_cast<unsigned>(slot)))
            << name;
        EXPECT_EQ(bytes.size(), 44u + wave.Size + wave.Size % 2) << name; // pad byte after odd data
        EXPECT_EQ(RunCli({"inspect", path}).Exit, 0) << name;
    }
}

TEST(CliFiles, CompileAsksForItsFlags) {
    TempDir dir;
    const std::string small = MakePlayList(dir, "small", {{3, {16000, 16, 100}}});
    const std::string work = dir / "small.wrk";
    WriteBytes(work, "older work file");

    CliRun run = RunCli({"compile", small, "-o", work});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(Contains(run.Err, "--force")) << run.Err;
    EXPECT_EQ(ReadBytes(work), "older work file");
    run = RunCli({"compile", "--force", small, "-o", work});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(ReadBytes(work).size(), 12u + 24u + 100u);

    // Exactly 1,000,000 bytes passes; one byte more needs --allow-large.
    const std::string limit =
        MakePlayList(dir, "limit", {{1, {44100, 16, 600000}}, {2, {8000, 8, 400000}}});
    run = RunCli({"compile", limit, "-o", dir / "limit.wrk"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    const std::string large =
        MakePlayList(dir, "large", {{1, {44100, 16, 600000}}, {2, {8000, 8, 400001}}});
    run = RunCli({"compile", large, "-o", dir / "large.wrk"});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(Contains(run.Err, "1000001")) << run.Err;
    EXPECT_TRUE(Contains(run.Err, "--allow-large")) << run.Err;
    EXPECT_FALSE(fs::exists(dir / "large.wrk"));
    run = RunCli({"compile", large, "-o", dir / "large.wrk", "--allow-large"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(fs::file_size(dir / "large.wrk"), 12u + 16u + 1000001u);
}

TEST(CliFiles, RefusalsAndUsageErrors) {
    TempDir dir;
    const std::string playlist = MakePlayList(dir, "p", {{2, {8000, 8, 10}}, {7, {12000, 16, 24}}});
    WriteBytes(dir / "notes.txt", "text");
    WriteBytes(dir / "bad.wrk", "ORMN" + Le16(11) + Le16(0) + Le32(5));
    WriteBytes(dir / "empty.wrk", "ORMN" + Le16(11) + Le16(0) + Le32(0));
    fs::remove(dir / "wave/s7.wav");

    struct Case {
        std::vector<std::string> args;
        int exit;
        const char* err; // part of the error output
    } cases[] = {
        {{"compile"}, 2, "Usage: orlamo-cli compile"},
        {{"compile", playlist}, 2, "-o OUT.wrk"},
        {{"compile", playlist, "-o"}, 2, "option -o needs a value"},
        {{"compile", playlist, "-o", dir / "x.wrk", "--fast"}, 2, "unknown option '--fast'"},
        {{"compile", playlist, playlist, "-o", dir / "x.wrk"}, 2, "exactly one playlist"},
        {{"compile", dir / "notes.txt", "-o", dir / "x.wrk"}, 1, "File type Error."},
        {{"compile", dir / "none.pla", "-o", dir / "x.wrk"}, 1, "Not Found File"},
        {{"compile", playlist, "-o", dir / "x.wrk"}, 1, "Slot 7 ("},
        {{"list"}, 2, "Usage: orlamo-cli list"},
        {{"list", "--xml", playlist}, 2, "unknown option"},
        {{"list", dir / "notes.txt"}, 1, "File type Error."},
        {{"list", dir / "Station.ARH"}, 1, "File type Error."},
        {{"list", dir / "none.arh"}, 1, "Not Found File"},
        {{"list", dir / "none.pla"}, 1, "Not Found File"},
        {{"info"}, 2, "Usage: orlamo-cli info"},
        {{"info", dir / "none.wrk"}, 1, "Unable to read"},
        {{"extract", dir / "bad.wrk"}, 2, "-d DIR"},
        {{"extract", dir / "bad.wrk", "-d", dir / "out"},
         1,
         "add up to 0 bytes; the header says 5"},
        {{"extract", dir / "none.wrk", "-d", dir / "out"}, 1, "Unable to read"},
        {{"extract", dir / "empty.wrk", "-d", dir / "notes.txt"}, 1, "cannot make the folder"},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const auto& a : c.args)
            line += a + " ";
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.Exit, c.exit) << line << "\n" << run.Err;
        EXPECT_TRUE(Contains(run.Err, c.err)) << line << "\n" << run.Err;
        EXPECT_EQ(run.Out, "") << line;
    }
    EXPECT_FALSE(fs::exists(dir / "x.wrk"));
    EXPECT_FALSE(fs::exists(dir / "out"));

    // An inconsistent work file: info shows the problems and fails.
    const CliRun info = RunCli({"info", "--json", dir / "bad.wrk"});
    EXPECT_EQ(info.Exit, 1);
    EXPECT_TRUE(Contains(info.Out, "\"consistent\": false, \"problems\": [\"The slots' data sizes"))
        << info.Out;

    for (const char* command : {"list", "compile", "info", "extract"}) {
        const CliRun help = RunCli({command, "--help"});
        EXPECT_EQ(help.Exit, 0) << command;
        EXPECT_TRUE(Contains(help.Out, std::string("Usage: orlamo-cli ") + command)) << command;
    }
}

TEST(CliFiles, ExtractTakesBackWhatItWroteWhenOneFileFails) {
    TempDir dir;
    const std::string playlist =
        MakePlayList(dir, "p", {{1, {8000, 8, 10}}, {2, {8000, 8, 20}}, {3, {8000, 8, 30}}});
    ASSERT_EQ(RunCli({"compile", playlist, "-o", dir / "p.wrk"}).Exit, 0);
    // A folder where slot 3's wave should go makes its rename fail.
    fs::create_directories(dir.Path() / "out/slot-003.wav");

    const CliRun run = RunCli({"extract", dir / "p.wrk", "-d", dir / "out"});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(Contains(run.Err, "Unable to write to")) << run.Err;
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.Path() / "out"))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"slot-003.wav"});
}

TEST(CliFiles, ListShowsVoicesWithTheirStatus) {
    TempDir dir;
    WriteBytes(dir / "wave/ok.wav", SimpleWave(16000, 16, 3200));
    WriteBytes(dir / "wave/stereo.wav", SimpleWave(44100, 16, 100, 2));
    const std::string archive =
        "[Version]\r\nVersionInfo=V1.01 Build 02022010 \r\n"
        "[Class]\r\nTotalClass=2\r\nArchiveName=Test \"A\"\r\n"
        "1.Name=Doors\r\n2.Name=Empty\r\n"
        "[~Doors]\r\n"
        "1.FileName=ok.wav\r\n1.Filepath=wave/\r\n1.VoiceName=Ok\r\n1.Descripition=a=b\r\n"
        "2.FileName=gone.wav\r\n2.Filepath=wave/\r\n2.VoiceName=Gone\r\n2.Descripition=\r\n"
        "3.FileName=stereo.wav\r\n3.Filepath=wave/\r\n3.VoiceName=St\r\n3.Descripition=\r\n";
    WriteBytes(dir / "t.arh", archive);
    const std::string folder = (dir.Path() / "wave").string() + "/";

    CliRun run = RunCli({"list", "--json", dir / "t.arh"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "{\"archive\": \"Test \\\"A\\\"\", \"bins\": [{\"name\": \"Doors\", \"voices\": ["
              "{\"file_name\": \"ok.wav\", \"voice_name\": \"Ok\", \"description\": \"a=b\", "
              "\"full_path\": \"" +
                  folder +
                  "ok.wav\", \"data_size\": 3200, \"play_time\": \"0.10\", "
                  "\"format_code\": 1073741824, \"status\": \"ok\"}, "
                  "{\"file_name\": \"gone.wav\", \"voice_name\": \"Gone\", \"description\": \"\", "
                  "\"full_path\": \"" +
                  folder +
                  "gone.wav\", \"data_size\": 0, \"play_time\": \"\", "
                  "\"format_code\": 0, \"status\": \"missing\"}, "
                  "{\"file_name\": \"stereo.wav\", \"voice_name\": \"St\", \"description\": \"\", "
                  "\"full_path\": \"" +
                  folder +
                  "stereo.wav\", \"data_size\": 0, \"play_time\": \"\", "
                  "\"format_code\": 0, \"status\": \"refused\"}]}, "
                  "{\"name\": \"Empty\", \"voices\": []}]}\n");

    run = RunCli({"list", dir / "t.arh"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_TRUE(Contains(run.Out, "Archive: Test \"A\" (2 bins, 3 voices)")) << run.Out;
    EXPECT_TRUE(Contains(run.Out, "refused (Format Error - 44K x 16bit x Stereo)")) << run.Out;

    const std::string playlist =
        MakePlayList(dir, "p", {{9, {8000, 8, 800}}, {12, {11025, 16, 2200}}});
    fs::remove(dir / "wave/s12.wav");
    run = RunCli({"list", "--json", playlist});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_TRUE(Contains(run.Out, "{\"playlist\": \"p\", \"used_slots\": 2, \"total_size\": 800, "
                                  "\"slots\": [{\"slot\": 9, \"file_name\": \"s9.wav\""))
        << run.Out;
    EXPECT_TRUE(Contains(run.Out,
                         "\"play_time\": \"0.10\", \"format_code\": 0, \"status\": \"ok\"}, "
                         "{\"slot\": 12, \"file_name\": \"s12.wav\""))
        << run.Out;
    EXPECT_TRUE(Contains(run.Out, "\"status\": \"missing\"}], \"capacity\": {")) << run.Out;
}

TEST(CliFiles, TheExampleLibraryListsAndCompiles) {
    const std::string examples = ORLAMO_EXAMPLES;
    CliRun run = RunCli({"list", examples + "/station.arh"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_TRUE(Contains(run.Out, "Archive: Station (3 bins, 12 voices)")) << run.Out;
    EXPECT_FALSE(Contains(run.Out, "missing")) << run.Out;
    EXPECT_FALSE(Contains(run.Out, "refused")) << run.Out;

    run = RunCli({"list", "--json", examples + "/station.pla"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_TRUE(Contains(run.Out, "{\"playlist\": \"station\", \"used_slots\": 10,")) << run.Out;
    EXPECT_FALSE(Contains(run.Out, "\"missing\"")) << run.Out;

    TempDir dir;
    run = RunCli({"compile", examples + "/station.pla", "-o", dir / "station.wrk"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    const WorkFileReport report = CheckWorkFile(dir / "station.wrk");
    EXPECT_TRUE(report.Consistent);
    EXPECT_EQ(report.Entries, 245);
    EXPECT_EQ(report.Slots.size(), 10u);
}
