#include "formats/PlayListFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace orlamo;
namespace fs = std::filesystem;

namespace {
std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> Group(int slot, const std::string& file = {},
                               const std::string& folder = {}, const std::string& name = {},
                               const std::string& description = {}) {
    const std::string n = std::to_string(slot);
    return {n + ".FileName=" + file, n + ".Filepath=" + folder, n + ".VoiceName=" + name,
            n + ".Descripition=" + description};
}

void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

// The playlist Door: slots 1 and 3 hold voices, the other 243 are empty.
std::string DoorExample() {
    std::vector<std::string> lines{"[~Door]"};
    Append(lines, Group(1, "open.wav", "C:\\Voices\\wave\\", "Door open", "Front door"));
    Append(lines, Group(2));
    Append(lines, Group(3, "close.wav", "C:\\Voices\\wave\\", "Door closed"));
    for (int slot = 4; slot <= PlayListSlots; ++slot)
        Append(lines, Group(slot));
    return Lines(lines);
}

PlayListReadResult ReadText(const test::TempDir& dir, const std::string& text,
                            const std::string& name = "Door.pla") {
    test::WriteBytes(dir / name, text);
    return ReadPlayListFile(dir / name);
}

WAVE_DPTR Occupied(const std::string& folder, const std::string& file, const std::string& name,
                   const std::string& description = {}) {
    WAVE_DPTR slot;
    slot.FileName = file;
    slot.FullPath = folder + file;
    slot.VoiceName = name;
    slot.Descripition = description;
    return slot;
}

std::vector<std::string> FolderListing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void ExpectEmptySlotsExcept(const PlayList& list, std::initializer_list<int> occupied) {
    ASSERT_EQ(list.AllSlots().size(), static_cast<std::size_t>(PlayListSlots));
    for (int n = 1; n <= PlayListSlots; ++n) {
        const bool expected = std::find(occupied.begin(), occupied.end(), n) != occupied.end();
        EXPECT_EQ(!IsEmptySlot(list.Slot(n)), expected) << "slot " << n;
        EXPECT_EQ(list.Slot(n).SlotNumber, n);
    }
}
} // namespace

TEST(PlayListFile, ExampleReadsAndWritesBackByteForByte) {
    test::TempDir dir;
    const std::string example = DoorExample();
    const auto result = ReadText(dir, example);
    EXPECT_TRUE(result.FileFound);
    EXPECT_FALSE(result.ReadFailed);
    EXPECT_TRUE(result.Warnings.empty());
    const PlayList& list = result.List;
    EXPECT_EQ(list.Name, "Door");
    ExpectEmptySlotsExcept(list, {1, 3});
    EXPECT_EQ(list.Slot(1).FullPath, "C:\\Voices\\wave\\open.wav");
    EXPECT_EQ(list.Slot(1).VoiceName, "Door open");
    EXPECT_EQ(list.Slot(1).Descripition, "Front door");
    EXPECT_EQ(list.Slot(3).FullPath, "C:\\Voices\\wave\\close.wav");
    EXPECT_EQ(list.Slot(3).Descripition, "");
    // Their waves are not on this machine: no sizes, and nothing inspected.
    EXPECT_EQ(list.Slot(1).DataSize, 0u);
    EXPECT_EQ(list.Slot(1).PlayTime, "");
    EXPECT_FALSE(result.LastInspected);

    EXPECT_EQ(PlayListText(list.Name, list.AllSlots()), example);
    const std::string copy = dir / "Copy.pla";
    ASSERT_TRUE(WritePlayListFile(copy, list.Name, list.AllSlots()).Ok);
    EXPECT_EQ(test::ReadBytes(copy), example);
}

