#include "formats/WaveInspector.h"
#include "formats/WorkFile.h"
#include "model/PlayList.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orlamo;
using namespace orlamo::test;
namespace fs = std::filesystem;

namespace {

// A wave written into the folder and placed into slot `number` as the playlist would hold it.
void PlaceWave(PlayList& list, const TempDir& dir, int number, std::uint32_t rate,
               std::uint16_t bits, std::uint32_t dataSize, unsigned seed = 0) {
    const std::string name = "voice" + std::to_string(number) + ".wav";
    WriteBytes(dir / name, SimpleWave(rate, bits, dataSize, 1, seed));
    const WaveInspection inspection = InspectWaveFile(dir / name);
    ASSERT_TRUE(inspection.Accepted()) << inspection.Message;
    WAVE_DPTR& slot = list.Slot(number);
    slot.FileName = name;
    slot.FullPath = dir / name;
    slot.VoiceName = "Voice " + std::to_string(number);
    slot.DataSize = inspection.DataSize;
    slot.PlayTime = inspection.PlayTime;
    slot.FormatCode = WaveFormatCode(inspection.RateIndex);
    slot.SlotNumber = number;
}

// A sparse wave whose data chunk holds `dataSize` bytes (no disk space is used for them).
void WriteSparseWave(const std::string& path, std::uint32_t dataSize) {
    const std::string wave = SimpleWave(16000, 16, 0);
    std::string header = wave.substr(0, wave.size() - 4) + Le32(dataSize);
    WriteBytes(path, header);
    fs::resize_file(path, header.size() + dataSize);
}

std::string Hex(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 0xF];
        text += ' ';
    }
    return text;
}

std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

WorkFileReport CheckString(const std::string& bytes) {
    return CheckWorkFileBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

} // namespace

TEST(WorkFileCompile, WorkedExampleByteForByte) {
    TempDir dir;
    PlayList list("Door");
    PlaceWave(list, dir, 1, 8000, 8, 16000, 1);
    PlaceWave(list, dir, 3, 16000, 16, 64000, 3);
    const std::string out = dir / "door.wrk";

    const CompileResult result = CompileWorkFile(out, list.AllSlots());
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(result.EntryCount, 3);
    EXPECT_EQ(result.UsedSlots, 2);
    EXPECT_EQ(result.TotalSize, 80000u);
    EXPECT_EQ(result.FileSize, 80036u);

    const std::string head = "4F 52 4D 4E 0B 00 03 00 80 38 01 00 "
                             "80 3E 00 00 24 00 00 00 "
                             "00 00 00 00 00 00 00 00 "
                             "00 FA 00 40 A4 3E 00 00 ";
    const std::string bytes = ReadBytes(out);
    ASSERT_EQ(bytes.size(), 36u + 80000u);
    EXPECT_EQ(Hex(bytes.substr(0, 36)), head);
    EXPECT_TRUE(bytes.substr(36, 16000) == PatternBytes(16000, 1));
    EXPECT_TRUE(bytes.substr(16036) == PatternBytes(64000, 3));

    // Slots 1 to N take the running offset, the empty slot 2 too; the others are left alone.
    EXPECT_EQ(list.Slot(1).DataOffset, 36u);
    EXPECT_EQ(list.Slot(2).DataOffset, 16036u);
    EXPECT_EQ(list.Slot(3).DataOffset, 16036u);
    EXPECT_EQ(list.Slot(4).DataOffset, 0u);
}

TEST(WorkFileCompile, EmptyPlayListGivesTheBareHeader) {
    TempDir dir;
    PlayList list("Empty");
    const CompileResult result = CompileWorkFile(dir / "empty.wrk", list.AllSlots());
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(result.EntryCount, 0);
    EXPECT_EQ(Hex(ReadBytes(dir / "empty.wrk")), "4F 52 4D 4E 0B 00 00 00 00 00 00 00 ");
}

TEST(WorkFileCompile, OnlyTheLastSlotGivesAFullTable) {
    TempDir dir;
    PlayList list("Last");
    PlaceWave(list, dir, 245, 44100, 16, 882);
    const CompileResult result = CompileWorkFile(dir / "last.wrk", list.AllSlots());
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(result.EntryCount, 245);

    const std::string bytes = ReadBytes(dir / "last.wrk");
    ASSERT_EQ(bytes.size(), 1972u + 882u);
    EXPECT_EQ(Hex(bytes.substr(4, 8)), "0B 00 F5 00 72 03 00 00 ");
    EXPECT_EQ(bytes.substr(12, 8 * 244), std::string(8 * 244, '\0'));
    // 882 + 0x80000000, offset 1972.
    EXPECT_EQ(Hex(bytes.substr(1964, 8)), "72 03 00 80 B4 07 00 00 ");
    EXPECT_TRUE(bytes.substr(1972) == PatternBytes(882));
}

