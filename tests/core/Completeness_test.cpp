#include "extras/Completeness.h"
#include "formats/PlayListFile.h"
#include "formats/WorkFile.h"
#include "support/ExtrasFixtures.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orlamo;
using namespace orlamo::test;
namespace fs = std::filesystem;

namespace {

// A wave whose data chunk announces `dataSize` bytes, made as a sparse file of that length.
void WriteSparseWave(const std::string& path, std::uint32_t dataSize) {
    WriteBytes(path, "RIFF" + Le32(36 + dataSize) + "WAVE" + Chunk("fmt ", FmtBody(1, 16000, 16)) +
                         "data" + Le32(dataSize));
    fs::resize_file(path, 44 + std::uint64_t{dataSize});
}

// One slot for each problem the report knows, and the library the voices came from.
struct Troubled {
    TempDir Dir;
    PlayList List{"troubled"};
    Library Archive;

    Troubled() {
        PlaceWave(List, 1, Dir, "ok.wav", 16000, 16, 320);
        PlaceWave(List, 2, Dir, "gone.wav", 16000, 16, 320);
        fs::remove(Dir / "gone.wav");
        PlaceWave(List, 3, Dir, "stereo.wav", 16000, 16, 320);
        WriteBytes(Dir / "stereo.wav", SimpleWave(16000, 16, 640, 2));
        PlaceWave(List, 5, Dir, "grown.wav", 16000, 16, 320);
        WriteBytes(Dir / "grown.wav", SimpleWave(16000, 16, 960));
        PlaceWave(List, 6, Dir, "huge.wav", 16000, 16, 2);
        WriteSparseWave(Dir / "huge.wav", MaxVoiceDataSize + 3);
        List.Slot(6).DataSize = MaxVoiceDataSize + 3; // as measured when it was placed
        PlaceWave(List, 8, Dir, "twice.wav", 16000, 16, 320);
        List.Slot(9) = List.Slot(8);
        List.Slot(9).SlotNumber = 9;
        PlaceWave(List, 10, Dir, "stray.wav", 16000, 16, 320);
        PlaceWave(List, 12, Dir, "moved.wav", 16000, 16, 320);

        // The library holds every voice but slot 10's; slot 12 points at a place that now
        // holds another voice, but the library still has its wave.
        std::vector<WAVE_DPTR> voices;
        for (const int slot : {1, 2, 3, 5, 6, 8, 12})
            voices.push_back(List.Slot(slot));
        Archive.SetArchiveNode("Lib");
        Archive.AddBin("All", voices);
        List.Slot(1).SourceBin = 0;
        List.Slot(1).SourceIndex = 0;
        List.Slot(12).SourceBin = 0;
        List.Slot(12).SourceIndex = 1;
    }
};

struct Expected {
    FindingKind Kind;
    std::vector<int> Slots;
    bool StopsCompile;
};

void ExpectFindings(const CompletenessReport& report, const std::vector<Expected>& expected) {
    ASSERT_EQ(report.Findings.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const CompletenessFinding& finding = report.Findings[i];
        EXPECT_EQ(FindingKindName(finding.Kind), std::string(FindingKindName(expected[i].Kind)))
            << i << ": " << finding.Message;
        EXPECT_EQ(finding.Slots, expected[i].Slots) << finding.Message;
        EXPECT_EQ(finding.StopsCompile, expected[i].StopsCompile) << finding.Message;
    }
}

} // namespace

TEST(Completeness, ReportsOneOfEachProblem) {
    Troubled t;
    const CompletenessReport report = CheckPlayList(t.List, &t.Archive);
    ExpectFindings(report, {{FindingKind::Missing, {2}, true},
                            {FindingKind::Refused, {3}, true},
                            {FindingKind::SizeChanged, {5}, true},
                            {FindingKind::TooLarge, {6}, true},
                            {FindingKind::DuplicatePath, {8, 9}, false},
                            {FindingKind::SourceGone, {10}, false},
                            {FindingKind::Gap, {4}, false},
                            {FindingKind::Gap, {7}, false},
                            {FindingKind::Gap, {11}, false}});
    EXPECT_TRUE(report.StopsCompile());
    const std::string folder = t.Dir.Path().string() + "/";
    EXPECT_EQ(report.Findings[0].Message,
              "Slot 2 (" + folder + "gone.wav): the wave file is missing");
    EXPECT_EQ(report.Findings[1].Message, "Slot 3 (" + folder +
                                              "stereo.wav): the wave file is refused: Format "
                                              "Error - 16K x 16bit x Stereo");
    EXPECT_EQ(report.Findings[2].Message,
              "Slot 5 (" + folder +
                  "grown.wav): the wave file now holds 960 bytes of sound data, the playlist "
                  "records 320; reload the playlist");
    EXPECT_EQ(report.Findings[4].Message,
              "Slots 8 and 9 play the same wave file (" + folder + "twice.wav)");
    EXPECT_EQ(report.Findings[5].Message,
              "Slot 10 (" + folder + "stray.wav): the voice is no longer in the archive");
    EXPECT_EQ(report.Findings[6].Message, "Slot 4 is empty");

    // Each compile-stopper is one the compiler refuses.
    for (const int slot : {2, 3, 5, 6}) {
        PlayList alone("alone");
        alone.Slot(slot) = t.List.Slot(slot);
        const CompileResult compiled = CompileWorkFile(t.Dir / "x.wrk", alone.AllSlots());
        EXPECT_FALSE(compiled.Ok) << slot;
        EXPECT_EQ(compiled.Message, CheckPlayList(alone).Findings.at(0).Message);
    }
}