TEST(PlayListFile, WrittenSlotsReadBackWithTheirWaves) {
    test::TempDir dir;
    const std::string wave = (dir.Path() / "wave").string() + "/";
    test::WriteBytes(wave + "open.wav", test::SimpleWave(44100, 16, 88200));
    test::WriteBytes(wave + "close.wav", test::SimpleWave(8000, 8, 123456));
    test::WriteBytes(wave + "stereo.wav", test::SimpleWave(44100, 16, 4000, 2));

    PlayList list("Door");
    list.Slot(1) = Occupied(wave, "open.wav", "Door open", " Front door");
    list.Slot(3) = Occupied(wave, "close.wav", "Door closed", "a=b");
    list.Slot(4) = Occupied(wave, "stereo.wav", "Refused");
    list.Slot(5) = Occupied(wave, "gone.wav", "Missing");
    list.Slot(245) = Occupied(wave, "open.wav", "Last slot");
    const std::string path = dir / "Door.front.pla";
    ASSERT_TRUE(WritePlayListFile(path, list.Name, list.AllSlots()).Ok);

    const auto result = ReadPlayListFile(path);
    const PlayList& read = result.List;
    EXPECT_EQ(read.Name, "Door");
    ExpectEmptySlotsExcept(read, {1, 3, 4, 5, 245});
    struct Expected {
        int slot;
        std::uint32_t size;
        const char* time;
        std::uint32_t code;
    } expected[] = {
        {1, 88200, "1.00", 0x80000000u},   {3, 123456, "15.43", 0u}, {4, 0, "", 0u}, {5, 0, "", 0u},
        {245, 88200, "1.00", 0x80000000u},
    };
    for (const auto& e : expected) {
        const WAVE_DPTR& slot = read.Slot(e.slot);
        EXPECT_EQ(slot.FileName, list.Slot(e.slot).FileName);
        EXPECT_EQ(slot.FullPath, list.Slot(e.slot).FullPath);
        EXPECT_EQ(slot.VoiceName, list.Slot(e.slot).VoiceName);
        EXPECT_EQ(slot.DataSize, e.size) << "slot " << e.slot;
        EXPECT_EQ(slot.PlayTime, e.time) << "slot " << e.slot;
        EXPECT_EQ(slot.FormatCode, e.code) << "slot " << e.slot;
        EXPECT_EQ(slot.InPlayList, 0);
        EXPECT_EQ(slot.SourceBin, -1);
    }
    // Blanks around a value are not part of it; an "=" inside it is.
    EXPECT_EQ(read.Slot(1).Descripition, "Front door");
    EXPECT_EQ(read.Slot(3).Descripition, "a=b");
    EXPECT_EQ(read.UsedSlotCount(), 5);
    EXPECT_EQ(read.TotalSize(), 88200 + 123456 + 88200);
    ASSERT_TRUE(result.LastInspected);
    EXPECT_EQ(result.LastInspected->LastWaveSize, 88200u);
    EXPECT_EQ(result.LastInspected->LastWaveFormat, 0x80000000u);
}

TEST(PlayListFile, AlwaysGivesExactly245Slots) {
    test::TempDir dir;
    std::vector<std::string> few{"[~Few]"};
    Append(few, Group(1, "a.wav", "/w/", "A"));
    Append(few, Group(2));
    Append(few, Group(3, "c.wav", "/w/", "C"));

    std::vector<std::string> many{"[~Many]"};
    for (int slot = 1; slot <= 250; ++slot)
        Append(many, slot == 245 || slot == 250 ? Group(slot, "x.wav", "/w/", "X") : Group(slot));

    struct Case {
        const char* what;
        std::optional<std::string> text; // nullopt: no file at all
        bool found;
        std::vector<int> occupied;
        std::size_t warnings;
    } cases[] = {
        {"three groups", Lines(few), true, {1, 3}, 0},
        {"250 groups", Lines(many), true, {245}, 1},
        {"an empty file", std::string(), true, {}, 0},
        {"a section without entries", std::string("[~Nothing]\r\n"), true, {}, 0},
        {"entries before any section", Lines(Group(1, "a.wav", "/w/", "A")), true, {}, 0},
        {"no file", std::nullopt, false, {}, 0},
    };
    for (const auto& c : cases) {
        const std::string path = dir / "List.pla";
        fs::remove(path);
        if (c.text)
            test::WriteBytes(path, *c.text);
        const auto result = ReadPlayListFile(path);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(result.FileFound, c.found);
        EXPECT_FALSE(result.ReadFailed);
        EXPECT_EQ(result.List.Name, "List");
        ASSERT_EQ(result.List.AllSlots().size(), static_cast<std::size_t>(PlayListSlots));
        std::vector<int> occupied;
        for (int n = 1; n <= PlayListSlots; ++n) {
            EXPECT_EQ(result.List.Slot(n).SlotNumber, n);
            if (!IsEmptySlot(result.List.Slot(n)))
                occupied.push_back(n);
        }
        EXPECT_EQ(occupied, c.occupied);
        EXPECT_EQ(result.Warnings.size(), c.warnings);
    }
}