TEST(WorkFileCompile, FirstEntryWordCarriesSizeAndRateIndex) {
    struct Case {
        std::uint32_t rate;
        std::uint16_t bits;
        std::uint32_t word;
    } cases[] = {
        {8000, 8, 1001}, // index 0: the bare size
        {8000, 16, 0x10000000 + 1001},
        {11025, 16, 0x20000000 + 1001},
        {12000, 16, 0x30000000 + 1001},
        {16000, 16, 0x40000000 + 1001},
        {22050, 16, 0x50000000 + 1001},
        {24000, 16, 0x60000000 + 1001},
        {32000, 16, 0x70000000 + 1001},
        {44100, 16, 0x80000000 + 1001},
        {48000, 16, 0x90000000 + 1001},
    };
    for (const auto& c : cases) {
        TempDir dir;
        PlayList list;
        PlaceWave(list, dir, 1, c.rate, c.bits, 1001);
        ASSERT_TRUE(CompileWorkFile(dir / "one.wrk", list.AllSlots()).Ok);
        const std::string bytes = ReadBytes(dir / "one.wrk");
        EXPECT_EQ(Hex(bytes.substr(12, 4)), Hex(Le32(c.word)))
            << c.rate << " Hz " << c.bits << " bit";
    }
}

TEST(WorkFileCompile, ReplacesALongerOldFileWhole) {
    TempDir dir;
    const std::string out = dir / "old.wrk";
    WriteBytes(out, std::string(100000, 'x'));
    PlayList list;
    PlaceWave(list, dir, 2, 8000, 8, 10);
    ASSERT_TRUE(CompileWorkFile(out, list.AllSlots()).Ok);
    EXPECT_EQ(ReadBytes(out).size(), 12u + 16u + 10u);
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"old.wrk", "voice2.wav"}));
}

TEST(WorkFileCompile, SlotsThatDisagreeWithTheirWavesStopTheCompile) {
    struct Case {
        const char* name;
        void (*spoil)(PlayList& list, const TempDir& dir);
        const char* expected;
    } cases[] = {
        {"missing", [](PlayList&, const TempDir& dir) { fs::remove(dir / "voice3.wav"); },
         "the wave file is missing"},
        {"refused",
         [](PlayList&, const TempDir& dir) {
             WriteBytes(dir / "voice3.wav", SimpleWave(44100, 16, 64, 2));
         },
         "Format Error - 44K x 16bit x Stereo"},
        {"not a wave",
         [](PlayList&, const TempDir& dir) { WriteBytes(dir / "voice3.wav", "ID3 tag..."); },
         "E:02 - Illegal file format"},
        {"grown",
         [](PlayList&, const TempDir& dir) {
             WriteBytes(dir / "voice3.wav", SimpleWave(16000, 16, 66));
         },
         "now holds 66 bytes of sound data, the playlist records 64"},
        {"no path", [](PlayList& list, const TempDir&) { list.Slot(3).FullPath.clear(); },
         "the wave file is missing"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        PlayList list;
        PlaceWave(list, dir, 1, 8000, 8, 32);
        PlaceWave(list, dir, 3, 16000, 16, 64);
        const std::string out = dir / "kept.wrk";
        WriteBytes(out, "previous contents");
        c.spoil(list, dir);

        const CompileResult result = CompileWorkFile(out, list.AllSlots());
        EXPECT_FALSE(result.Ok) << c.name;
        EXPECT_NE(result.Message.find("Slot 3 ("), std::string::npos)
            << c.name << ": " << result.Message;
        EXPECT_NE(result.Message.find("voice3.wav"), std::string::npos)
            << c.name << ": " << result.Message;
        EXPECT_NE(result.Message.find(c.expected), std::string::npos)
            << c.name << ": " << result.Message;
        EXPECT_EQ(ReadBytes(out), "previous contents") << c.name;
        EXPECT_EQ(list.Slot(1).DataOffset, 0u) << c.name;
        for (const auto& file : FilesIn(dir.Path()))
            EXPECT_EQ(file.find(".tmp"), std::string::npos) << c.name << ": " << file;
    }
}

TEST(WorkFileCompile, TableIsLaidOutFromTheFreshFormat) {
    // Same size, other rate: the table carries the rate the file holds now.
    TempDir dir;
    PlayList list;
    PlaceWave(list, dir, 1, 16000, 16, 100);
    WriteBytes(dir / "voice1.wav", SimpleWave(22050, 16, 100));
    ASSERT_TRUE(CompileWorkFile(dir / "fresh.wrk", list.AllSlots()).Ok);
    EXPECT_EQ(Hex(ReadBytes(dir / "fresh.wrk").substr(12, 4)), Hex(Le32(0x50000000 + 100)));
}

TEST(WorkFileCompile, RefusesSizesTheFormatCannotCarry) {
    TempDir dir;
    const std::string huge = dir / "huge.wav";
    const std::string large = dir / "large.wav";
    WriteSparseWave(huge, 1u << 28);
    WriteSparseWave(large, (1u << 28) - 1);

    auto slotFor = [](const std::string& path, std::uint32_t size, int number) {
        WAVE_DPTR slot = MakeEmptySlot(number);
        slot.FileName = fs::path(path).filename().string();
        slot.FullPath = path;
        slot.DataSize = size;
        slot.FormatCode = 0x40000000;
        return slot;
    };

    PlayList one;
    one.Slot(1) = slotFor(huge, 1u << 28, 1);
    CompileResult result = CompileWorkFile(dir / "huge.wrk", one.AllSlots());
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("Slot 1 ("), std::string::npos) << result.Message;
    EXPECT_NE(result.Message.find("268435456 bytes"), std::string::npos) << result.Message;

    // Nine voices just under the limit each add up past 2^31 - 1.
    PlayList nine;
    for (int n = 1; n <= 9; ++n)
        nine.Slot(n) = slotFor(large, (1u << 28) - 1, n);
    result = CompileWorkFile(dir / "nine.wrk", nine.AllSlots());
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("2415919095 bytes"), std::string::npos) << result.Message;
    EXPECT_NE(result.Message.find("2147483647"), std::string::npos) << result.Message;
    EXPECT_FALSE(fs::exists(dir / "huge.wrk"));
    EXPECT_FALSE(fs::exists(dir / "nine.wrk"));
}