TEST(Completeness, WithoutLibraryNoVoiceIsGoneAndGapsSpanRuns) {
    PlayList list("gaps");
    EXPECT_TRUE(CheckPlayList(list).Findings.empty());

    TempDir dir;
    for (const int slot : {3, 4, 9, 245})
        PlaceWave(list, slot, dir, "s" + std::to_string(slot) + ".wav", 8000, 8, 80);
    const CompletenessReport report = CheckPlayList(list);
    std::vector<int> longGap;
    for (int slot = 10; slot <= 244; ++slot)
        longGap.push_back(slot);
    ExpectFindings(report,
                   {{FindingKind::Gap, {5, 6, 7, 8}, false}, {FindingKind::Gap, longGap, false}});
    EXPECT_EQ(report.Findings[0].Message, "Slots 5 to 8 are empty");
    EXPECT_EQ(report.Findings[1].Message, "Slots 10 to 244 are empty");
    EXPECT_FALSE(report.StopsCompile());
    // An empty library (no archive open) says nothing about where voices came from.
    const Library none;
    EXPECT_EQ(CheckPlayList(list, &none).Findings.size(), report.Findings.size());
}

TEST(Completeness, CheckCommand) {
    Troubled t;
    const std::string playlist = t.Dir / "troubled.pla";
    ASSERT_TRUE(WritePlayListFile(playlist, t.List.Name, t.List.AllSlots()).Ok);

    // Read from the file every slot is measured now: a grown wave is no finding.
    CliRun run = RunCli({"check", playlist});
    EXPECT_EQ(run.Exit, 1) << run.Err;
    EXPECT_TRUE(Contains(run.Out, "PlayList: troubled (9 used slots)\n")) << run.Out;
    EXPECT_TRUE(Contains(run.Out, "  missing: Slot 2 (")) << run.Out;
    EXPECT_TRUE(Contains(run.Out, "gone.wav): the wave file is missing [stops a compile]\n"))
        << run.Out;
    EXPECT_TRUE(Contains(run.Out, "  too-large: Slot 6 (")) << run.Out;
    EXPECT_FALSE(Contains(run.Out, "size-changed")) << run.Out;
    EXPECT_FALSE(Contains(run.Out, "source-gone")) << run.Out;
    EXPECT_TRUE(Contains(run.Out, "  gap: Slot 11 is empty\n")) << run.Out;
    EXPECT_TRUE(Contains(run.Out, "7 findings, 3 would stop a compile\n")) << run.Out;

    const std::string archive = t.Dir / "lib.arh";
    WriteBytes(archive, "[Version]\r\nVersionInfo=V1.01 Build 02022010 \r\n"
                        "[Class]\r\nTotalClass=1\r\nArchiveName=Lib\r\n1.Name=All\r\n"
                        "[~All]\r\n1.FileName=ok.wav\r\n1.Filepath=./\r\n1.VoiceName=a\r\n"
                        "1.Descripition=\r\n");
    run = RunCli({"check", "--json", playlist, archive});
    EXPECT_EQ(run.Exit, 1) << run.Err;
    EXPECT_EQ(run.Out.rfind("{\"playlist\": \"troubled\", \"used_slots\": 9, \"stops_compile\": "
                            "true, \"findings\": [{\"kind\": \"missing\", \"slots\": [2], ",
                            0),
              0u)
        << run.Out;
    EXPECT_TRUE(Contains(run.Out, "{\"kind\": \"source-gone\", \"slots\": [10], ")) << run.Out;
    EXPECT_FALSE(Contains(run.Out, "\"slots\": [1], ")) << run.Out; // found though "./" differs
    EXPECT_TRUE(Contains(run.Out, "{\"kind\": \"duplicate\", \"slots\": [8, 9], \"message\": "
                                  "\"Slots 8 and 9 play the same wave file ("))
        << run.Out;

    // Nothing that stops a compile: exit 0, even with notes.
    PlayList fine("fine");
    PlaceWave(fine, 1, t.Dir, "f1.wav", 8000, 8, 80);
    PlaceWave(fine, 3, t.Dir, "f3.wav", 8000, 8, 80);
    ASSERT_TRUE(WritePlayListFile(t.Dir / "fine.pla", fine.Name, fine.AllSlots()).Ok);
    run = RunCli({"check", t.Dir / "fine.pla"});
    EXPECT_EQ(run.Exit, 0) << run.Out << run.Err;
    EXPECT_EQ(run.Out, "PlayList: fine (2 used slots)\n  gap: Slot 2 is empty\n"
                       "1 finding, 0 would stop a compile\n");
    fine.Slot(3) = MakeEmptySlot(3);
    ASSERT_TRUE(WritePlayListFile(t.Dir / "fine.pla", fine.Name, fine.AllSlots()).Ok);
    run = RunCli({"check", t.Dir / "fine.pla"});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_EQ(run.Out, "PlayList: fine (1 used slots)\nNothing to report\n");

    EXPECT_EQ(RunCli({"check"}).Exit, 2);
    EXPECT_EQ(RunCli({"check", playlist, archive, archive}).Exit, 2);
    EXPECT_EQ(RunCli({"check", t.Dir / "none.pla"}).Exit, 1);
    EXPECT_EQ(RunCli({"check", playlist, t.Dir / "none.arh"}).Exit, 1);
}