TEST(PlayListFile, GroupsCountByPositionOnly) {
    test::TempDir dir;
    std::vector<std::string> lines{"[~Whatever]"};
    Append(lines, Group(9, "one.wav", "/w/", "One"));
    // Blank lines are no entries and do not shift the groups after them.
    lines.push_back("");
    lines.push_back("   ");
    Append(lines, Group(1, "two.wav", "/w/", "Two"));
    // A lower-case key is no "FileName": the seventh group's slot reads as empty...
    Append(lines,
           {"7.filename=lower.wav", "7.Filepath=/w/", "7.VoiceName=Lower", "7.Descripition=x"});
    // ...and a line without "=" is still an entry of its group.
    Append(lines, {"4.FileName=four.wav", "4.Filepath=/w/", "4.VoiceName", "4.Descripition=Four"});
    // A folder without its closing separator is joined as it stands.
    Append(lines, Group(5, "five.wav", "C:\\Voices\\wave", "Five"));
    // A FileName value carrying a folder keeps only its file name.
    Append(lines, Group(6, "sub\\six.wav", "/w/", "Six"));
    // A short trailing group is no slot.
    lines.push_back("7.FileName=short.wav");
    lines.push_back("7.Filepath=/w/");
    const auto result = ReadText(dir, Lines(lines), "Door.front.pla");
    const PlayList& list = result.List;
    EXPECT_EQ(list.Name, "Door");
    ExpectEmptySlotsExcept(list, {1, 2, 4, 5, 6});
    EXPECT_EQ(list.Slot(1).FullPath, "/w/one.wav");
    EXPECT_EQ(list.Slot(2).FullPath, "/w/two.wav");
    EXPECT_EQ(list.Slot(3).VoiceName, "");
    EXPECT_EQ(list.Slot(4).FullPath, "/w/four.wav");
    EXPECT_EQ(list.Slot(4).VoiceName, "");
    EXPECT_EQ(list.Slot(4).Descripition, "Four");
    EXPECT_EQ(list.Slot(5).FullPath, "C:\\Voices\\wavefive.wav");
    EXPECT_EQ(list.Slot(6).FileName, "six.wav");
    EXPECT_EQ(list.Slot(6).FullPath, "/w/six.wav");
    ASSERT_EQ(result.Warnings.size(), 1u);
}