TEST(WorkFileCompile, FailedWriteLeavesNothingBehind) {
    TempDir dir;
    PlayList list;
    PlaceWave(list, dir, 1, 8000, 8, 10);

    const std::string nowhere = dir / "no-such-folder/out.wrk";
    CompileResult result = CompileWorkFile(nowhere, list.AllSlots());
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, "Unable to write to " + nowhere);

    // A folder in the way: the rename fails, the folder stays, the temporary file goes.
    const std::string folder = dir / "taken.wrk";
    fs::create_directory(folder);
    WriteBytes(dir / "taken.wrk/inside", "keep");
    result = CompileWorkFile(folder, list.AllSlots());
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, "Unable to write to " + folder);
    EXPECT_EQ(ReadBytes(dir / "taken.wrk/inside"), "keep");
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"taken.wrk", "voice1.wav"}));
    EXPECT_EQ(list.Slot(1).DataOffset, 0u);
}

TEST(WorkFileCompile, RefusesToReplaceOneOfItsOwnWaves) {
    TempDir dir;
    PlayList list;
    PlaceWave(list, dir, 1, 8000, 8, 10);
    const std::string wave = ReadBytes(dir / "voice1.wav");
    const CompileResult result = CompileWorkFile(dir / "voice1.wav", list.AllSlots());
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("would replace"), std::string::npos) << result.Message;
    EXPECT_EQ(ReadBytes(dir / "voice1.wav"), wave);
}

TEST(WorkFileCheck, CompiledFilesAreConsistent) {
    TempDir dir;
    PlayList list;
    PlaceWave(list, dir, 2, 8000, 16, 7);
    PlaceWave(list, dir, 5, 8000, 8, 0);
    PlaceWave(list, dir, 9, 48000, 16, 960);
    ASSERT_TRUE(CompileWorkFile(dir / "c.wrk", list.AllSlots()).Ok);

    const WorkFileReport report = CheckWorkFile(dir / "c.wrk");
    EXPECT_TRUE(report.Readable);
    EXPECT_TRUE(report.Consistent);
    EXPECT_TRUE(report.Problems.empty()) << report.Problems.front();
    EXPECT_EQ(report.Magic, "ORMN");
    EXPECT_EQ(report.Constant, 11);
    EXPECT_EQ(report.Entries, 9);
    EXPECT_EQ(report.TotalSize, 967u);
    EXPECT_EQ(report.FileSize, 12u + 72u + 967u);
    ASSERT_EQ(report.Slots.size(), 3u);
    EXPECT_EQ(report.Slots[0].Slot, 2);
    EXPECT_EQ(report.Slots[0].RateIndex, 1);
    EXPECT_EQ(report.Slots[0].DataSize, 7u);
    EXPECT_EQ(report.Slots[0].Offset, 84u);
    // A zero-byte voice at 8 kHz 8-bit has a zero first word, yet it is occupied: its offset is not
    // 0.
    EXPECT_EQ(report.Slots[1].Slot, 5);
    EXPECT_EQ(report.Slots[1].RateIndex, 0);
    EXPECT_EQ(report.Slots[1].DataSize, 0u);
    EXPECT_EQ(report.Slots[1].Offset, 91u);
    EXPECT_EQ(report.Slots[2].Slot, 9);
    EXPECT_EQ(report.Slots[2].RateIndex, 9);
    EXPECT_EQ(report.Slots[2].Offset, 91u);
}

