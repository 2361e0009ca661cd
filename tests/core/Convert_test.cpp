#include "convert/WaveConvert.h"
#include "formats/WaveInspector.h"
#include "support/ExtrasFixtures.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

using namespace orlamo;
using namespace orlamo::test;
namespace fs = std::filesystem;

namespace {

bool HaveSox() {
    return std::system("command -v sox >/dev/null 2>&1") == 0;
}

double PlaySeconds(const WaveInspection& inspection) {
    return std::stod(inspection.PlayTime);
}

} // namespace

TEST(Convert, ProposalRule) {
    const struct {
        std::uint32_t Rate;
        int Bits;
        int Index;
    } cases[] = {
        {96000, 16, 9}, {48000, 24, 9}, {47999, 16, 8}, {44100, 24, 8}, {32000, 32, 7},
        {12000, 16, 3}, {11025, 8, 2},  {8000, 8, 0},   {8000, 16, 1},  {8000, 0, 1},
        {6000, 8, 0},   {6000, 16, 1},  {1, 8, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProposedRateIndex(c.Rate, c.Bits), c.Index) << c.Rate << " " << c.Bits;

    EXPECT_EQ(RateIndexFor(8000, 8), 0);
    EXPECT_EQ(RateIndexFor(8000, 16), 1);
    EXPECT_EQ(RateIndexFor(44100, 16), 8);
    EXPECT_EQ(RateIndexFor(11025, 8), -1);
    EXPECT_EQ(RateIndexFor(44100, 24), -1);
    EXPECT_EQ(RateIndexFor(96000, 16), -1);
}

// Files as sox writes them: each converted wave is accepted at the proposed rate index and
// lasts as long as its original.
TEST(Convert, SoxFilesBecomeAcceptedWaves) {
    if (!HaveSox())
        GTEST_SKIP() << "sox is not installed";
    TempDir dir;
    const struct {
        const char* Name;
        const char* Format; // sox options of the original
        double Seconds;
        int Index;
        std::uint32_t Rate;
        int Channels;
        int Bits;
    } cases[] = {
        {"stereo44k24", "-r 44100 -b 24 -c 2", 1.37, 8, 44100, 2, 24},
        {"mono11k8", "-r 11025 -b 8 -c 1", 2.03, 2, 11025, 1, 8},
        {"mono96k", "-r 96000 -b 16 -c 1", 0.731, 9, 96000, 1, 16},
        {"stereo7k8", "-r 7000 -b 8 -c 2", 1.1, 0, 7000, 2, 8},
    };
    for (const auto& c : cases) {
        const std::string in = dir / (std::string(c.Name) + ".wav");
        const std::string out = dir / (std::string(c.Name) + "-out.wav");
        const std::string command = "sox -n " + std::string(c.Format) + " '" + in + "' synth " +
                                    std::to_string(c.Seconds) + " sine 440 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const std::string original = ReadBytes(in);
        EXPECT_FALSE(InspectWaveFile(in).Accepted()) << c.Name;

        const ConversionTarget target = ProposedTarget(in);
        ASSERT_TRUE(target.Ok) << target.Message;
        EXPECT_EQ(target.RateIndex, c.Index) << c.Name;
        EXPECT_EQ(target.SourceRate, c.Rate) << c.Name;
        EXPECT_EQ(target.SourceChannels, c.Channels) << c.Name;
        EXPECT_EQ(target.SourceBits, c.Bits) << c.Name;

        const ConversionResult result = ConvertWave(in, out, target.RateIndex);
        ASSERT_TRUE(result.Ok) << result.Message;
        const WaveInspection inspection = InspectWaveFile(out);
        ASSERT_TRUE(inspection.Accepted()) << c.Name << ": " << inspection.Message;
        EXPECT_EQ(inspection.RateIndex, c.Index) << c.Name;
        EXPECT_EQ(inspection.DataSize, result.DataSize) << c.Name;
        EXPECT_NEAR(PlaySeconds(inspection), c.Seconds, 0.02) << c.Name;
        EXPECT_EQ(ReadBytes(in), original) << c.Name;
    }
}

TEST(Convert, SamplesInTheModulesFormatComeOutUnchanged) {
    TempDir dir;
    for (const auto& [rate, bits] : {std::pair{8000, 8}, {8000, 16}, {16000, 16}}) {
        const std::string in = dir / "in.wav";
        const std::string out = dir / "out.wav";
        const std::string wave = SimpleWave(rate, static_cast<std::uint16_t>(bits), 4000);
        WriteBytes(in, wave);
        const int index = RateIndexFor(rate, bits);
        const ConversionResult result = ConvertWave(in, out, index);
        ASSERT_TRUE(result.Ok) << result.Message;
        EXPECT_EQ(ReadBytes(out), wave) << rate << " " << bits; // the canonical header too
    }
}

TEST(Convert, ChannelsAreMixedDown) {
    TempDir dir;
    // Left and right as 16-bit samples: (1000, 3000), (-2000, 2000), (32767, 32767).
    std::string frames;
    for (const auto& [left, right] : {std::pair{1000, 3000}, {-2000, 2000}, {32767, 32767}})
        frames += Le16(static_cast<std::uint16_t>(left)) + Le16(static_cast<std::uint16_t>(right));
    WriteBytes(dir / "in.wav", Riff(Chunk("fmt ", FmtBody(2, 16000, 16)) + Chunk("data", frames)));
    const ConversionResult result = ConvertWave(dir / "in.wav", dir / "out.wav", 4);
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(result.FramesWritten, 3);
    EXPECT_EQ(ReadBytes(dir / "out.wav").substr(44), Le16(2000) + Le16(0) + Le16(32767));
}

TEST(Convert, RefusalsLeaveEveryFileAsItWas) {
    TempDir dir;
    const std::string in = dir / "in.wav";
    WriteBytes(in, SimpleWave(44100, 16, 882, 2));
    WriteBytes(dir / "old.wav", "older file");
    WriteBytes(dir / "text.wav", "not a sound");

    const struct {
        std::string In;
        std::string Out;
        int Index;
        std::string Message;
    } cases[] = {
        {in, in, 8, in + ": the converted wave would replace the original; choose another file"},
        {in, dir / "./in.wav", 8, ": the converted wave would replace the original"},
        {in, dir / "old.wav", 10, "Rate index 10 does not exist; the indexes run from 0 to 9"},
        {in, dir / "old.wav", -1, "Rate index -1 does not exist"},
        {dir / "none.wav", dir / "old.wav", 8, dir / "none.wav" + ": no such file"},
        {dir / "text.wav", dir / "old.wav", 8, dir / "text.wav" + ": not a sound file"},
        {in, dir / "no/folder/out.wav", 8, "Unable to write to " + dir / "no/folder/out.wav"},
    };
    for (const auto& c : cases) {
        const ConversionResult result = ConvertWave(c.In, c.Out, c.Index);
        EXPECT_FALSE(result.Ok) << c.Message;
        EXPECT_TRUE(Contains(result.Message, c.Message)) << result.Message;
    }
    EXPECT_EQ(ReadBytes(in), SimpleWave(44100, 16, 882, 2));
    EXPECT_EQ(ReadBytes(dir / "old.wav"), "older file");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"in.wav", "old.wav", "text.wav"}));
}

