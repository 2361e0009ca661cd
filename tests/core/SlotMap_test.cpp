#include "extras/SlotMap.h"
#include "formats/PlayListFile.h"
#include "formats/WorkFile.h"
#include "support/ExtrasFixtures.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

using namespace orlamo;
using namespace orlamo::test;
namespace fs = std::filesystem;

namespace {

// Slots 1, 4, 5 and 200 at four rates, odd sizes among them; slots 2 and 3 empty.
PlayList FourVoices(const TempDir& dir) {
    PlayList list("four");
    PlaceWave(list, 1, dir, "wave/one.wav", 8000, 8, 1601, "Door open");
    PlaceWave(list, 4, dir, "wave/four.wav", 8000, 16, 320, "Door, closed");
    PlaceWave(list, 5, dir, "wave/five.wav", 22050, 16, 4410, "Lift \"up\"");
    PlaceWave(list, 200, dir, "wave/last.wav", 48000, 16, 9600, "Last");
    return list;
}

bool HaveCompiler() {
    return std::system("command -v cc >/dev/null 2>&1") == 0;
}

} // namespace

TEST(SlotMap, OffsetsAreTheOnesTheCompiledWorkFileHolds) {
    TempDir dir;
    PlayList list = FourVoices(dir);
    const std::string playlist = dir / "four.pla";
    ASSERT_TRUE(WritePlayListFile(playlist, list.Name, list.AllSlots()).Ok);
    const std::string work = dir / "four.wrk";
    const CliRun compiled = RunCli({"compile", playlist, "-o", work});
    ASSERT_EQ(compiled.Exit, 0) << compiled.Err;
    const WorkFileReport report = CheckWorkFile(work);
    ASSERT_TRUE(report.Consistent);

    const SlotMap map = MakeSlotMap(list);
    EXPECT_EQ(map.EntryCount, report.Entries);
    EXPECT_EQ(map.TotalSize, report.TotalSize);
    ASSERT_EQ(map.Entries.size(), report.Slots.size());
    for (std::size_t i = 0; i < map.Entries.size(); ++i) {
        EXPECT_EQ(map.Entries[i].Slot, report.Slots[i].Slot);
        EXPECT_EQ(map.Entries[i].Offset, report.Slots[i].Offset) << map.Entries[i].Slot;
        EXPECT_EQ(map.Entries[i].DataSize, report.Slots[i].DataSize);
        EXPECT_EQ(map.Entries[i].RateIndex, report.Slots[i].RateIndex);
    }

    // The command reads the playlist file and gives the same map, quoted as CSV wants it.
    const CliRun run = RunCli({"slotmap", playlist});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out, "slot,voice_name,file_name,bin,rate,bits,play_time,data_size,offset\r\n"
                       "1,Door open,one.wav,,8000,8,0.20,1601,1612\r\n"
                       "4,\"Door, closed\",four.wav,,8000,16,0.02,320,3213\r\n"
                       "5,\"Lift \"\"up\"\"\",five.wav,,22050,16,0.10,4410,3533\r\n"
                       "200,Last,last.wav,,48000,16,0.10,9600,7943\r\n");
}

TEST(SlotMap, CsvQuotesOnlyWhatNeedsIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"line\nbreak", "\"line\nbreak\""},
        {"carriage\rreturn", "\"carriage\rreturn\""},
        {"\"", "\"\"\"\""},
        {" leading and trailing ", " leading and trailing "},
    };
    for (const auto& [text, field] : cases)
        EXPECT_EQ(CsvField(text), field) << text;
}

