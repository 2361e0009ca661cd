// Reading an archive or playlist and saving it again must not change which wave file a voice
// names. A file written by hand may hold a "Filepath" without its closing separator or a
// "FileName" with a folder in it; the reader joins them as they stand, and the writer must store
// them so that they join to the same path again.

#include "formats/ArchiveFile.h"
#include "formats/Paths.h"
#include "formats/PlayListFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace orlamo;
using namespace orlamo::test;

namespace {

struct PathCase {
    const char* FileName;
    const char* Filepath;
    const char* FullPath; // as the reader makes it
};

// Absolute folders, so that the archive's own folder plays no part.
const PathCase Cases[] = {
    {"open.wav", "/voices/wave/", "/voices/wave/open.wav"},
    {"open.wav", "C:\\Voices\\Wave", "C:\\Voices\\Waveopen.wav"},
    {"open.wav", "/voices/wave", "/voices/waveopen.wav"},
    {"open.wav", "", "open.wav"},
    // A colon after anything but a drive letter is part of a POSIX name.
    {"1:open.wav", "/voices/", "/voices/1:open.wav"},
};

std::string Crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

TEST(SaveKeepsPaths, ArchiveVoicesNameTheSameWaveAfterASave) {
    TempDir dir;
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Filepath);
        WriteBytes(dir / "first.arh", Crlf({"[Class]", "ArchiveName=A", "1.Name=B", "[~B]",
                                            std::string("1.FileName=") + c.FileName,
                                            std::string("1.Filepath=") + c.Filepath,
                                            "1.VoiceName=V", "1.Descripition=D"}));
        const auto first = LoadArchive(dir / "first.arh");
        ASSERT_TRUE(first.Loaded());
        ASSERT_EQ(first.Archive.BinAt(0).Voices.at(0).FullPath, c.FullPath);

        ASSERT_TRUE(SaveArchive(dir / "second.arh", first.Archive).Ok);
        EXPECT_NE(
            ReadBytes(dir / "second.arh").find(std::string("1.Filepath=") + c.Filepath + "\r\n"),
            std::string::npos);
        const auto second = LoadArchive(dir / "second.arh");
        ASSERT_TRUE(second.Loaded());
        EXPECT_EQ(second.Archive.BinAt(0).Voices.at(0).FullPath, c.FullPath);
    }
}

TEST(SaveKeepsPaths, ArchiveFileNameWithAFolderStaysWhole) {
    TempDir dir;
    WriteBytes(dir / "first.arh",
               Crlf({"[Class]", "ArchiveName=A", "1.Name=B", "[~B]", "1.FileName=sub/open.wav",
                     "1.Filepath=/voices/", "1.VoiceName=V", "1.Descripition=D"}));
    const auto first = LoadArchive(dir / "first.arh");
    ASSERT_TRUE(first.Loaded());
    ASSERT_EQ(first.Archive.BinAt(0).Voices.at(0).FullPath, "/voices/sub/open.wav");
    ASSERT_TRUE(SaveArchive(dir / "second.arh", first.Archive).Ok);
    const auto second = LoadArchive(dir / "second.arh");
    ASSERT_TRUE(second.Loaded());
    EXPECT_EQ(second.Archive.BinAt(0).Voices.at(0).FullPath, "/voices/sub/open.wav");
    EXPECT_NE(ReadBytes(dir / "second.arh").find("1.Filepath=/voices/\r\n"), std::string::npos);
}

TEST(SaveKeepsPaths, PlayListSlotsNameTheSameWaveAfterASave) {
    TempDir dir;
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Filepath);
        WriteBytes(dir / "first.pla", Crlf({"[~first]", std::string("1.FileName=") + c.FileName,
                                            std::string("1.Filepath=") + c.Filepath,
                                            "1.VoiceName=V", "1.Descripition=D"}));
        const auto first = ReadPlayListFile(dir / "first.pla");
        ASSERT_EQ(first.List.Slot(1).FullPath, c.FullPath);

        ASSERT_TRUE(WritePlayListFile(dir / "second.pla", "second", first.List.AllSlots()).Ok);
        EXPECT_NE(
            ReadBytes(dir / "second.pla").find(std::string("1.Filepath=") + c.Filepath + "\r\n"),
            std::string::npos);
        const auto second = ReadPlayListFile(dir / "second.pla");
        EXPECT_EQ(second.List.Slot(1).FullPath, c.FullPath);
    }
}

} // namespace

TEST(SaveKeepsPaths, ColonSeparatesOnlyAfterADriveLetter) {
    const struct {
        const char* Path;
        const char* Folder;
        const char* Name;
    } cases[] = {
        {"C:open.wav", "C:", "open.wav"}, {"c:\\voices\\open.wav", "c:\\voices\\", "open.wav"},
        {"1:open.wav", "", "1:open.wav"}, {"/voices/1:open.wav", "/voices/", "1:open.wav"},
        {":open.wav", "", ":open.wav"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderPart(c.Path), c.Folder) << c.Path;
        EXPECT_EQ(FileNamePart(c.Path), c.Name) << c.Path;
    }
}