TEST(Convert, ConvertCommand) {
    TempDir dir;
    const std::string in = dir / "in.wav";
    WriteBytes(in, SimpleWave(44100, 16, 88200, 2)); // half a second of stereo

    CliRun run = RunCli({"convert", in, "-o", dir / "out.wav"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "Converted " + in + " (44100 Hz 16-bit stereo) to " + dir / "out.wav" +
                           ": 44100 Hz 16-bit mono, rate index 8, 44100 bytes, 0.50 s\n");

    run = RunCli({"convert", in, "-o", dir / "out.wav", "--rate", "8000", "--bits", "8"});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(Contains(run.Err, "exists; add --force")) << run.Err;
    run =
        RunCli({"convert", in, "-o", dir / "out.wav", "--rate", "8000", "--bits", "8", "--force"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(InspectWaveFile(dir / "out.wav").RateIndex, 0);
    run = RunCli({"convert", in, "-o", dir / "out16.wav", "--rate", "8000"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(InspectWaveFile(dir / "out16.wav").RateIndex, 1);

    const struct {
        std::vector<std::string> Args;
        int Exit;
        const char* Err;
    } refusals[] = {
        {{"convert", in}, 2, "-o OUT.wav"},
        {{"convert", "-o", dir / "x.wav"}, 2, "exactly one sound file"},
        {{"convert", in, "-o", dir / "x.wav", "--rate", "96000"}, 2, "--rate takes one of"},
        {{"convert", in, "-o", dir / "x.wav", "--rate", "8k"}, 2, "--rate takes one of"},
        {{"convert", in, "-o", dir / "x.wav", "--bits", "24"}, 2, "--bits takes 8 or 16"},
        {{"convert", in, "-o", dir / "x.wav", "--rate", "11025", "--bits", "8"},
         2,
         "8-bit samples at 8000 Hz only, not at 11025 Hz"},
        {{"convert", in, "-o", dir / "x.wav", "--bits", "8"}, 1, "add --rate 8000"},
        {{"convert", dir / "none.wav", "-o", dir / "x.wav"}, 1, "no such file"},
        {{"convert", in, "-o", in, "--force"}, 1, "would replace the original"},
    };
    for (const auto& c : refusals) {
        const CliRun refused = RunCli(c.Args);
        EXPECT_EQ(refused.Exit, c.Exit) << c.Err;
        EXPECT_TRUE(Contains(refused.Err, c.Err)) << refused.Err;
        EXPECT_EQ(refused.Out, "");
    }
    EXPECT_FALSE(fs::exists(dir / "x.wav"));
    EXPECT_EQ(RunCli({"convert", "--help"}).Exit, 0);
}
