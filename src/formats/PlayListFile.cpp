#include "formats/PlayListFile.h"

#include "formats/AtomicFile.h"
#include "formats/IniFile.h"
#include "formats/Paths.h"
#include "formats/VoiceWave.h"

#include <filesystem>
#include <system_error>

namespace orlamo {

namespace {
constexpr std::size_t EntriesPerSlot = 4;

// The slots of the first section, one per complete group of four entries, in file order. The
// profile reader hands over entries only, never blank lines, so every entry counts for grouping.
std::vector<WAVE_DPTR> ReadSlots(const IniSection& section, const std::string& listFolder,
                                 PlayListReadResult& result) {
    std::vector<WAVE_DPTR> slots;
    const auto& entries = section.Entries;
    WAVE_DPTR slot;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i % EntriesPerSlot == 0)
            slot = WAVE_DPTR{};
        const auto suffix = KeyFieldName(entries[i].Key);
        const std::string& value = entries[i].Value;
        if (suffix == "FileName") {
            slot.FileName = FileNamePart(value);
        } else if (suffix == "Filepath") {
            slot.FullPath = ResolveFolder(value, listFolder) + slot.FileName;
            // An empty slot has no wave to measure.
            if (!slot.FileName.empty())
                InspectVoiceWave(slot, result.LastInspected);
        } else if (suffix == "VoiceName") {
            slot.VoiceName = value;
        } else if (suffix == "Descripition") {
            slot.Descripition = value;
        }
        if (i % EntriesPerSlot == EntriesPerSlot - 1) {
            slot.SlotNumber = static_cast<std::int32_t>((i + 1) / EntriesPerSlot);
            if (IsEmptySlot(slot))
                slot = MakeEmptySlot(slot.SlotNumber);
            slots.push_back(slot);
        }
    }
    if (const auto rest = entries.size() % EntriesPerSlot; rest != 0)
        result.Warnings.push_back("The file ends inside a slot; its last " + std::to_string(rest) +
                                  " lines were not read.");
    if (slots.size() > static_cast<std::size_t>(PlayListSlots))
        result.Warnings.push_back("The file holds " + std::to_string(slots.size()) +
                                  " slots; those after slot " + std::to_string(PlayListSlots) +
                                  " were not read.");
    return slots;
}

std::string LineBreakProblem(std::string_view what) {
    return std::string(what) + " holds a line break, which a playlist file cannot store.";
}
} // namespace

std::string PlayListNameFromPath(const std::string& path) {
    const std::string fileName = FileNamePart(path);
    return fileName.substr(0, fileName.find('.'));
}

PlayListReadResult ReadPlayListFile(const std::string& path) {
    PlayListReadResult result;
    result.List = PlayList(PlayListNameFromPath(path));
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    if (!exists && !error)
        return result;
    result.FileFound = true;
    const auto text = ReadWholeFile(path);
    if (!text) {
        result.ReadFailed = true;
        result.Message = "Unable to read " + path;
        return result;
    }
    // Only the first section is read; its name is not used.
    const IniDocument document = IniDocument::Parse(*text);
    if (!document.Sections().empty())
        result.List.SetSlots(ReadSlots(document.Sections().front(), FolderPart(path), result));
    return result;
}

std::string PlayListStoreProblem(const std::string& name, const std::vector<WAVE_DPTR>& slots) {
    if (HoldsLineBreak(name))
        return LineBreakProblem("The playlist name");
    for (std::size_t k = 0; k < slots.size(); ++k) {
        const auto& slot = slots[k];
        if (HoldsLineBreak(slot.FileName) || HoldsLineBreak(slot.FullPath) ||
            HoldsLineBreak(slot.VoiceName) || HoldsLineBreak(slot.Descripition))
            return LineBreakProblem("Slot " + std::to_string(k + 1));
    }
    return {};
}

std::string PlayListText(const std::string& name, const std::vector<WAVE_DPTR>& slots) {
    IniDocument document;
    const std::string section = "~" + name;
    for (std::size_t k = 1; k <= slots.size(); ++k) {
        const auto& slot = slots[k - 1];
        const std::string number = std::to_string(k);
        document.WriteValue(section, number + ".FileName", slot.FileName);
        document.WriteValue(section, number + ".Filepath",
                            StoredFolder(slot.FullPath, slot.FileName));
        document.WriteValue(section, number + ".VoiceName", slot.VoiceName);
        document.WriteValue(section, number + ".Descripition", slot.Descripition);
    }
    return document.Serialize();
}

FileWriteResult WritePlayListFile(const std::string& path, const std::string& name,
                                  const std::vector<WAVE_DPTR>& slots) {
    if (std::string problem = PlayListStoreProblem(name, slots); !problem.empty())
        return FileWriteResult{false, std::move(problem)};
    if (std::string error = WriteFileAtomically(path, PlayListText(name, slots)); !error.empty())
        return FileWriteResult{false, std::move(error)};
    return FileWriteResult{true, {}};
}

} // namespace orlamo
