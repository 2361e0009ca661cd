// The playlist reader over any file, and `orlamo-cli list`, `check` and `slotmap` over the same
// file. A playlist read from it that can be written again must read back the same.

#include "checks/FuzzChecks.h"
#include "cli/Cli.h"
#include "formats/Paths.h"
#include "formats/PlayListFile.h"

#include <sstream>
#include <vector>

namespace orlamo::fuzz {

namespace {

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
// Nor a file name that starts with a drive ("a:b.wav"), which the reader takes as a folder.
bool StableSlot(const WAVE_DPTR& slot) {
    return Stable(slot.FileName) && Stable(slot.VoiceName) && Stable(slot.Descripition) &&
           Stable(StoredFolder(slot.FullPath, slot.FileName)) &&
           !IsRelativeFolder(StoredFolder(slot.FullPath, slot.FileName)) &&
           FileNamePart(slot.FileName) == slot.FileName;
}

} // namespace

void CheckPlayListInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteScratchFile("input.pla", data, size);
    const PlayListReadResult first = ReadPlayListFile(path);
    Require(first.FileFound && !first.ReadFailed, "an existing file is read");
    Require(first.List.AllSlots().size() == static_cast<std::size_t>(PlayListSlots),
            "a playlist read has 245 slots");
    std::int64_t total = 0;
    for (int n = 1; n <= PlayListSlots; ++n) {
        const WAVE_DPTR& slot = first.List.Slot(n);
        if (IsEmptySlot(slot)) {
            Require(slot.DataSize == 0 && slot.FullPath.empty(), "an empty slot holds nothing");
            continue;
        }
        Require(slot.SlotNumber == n, "an occupied slot carries its own number");
        total += slot.DataSize;
    }
    Require(first.List.TotalSize() == total, "the total is the sum of the occupied slots");

    std::ostringstream out, err;
    // The commands that read a playlist end with a plain status, whatever the file holds.
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"list", "--json", path},
          {"check", "--json", path},
          {"slotmap", "--format", "h", path}}) {
        const int status = cli::Run(command, out, err);
        Require(status == cli::ExitOk || status == cli::ExitRefused,
                "a command reading a playlist ends with a plain status");
    }

    const auto& slots = first.List.AllSlots();
    if (!PlayListStoreProblem(first.List.Name, slots).empty())
        return;
    for (const auto& slot : slots)
        if (!StableSlot(slot))
            return;
    const std::string text = PlayListText(first.List.Name, slots);
    FreshScratchSubfolder("again");
    const std::string again = WriteScratchFile(
        "again/input.pla", reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    const PlayListReadResult second = ReadPlayListFile(again);
    Require(second.Warnings.empty(), "a written playlist reads without warnings");
    Require(PlayListText(second.List.Name, second.List.AllSlots()) == text,
            "a written playlist reads back the same");
}

} // namespace orlamo::fuzz