TEST(PlayListFile, NameComesFromTheFileName) {
    struct Case {
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\lists\\Door.pla", "Door"},
        {"/lists/Door.front.pla", "Door"},
        {"my.door.pla", "my"},
        {"/lists/Plain", "Plain"},
        {"/lists/.pla", ""},
        {"C:Door.pla", "Door"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlayListNameFromPath(c.path), c.name) << c.path;

    // The first section's name is not used.
    test::TempDir dir;
    std::vector<std::string> lines{"[~Entrance]"};
    Append(lines, Group(1, "a.wav", "/w/", "A"));
    EXPECT_EQ(ReadText(dir, Lines(lines), "Door.front.pla").List.Name, "Door");
}

TEST(PlayListFile, RelativeFoldersAreTakenFromThePlayListFolder) {
    test::TempDir dir;
    const std::string home = (dir.Path() / "lists").string() + "/";
    test::WriteBytes(home + "wave/open.wav", test::SimpleWave(16000, 16, 3200));
    std::vector<std::string> lines{"[~Door]"};
    Append(lines, Group(1, "open.wav", "wave/", "Relative"));
    Append(lines, Group(2, "open.wav", "/elsewhere/", "Absolute"));
    const auto result = ReadText(dir, Lines(lines), "lists/Door.pla");
    EXPECT_EQ(result.List.Slot(1).FullPath, home + "wave/open.wav");
    EXPECT_EQ(result.List.Slot(1).DataSize, 3200u);
    EXPECT_EQ(result.List.Slot(1).PlayTime, "0.10");
    EXPECT_EQ(result.List.Slot(2).FullPath, "/elsewhere/open.wav");
}

TEST(PlayListFile, UnreadableFileIsReported) {
    test::TempDir dir;
    fs::create_directory(dir / "Folder.pla");
    const auto result = ReadPlayListFile(dir / "Folder.pla");
    EXPECT_TRUE(result.FileFound);
    EXPECT_TRUE(result.ReadFailed);
    EXPECT_EQ(result.Message, "Unable to read " + (dir / "Folder.pla"));
    EXPECT_EQ(result.List.UsedSlotCount(), 0);
    EXPECT_EQ(result.List.AllSlots().size(), static_cast<std::size_t>(PlayListSlots));
}

TEST(PlayListFile, FailedOrRefusedWriteKeepsThePreviousFile) {
    test::TempDir dir;
    PlayList list("Door");
    list.Slot(1) = Occupied("/w/", "open.wav", "Door open");
    const std::string previous = DoorExample();

    // A name longer than a file name may be; a folder in the way of the rename.
    const std::string longPath = dir / (std::string(300, 'n') + ".pla");
    test::WriteBytes(dir.Path() / "Taken.pla" / "inside", "x");
    for (const std::string& path : {longPath, dir / "Taken.pla", dir / "missing/Door.pla"}) {
        const auto listing = FolderListing(dir.Path());
        const auto result = WritePlayListFile(path, list.Name, list.AllSlots());
        EXPECT_FALSE(result.Ok) << path;
        EXPECT_EQ(result.Message, "Unable to write to " + path);
        EXPECT_EQ(FolderListing(dir.Path()), listing) << "a temporary file was left behind";
    }

    // A text the file cannot carry: nothing is written.
    const std::string path = dir / "Door.pla";
    test::WriteBytes(path, previous);
    list.Slot(2) = Occupied("/w/", "close.wav", "Two\nlines");
    const auto refused = WritePlayListFile(path, list.Name, list.AllSlots());
    EXPECT_FALSE(refused.Ok);
    EXPECT_NE(refused.Message.find("Slot 2"), std::string::npos) << refused.Message;
    EXPECT_FALSE(WritePlayListFile(path, "Two\r\nlines", PlayList().AllSlots()).Ok);
    EXPECT_EQ(test::ReadBytes(path), previous);
}

TEST(PlayListFile, ShippedExampleFindsEveryWaveBesideIt) {
    const auto result = ReadPlayListFile(std::string(ORLAMO_EXAMPLES) + "/station.pla");
    EXPECT_TRUE(result.FileFound);
    EXPECT_TRUE(result.Warnings.empty());
    EXPECT_EQ(result.List.Name, "station");
    EXPECT_GT(result.List.UsedSlotCount(), 0);
    for (const auto& slot : result.List.AllSlots())
        if (!IsEmptySlot(slot)) {
            EXPECT_GT(slot.DataSize, 0u) << slot.FullPath;
        }
}
