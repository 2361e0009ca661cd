// The archive reader over any file, and `orlamo-cli list` over the same file. A library read from
// it that can be written again must read back the same: the text written a second time is the
// text written the first time.

#include "checks/FuzzChecks.h"
#include "cli/Cli.h"
#include "formats/ArchiveFile.h"
#include "formats/Paths.h"

#include <sstream>

namespace orlamo::fuzz {

namespace {

// A text the file carries back unchanged: no blanks at its ends, not wholly in quotes.
bool Stable(const std::string& text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (!text.empty() && (blank(text.front()) || blank(text.back())))
        return false;
    return !(text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
             text.back() == text.front());
}

// Texts the file carries back unchanged; the folder stored is what the path held before the
// file name, so any path the reader made reads back the same. Not so a group that names its file
// twice after an empty folder: its path keeps the first name, relative to the working folder,
// and the folder stored for it is relative, which a reader takes from the file's own folder.
bool StableVoice(const WAVE_DPTR& voice) {
    return Stable(voice.FileName) && Stable(voice.VoiceName) && Stable(voice.Descripition) &&
           Stable(StoredFolder(voice.FullPath, voice.FileName)) &&
           !IsRelativeFolder(StoredFolder(voice.FullPath, voice.FileName));
}

bool StableLibrary(const Library& library) {
    if (!Stable(library.ArchiveName()))
        return false;
    for (const auto& bin : library.AllBins())
        for (const auto& voice : bin.Voices)
            if (!StableVoice(voice))
                return false;
    return true;
}

} // namespace

void CheckArchiveInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteScratchFile("input.arh", data, size);
    const ArchiveLoadResult first = LoadArchive(path);
    Require(first.Loaded(), "an existing .arh file always loads");
    Require(first.Archive.HasArchive(), "a loaded library has an archive node");

    std::ostringstream out, err;
    const int listed = cli::Run({"list", "--json", path}, out, err);
    Require(listed == cli::ExitOk || listed == cli::ExitRefused, "list ends with a plain status");

    if (!ArchiveStoreProblem(first.Archive).empty() || !StableLibrary(first.Archive))
        return;
    const std::string text = ArchiveText(first.Archive);
    const std::string folder = FreshScratchSubfolder("again");
    const std::string again = folder + "/input.arh";
    WriteScratchFile("again/input.arh", reinterpret_cast<const std::uint8_t*>(text.data()),
                     text.size());
    const ArchiveLoadResult second = LoadArchive(again);
    Require(second.Loaded(), "a written archive loads");
    Require(second.Warnings.empty(), "a written archive reads without warnings");
    Require(ArchiveText(second.Archive) == text, "a written archive reads back the same");
}

} // namespace orlamo::fuzz