TEST(SlotMap, BinsComeFromTheLibrary) {
    PlayList list("bins");
    list.Slot(1) = MeasuredSlot(1, 100, 4, "From its bin", "a.wav");
    list.Slot(2) = MeasuredSlot(2, 100, 4, "Moved", "b.wav");
    list.Slot(3) = MeasuredSlot(3, 100, 4, "Gone", "c.wav");
    list.Slot(1).SourceBin = 1;
    list.Slot(1).SourceIndex = 0;
    list.Slot(2).SourceBin = 0; // stale: the voice at that place is another one now
    list.Slot(2).SourceIndex = 0;

    Library library;
    library.SetArchiveNode("Lib");
    library.AddBin("First",
                   {MeasuredSlot(0, 100, 4, "", "x.wav"), MeasuredSlot(0, 100, 4, "", "a.wav")});
    library.AddBin("Second", {MeasuredSlot(0, 100, 4, "", "a.wav")});
    library.AddBin("Third", {MeasuredSlot(0, 100, 4, "", "b.wav")});

    const SlotMap map = MakeSlotMap(list, &library);
    ASSERT_EQ(map.Entries.size(), 3u);
    EXPECT_EQ(map.Entries[0].Bin, "Second"); // its own place, though "First" holds the path too
    EXPECT_EQ(map.Entries[1].Bin, "Third");  // found by its full path
    EXPECT_EQ(map.Entries[2].Bin, "");
    EXPECT_EQ(MakeSlotMap(list).Entries[0].Bin, "");
}