TEST(WorkFileCheck, FindsEveryKindOfDisagreement) {
    // A good file: two slots, 3 and 5 bytes, at 28 and 31.
    const std::string good = "ORMN" + Le16(11) + Le16(2) + Le32(8) + Le32(3) + Le32(28) +
                             Le32(0x40000000 + 5) + Le32(31) + "abc" + "defgh";
    ASSERT_TRUE(CheckString(good).Consistent);

    struct Case {
        const char* name;
        std::string bytes;
        const char* expected;
    } cases[] = {
        {"short", "ORMN" + Le16(11), "fewer than the 12 bytes"},
        {"magic", "ORMX" + good.substr(4), "magic is \"ORMX\""},
        {"binary magic", std::string("\x01RMN", 4) + good.substr(4), "magic is \"\\x01RMN\""},
        {"constant", "ORMN" + Le16(10) + good.substr(6), "constant is 10"},
        {"table past end", "ORMN" + Le16(11) + Le16(3) + Le32(0), "ends at byte 36, past the end"},
        {"total", good.substr(0, 8) + Le32(9) + good.substr(12),
         "add up to 8 bytes; the header says 9"},
        {"gap", good.substr(0, 24) + Le32(32) + good.substr(28) + "!",
         "Slot 2 starts at byte 32 instead of 31"},
        {"trailing bytes", good + "x", "The file has 37 bytes; its table accounts for 36"},
        {"cut data", good.substr(0, 35), "The file has 35 bytes; its table accounts for 36"},
        {"rate index", good.substr(0, 20) + Le32(0xA0000005) + good.substr(24), "rate index 10"},
        {"empty last entry",
         "ORMN" + Le16(11) + Le16(2) + Le32(3) + Le32(3) + Le32(28) + Le32(0) + Le32(0) + "abc",
         "Entry 2, the last of the table, is empty"},
        {"too many entries", "ORMN" + Le16(11) + Le16(246) + Le32(0) + std::string(8 * 246, '\0'),
         "246 entries"},
    };
    for (const auto& c : cases) {
        const WorkFileReport report = CheckString(c.bytes);
        EXPECT_FALSE(report.Consistent) << c.name;
        std::string all;
        for (const auto& p : report.Problems)
            all += p + "\n";
        EXPECT_NE(all.find(c.expected), std::string::npos) << c.name << ":\n" << all;
    }
}

TEST(WorkFileCheck, LargeFileIsCheckedFromItsHeaderAndSize) {
    TempDir dir;
    const std::string path = dir / "large.wrk";
    const std::uint32_t size = (1u << 28) - 1;
    WriteBytes(path,
               "ORMN" + Le16(11) + Le16(1) + Le32(size) + Le32(0x80000000u + size) + Le32(20));
    fs::resize_file(path, 20u + size);
    const WorkFileReport report = CheckWorkFile(path);
    EXPECT_TRUE(report.Consistent);
    EXPECT_EQ(report.FileSize, 20u + size);
    ASSERT_EQ(report.Slots.size(), 1u);
    EXPECT_EQ(report.Slots[0].RateIndex, 8);

    const WorkFileReport missing = CheckWorkFile(dir / "none.wrk");
    EXPECT_FALSE(missing.Readable);
    EXPECT_FALSE(missing.Consistent);
    EXPECT_EQ(missing.Problems, std::vector<std::string>{"Unable to read " + (dir / "none.wrk")});
}

TEST(WorkFileCompile, RefusesAnOccupiedSlotBeyondTheLast) {
    TempDir dir;
    PlayList list;
    PlaceWave(list, dir, 1, 8000, 8, 10);
    std::vector<WAVE_DPTR> slots = list.AllSlots();
    slots.push_back(slots.front());
    slots.back().SlotNumber = 246;
    const CompileResult result = CompileWorkFile(dir / "long.wrk", slots);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("Slot 246 ("), std::string::npos) << result.Message;
    EXPECT_FALSE(fs::exists(dir / "long.wrk"));
}
