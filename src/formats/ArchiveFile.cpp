#include "formats/ArchiveFile.h"

#include "formats/AtomicFile.h"
#include "formats/IniFile.h"
#include "formats/Paths.h"
#include "formats/VoiceWave.h"
#include "model/Messages.h"

#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>

namespace orlamo {

namespace {
constexpr std::size_t EntriesPerVoice = 4;

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// The archive node and the bins, in line order. Only the first "ArchiveName" names the node.
void ReadClassSection(const IniSection& section, Library& library) {
    for (const auto& entry : section.Entries) {
        if (entry.Key == "ArchiveName") {
            if (!library.HasArchive())
                library.SetArchiveNode(entry.Value);
        } else if (entry.Key != "TotalClass") {
            library.AddBin(entry.Value);
        }
    }
}

// The voices of one bin, four entries each, grouped by position.
void ReadVoiceSection(const IniSection& section, std::vector<WAVE_DPTR>& voices,
                      const std::string& archiveFolder, ArchiveLoadResult& result) {
    const auto& entries = section.Entries;
    WAVE_DPTR voice;
    for (std::size_t j = 0; j < entries.size(); ++j) {
        if (j % EntriesPerVoice == 0)
            voice = WAVE_DPTR{};
        const auto field = KeyFieldName(entries[j].Key);
        const std::string& value = entries[j].Value;
        if (field == "FileName") {
            voice.FileName = value;
        } else if (field == "Filepath") {
            voice.FullPath = ResolveFolder(value, archiveFolder) + voice.FileName;
            InspectVoiceWave(voice, result.LastInspected);
        } else if (field == "VoiceName") {
            voice.VoiceName = value;
        } else if (field == "Descripition") {
            voice.Descripition = value;
        }
        if (j % EntriesPerVoice == EntriesPerVoice - 1)
            voices.push_back(voice);
    }
    if (const auto rest = entries.size() % EntriesPerVoice; rest != 0)
        result.Warnings.push_back("Section [" + section.Name + "] ends inside a voice; its last " +
                                  std::to_string(rest) + " lines were not read.");
}

ArchiveLoadResult Refusal(ArchiveLoadResult::Status status, int messageId) {
    ArchiveLoadResult result;
    result.Result = status;
    result.MessageId = messageId;
    result.Message = ResString(messageId);
    return result;
}

ArchiveLoadResult ReadFailure(const std::string& path) {
    ArchiveLoadResult result;
    result.Result = ArchiveLoadResult::Status::ReadFailed;
    result.Message = "Unable to read " + path;
    return result;
}

std::string LineBreakProblem(std::string_view what) {
    return std::string(what) + " holds a line break, which an archive file cannot store.";
}
} // namespace

ArchiveLoadResult LoadArchive(const std::string& path) {
    using Status = ArchiveLoadResult::Status;
    if (FileNamePart(path).empty()) {
        ArchiveLoadResult result;
        result.Result = Status::NoFileName;
        return result;
    }
    if (ExtensionPart(path) != ".arh")
        return Refusal(Status::WrongType, MessageId::FileTypeError);
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    if (error)
        return ReadFailure(path);
    if (!exists)
        return Refusal(Status::NotFound, MessageId::NotFoundFile);
    const auto text = ReadWholeFile(path);
    if (!text)
        return ReadFailure(path);

    ArchiveLoadResult result;
    result.Result = Status::Loaded;
    const std::string archiveFolder = FolderPart(path);
    const IniDocument document = IniDocument::Parse(*text);
    for (const auto& section : document.Sections()) {
        if (section.Name == "Version")
            continue;
        if (section.Name == "Class") {
            ReadClassSection(section, result.Archive);
            continue;
        }
        const auto bin = section.Name.starts_with('~')
                             ? result.Archive.FindBin(std::string_view(section.Name).substr(1))
                             : std::nullopt;
        if (!bin) {
            result.Warnings.push_back(
                "Section [" + section.Name + "] names no bin of the archive; its " +
                std::to_string(section.Entries.size()) + " lines were not read.");
            continue;
        }
        ReadVoiceSection(section, result.Archive.BinAt(*bin).Voices, archiveFolder, result);
    }
    // Without an archive node nothing could show or save the bins: name it after the file.
    if (!result.Archive.HasArchive()) {
        const std::string fileName = FileNamePart(path);
        const std::string name = fileName.substr(0, fileName.size() - ExtensionPart(path).size());
        result.Archive.SetArchiveNode(name);
        result.Warnings.push_back("The file names no archive; it is called " + Quoted(name) + ".");
    }
    return result;
}

std::string ArchiveStoreProblem(const Library& library) {
    if (!library.HasArchive())
        return "No archive is open.";
    if (HoldsLineBreak(library.ArchiveName()))
        return LineBreakProblem("The archive name");
    // Section names match without regard to letter case: such bins would share one section.
    std::map<std::string, std::string> folded;
    for (const auto& bin : library.AllBins()) {
        // An empty name reads back as it was written; IsStorableBinName is stricter for new names.
        if (!bin.Name.empty() && !IsStorableBinName(bin.Name))
            return "The bin name " + Quoted(bin.Name) +
                   " cannot be stored in an archive file: it would read back changed.";
        std::string key;
        for (const char c : bin.Name)
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const auto [other, added] = folded.try_emplace(key, bin.Name);
        if (!added)
            return "The bins " + Quoted(other->second) + " and " + Quoted(bin.Name) +
                   " differ only in letter case; an archive file cannot hold them apart. Rename "
                   "one of them before saving.";
        for (std::size_t j = 0; j < bin.Voices.size(); ++j) {
            const auto& voice = bin.Voices[j];
            if (HoldsLineBreak(voice.FileName) || HoldsLineBreak(voice.FullPath) ||
                HoldsLineBreak(voice.VoiceName) || HoldsLineBreak(voice.Descripition))
                return LineBreakProblem("Voice " + std::to_string(j + 1) + " of bin " +
                                        Quoted(bin.Name));
        }
    }
    return {};
}

std::string ArchiveText(const Library& library) {
    IniDocument document;
    document.WriteValue("Version", "VersionInfo", VersionText);
    document.WriteValue("Class", "TotalClass", std::to_string(library.BinCount()));
    document.WriteValue("Class", "ArchiveName", library.ArchiveName());
    for (int k = 1; k <= library.BinCount(); ++k)
        document.WriteValue("Class", std::to_string(k) + ".Name", library.BinAt(k - 1).Name);
    // A bin without voices has no section: its "Name" entry alone keeps its place.
    for (const auto& bin : library.AllBins()) {
        const std::string section = "~" + bin.Name;
        for (std::size_t j = 1; j <= bin.Voices.size(); ++j) {
            const auto& voice = bin.Voices[j - 1];
            const std::string number = std::to_string(j);
            document.WriteValue(section, number + ".FileName", voice.FileName);
            document.WriteValue(section, number + ".Filepath",
                                StoredFolder(voice.FullPath, voice.FileName));
            document.WriteValue(section, number + ".VoiceName", voice.VoiceName);
            document.WriteValue(section, number + ".Descripition", voice.Descripition);
        }
    }
    return document.Serialize();
}

FileWriteResult SaveArchive(const std::string& path, const Library& library) {
    if (std::string problem = ArchiveStoreProblem(library); !problem.empty())
        return FileWriteResult{false, std::move(problem)};
    if (std::string error = WriteFileAtomically(path, ArchiveText(library)); !error.empty())
        return FileWriteResult{false, std::move(error)};
    return FileWriteResult{true, {}};
}

} // namespace orlamo