TEST(SlotMap, CommandNamesBinsFromAnArchiveAndWritesFiles) {
    TempDir dir;
    PlayList list = FourVoices(dir);
    ASSERT_TRUE(WritePlayListFile(dir / "four.pla", list.Name, list.AllSlots()).Ok);
    WriteBytes(dir / "lib.arh",
               "[Version]\r\nVersionInfo=V1.01 Build 02022010 \r\n"
               "[Class]\r\nTotalClass=2\r\nArchiveName=Lib\r\n1.Name=Doors\r\n2.Name=Rest\r\n"
               "[~Doors]\r\n1.FileName=four.wav\r\n1.Filepath=wave/\r\n1.VoiceName=x\r\n"
               "1.Descripition=\r\n"
               "[~Rest]\r\n1.FileName=last.wav\r\n1.Filepath=wave/\r\n1.VoiceName=y\r\n"
               "1.Descripition=\r\n");

    const std::string out = dir / "map.csv";
    CliRun run = RunCli({"slotmap", dir / "four.pla", "--archive", dir / "lib.arh", "-o", out});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "Wrote " + out + ": 4 voices\n");
    const std::string csv = ReadBytes(out);
    EXPECT_TRUE(Contains(csv, "\r\n1,Door open,one.wav,,8000,8,")) << csv;
    EXPECT_TRUE(Contains(csv, "\r\n4,\"Door, closed\",four.wav,Doors,8000,16,")) << csv;
    EXPECT_TRUE(Contains(csv, "\r\n200,Last,last.wav,Rest,48000,16,")) << csv;

    // An existing file is kept unless --force is given.
    run = RunCli({"slotmap", dir / "four.pla", "--format", "h", "-o", out});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(Contains(run.Err, "--force")) << run.Err;
    EXPECT_EQ(ReadBytes(out), csv);
    run = RunCli({"slotmap", dir / "four.pla", "--format", "h", "-o", out, "--force"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_TRUE(Contains(ReadBytes(out), "#define VOICE_DOOR_OPEN ")) << ReadBytes(out);

    // A missing wave is listed without measurements, and said so.
    fs::remove(dir / "wave/five.wav");
    run = RunCli({"slotmap", dir / "four.pla"});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_TRUE(Contains(run.Out, "\r\n5,\"Lift \"\"up\"\"\",five.wav,,,,,0,3533\r\n")) << run.Out;
    EXPECT_TRUE(Contains(run.Err, "slot 5 (")) << run.Err;

    const struct {
        std::vector<std::string> Args;
        int Exit;
        const char* Err;
    } refusals[] = {
        {{"slotmap"}, 2, "exactly one playlist"},
        {{"slotmap", dir / "four.pla", "--format", "json"}, 2, "--format takes csv or h"},
        {{"slotmap", dir / "four.pla", "--prefix", "1X"}, 2, "--prefix must start with a letter"},
        {{"slotmap", dir / "four.pla", "--prefix", "A-B"}, 2, "--prefix must start"},
        {{"slotmap", dir / "none.pla"}, 1, "Not Found File"},
        {{"slotmap", dir / "map.csv"}, 1, "File type Error."},
        {{"slotmap", dir / "four.pla", "--archive", dir / "none.arh"}, 1, "Not Found File"},
        {{"slotmap", dir / "four.pla", "-o", dir / "no/such/folder/map.csv"}, 1, "Unable to write"},
    };
    for (const auto& c : refusals) {
        const CliRun refused = RunCli(c.Args);
        EXPECT_EQ(refused.Exit, c.Exit) << c.Args.back();
        EXPECT_TRUE(Contains(refused.Err, c.Err)) << refused.Err;
        EXPECT_EQ(refused.Out, "") << c.Args.back();
    }
}

TEST(SlotMap, MacroNamesAreUniqueIdentifiers) {
    PlayList list("Lift #2");
    const char* names[] = {"Door open",
                           "Door open",
                           "door-open",
                           "1st floor",
                           "Count",
                           "\xC3\x9C"
                           "ber */ alles",
                           "",
                           "___",
                           "Door open_2"};
    int slot = 0;
    for (const char* name : names) {
        ++slot;
        list.Slot(slot) = MeasuredSlot(slot, 10, 1, name);
    }
    const SlotMap map = MakeSlotMap(list);

    EXPECT_EQ(SlotMacroNames(map, "VOICE_", {"VOICE_COUNT"}),
              (std::vector<std::string>{"VOICE_DOOR_OPEN", "VOICE_DOOR_OPEN_2", "VOICE_DOOR_OPEN_3",
                                        "VOICE_1ST_FLOOR", "VOICE_COUNT_2", "VOICE___BER____ALLES",
                                        "VOICE_SLOT_7", "VOICE_SLOT_8", "VOICE_DOOR_OPEN_2_2"}));
    // Without a prefix a name still starts with a letter.
    const std::vector<std::string> bare = SlotMacroNames(map, "");
    EXPECT_EQ(bare[0], "DOOR_OPEN");
    EXPECT_EQ(bare[3], "VOICE_1ST_FLOOR");
    EXPECT_EQ(bare[6], "SLOT_7");

    for (const char* prefix : {"VOICE_", "V", "snd_2_"})
        EXPECT_TRUE(IsMacroPrefix(prefix)) << prefix;
    for (const char* prefix : {"", "_V", "2V", "V-", "V "})
        EXPECT_FALSE(IsMacroPrefix(prefix)) << prefix;
}

TEST(SlotMap, TheHeaderCompiles) {
    if (!HaveCompiler())
        GTEST_SKIP() << "no C compiler (cc) on this system";
    PlayList list("Lift #2 */");
    const char* names[] = {"Door open",
                           "Door open",
                           "1st floor",
                           "Count",
                           "\xC3\x9C"
                           "ber */ x",
                           "",
                           "a\\",
                           "tab\there"};
    int slot = 3;
    for (const char* name : names) {
        list.Slot(slot) =
            MeasuredSlot(slot, 10, 1, name, std::string("f*/") + std::to_string(slot));
        slot += 2;
    }
    TempDir dir;
    const std::string header = dir / "voices.h";
    ASSERT_EQ(ExportSlotMap(header, MakeSlotMap(list), SlotMapFormat::CHeader), "");

    // Every name holds its slot, the count is right, and the guard lets the header be included
    // twice; a name defined twice with two values would fail under -Werror.
    std::vector<std::string> macros;
    std::istringstream lines(ReadBytes(header));
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("#define VOICE_", 0) == 0 && line.find(" /* ") != std::string::npos)
            macros.push_back(line.substr(8, line.find(' ', 8) - 8));
    ASSERT_EQ(macros.size(), 9u) << ReadBytes(header);
    EXPECT_EQ(std::set<std::string>(macros.begin(), macros.end()).size(), macros.size());
    EXPECT_EQ(macros.back(), "VOICE_COUNT");
    std::string check = "#include \"voices.h\"\n#include \"voices.h\"\n";
    slot = 3;
    for (std::size_t i = 0; i + 1 < macros.size(); ++i, slot += 2)
        check += "_Static_assert(" + macros[i] + " == " + std::to_string(slot) + ", \"" +
                 macros[i] + "\");\n";
    WriteBytes(dir / "check.c", check);
    const std::string command = "cd '" + dir.Path().string() +
                                "' && cc -std=c11 -Wall -Wextra -Werror -pedantic -fsyntax-only "
                                "check.c 2>compile.log";
    EXPECT_EQ(std::system(command.c_str()), 0) << ReadBytes(dir / "compile.log") << "\n"
                                               << ReadBytes(header);
}
