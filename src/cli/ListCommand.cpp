// orlamo-cli list: shows an archive's bins and voices, or a playlist's occupied slots, with each
// voice's wave measured and its status: ok, missing or refused.

#include "cli/Cli.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "extras/Capacity.h"
#include "formats/ArchiveFile.h"
#include "formats/Paths.h"
#include "formats/PlayListFile.h"
#include "formats/WaveInspector.h"
#include "model/Messages.h"

#include <filesystem>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <system_error>

namespace orlamo::cli {

namespace {

constexpr std::string_view ListUsage =
    "Usage: orlamo-cli list [--json] FILE.arh|FILE.pla\n"
    "\n"
    "Lists an archive (its name, bins and voices) or a playlist (its name, used slots, total size\n"
    "and occupied slots). Each voice shows its file name, voice name, description, full path,\n"
    "data size, play time, format code and status: ok, missing or refused.\n"
    "\n"
    "  --json   print one JSON document\n"
    "\n"
    "Exit status: 0 listed, 1 wrong file type, missing or unreadable file, 2 usage error.\n";

struct VoiceStatus {
    std::string Name;    // "ok", "missing" or "refused"
    std::string Message; // why a wave is refused
};

VoiceStatus StatusOf(const WAVE_DPTR& voice) {
    const WaveInspection inspection = InspectWaveFile(voice.FullPath);
    if (inspection.Accepted())
        return {"ok", {}};
    std::error_code error;
    if (!std::filesystem::is_regular_file(voice.FullPath, error))
        return {"missing", {}};
    return {"refused", inspection.Message};
}

std::string HexCode(std::uint32_t code) {
    std::ostringstream text;
    text << "0x" << std::hex << std::uppercase << std::setw(8) << std::setfill('0') << code;
    return text.str();
}

// The voice's fields as JSON members (without braces).
std::string VoiceJson(const WAVE_DPTR& voice, const VoiceStatus& status) {
    std::ostringstream text;
    text << "\"file_name\": " << JsonString(voice.FileName)
         << ", \"voice_name\": " << JsonString(voice.VoiceName)
         << ", \"description\": " << JsonString(voice.Descripition)
         << ", \"full_path\": " << JsonString(voice.FullPath)
         << ", \"data_size\": " << voice.DataSize
         << ", \"play_time\": " << JsonString(voice.PlayTime)
         << ", \"format_code\": " << voice.FormatCode
         << ", \"status\": " << JsonString(status.Name);
    return text.str();
}

void PrintVoiceText(std::ostream& out, const WAVE_DPTR& voice, const VoiceStatus& status) {
    out << voice.FileName << "  \"" << voice.VoiceName << "\"  \"" << voice.Descripition << "\"\n"
        << "        " << voice.FullPath << "\n"
        << "        " << voice.DataSize << " bytes, "
        << (voice.PlayTime.empty() ? "-" : voice.PlayTime) << " s, format "
        << HexCode(voice.FormatCode) << ", " << status.Name;
    if (!status.Message.empty())
        out << " (" << status.Message << ")";
    out << "\n";
}

int ListArchive(const std::string& path, bool json, std::ostream& out, std::ostream& err) {
    const ArchiveLoadResult loaded = LoadArchive(path);
    for (const std::string& warning : loaded.Warnings)
        err << "orlamo-cli: " << path << ": " << warning << "\n";
    if (!loaded.Loaded()) {
        const std::string text =
            loaded.MessageId != 0 ? ResString(loaded.MessageId) : loaded.Message;
        err << "orlamo-cli: " << path << ": " << (text.empty() ? "nothing to read" : text) << "\n";
        return ExitRefused;
    }
    const Library& library = loaded.Archive;
    if (json) {
        out << "{\"archive\": " << JsonString(library.ArchiveName()) << ", \"bins\": [";
        for (int b = 0; b < library.BinCount(); ++b) {
            const Bin& bin = library.BinAt(b);
            out << (b ? ", " : "") << "{\"name\": " << JsonString(bin.Name) << ", \"voices\": [";
            for (std::size_t v = 0; v < bin.Voices.size(); ++v)
                out << (v ? ", " : "") << "{" << VoiceJson(bin.Voices[v], StatusOf(bin.Voices[v]))
                    << "}";
            out << "]}";
        }
        out << "]}\n";
        return ExitOk;
    }
    out << "Archive: " << library.ArchiveName() << " (" << library.BinCount() << " bins, "
        << library.VoiceCount() << " voices)\n";
    for (const Bin& bin : library.AllBins()) {
        out << "Bin: " << bin.Name << " (" << bin.Voices.size() << " voices)\n";
        for (std::size_t v = 0; v < bin.Voices.size(); ++v) {
            out << "  " << std::setw(3) << v + 1 << ". ";
            PrintVoiceText(out, bin.Voices[v], StatusOf(bin.Voices[v]));
        }
    }
    return ExitOk;
}

// The capacity figures as JSON: the used bytes against the module's budget, and the overrun.
std::string CapacityJson(const PlayListCapacity& capacity) {
    JsonObject json;
    json.Add("used", capacity.Used)
        .Add("budget", capacity.Budget)
        .AddRaw("percent", capacity.PercentText)
        .Add("over", capacity.Over);
    if (capacity.OverRateIndex >= 0)
        json.Add("over_rate_index", capacity.OverRateIndex)
            .AddRaw("over_seconds", capacity.OverSeconds);
    else
        json.AddRaw("over_rate_index", "null").AddRaw("over_seconds", "null");
    return json.Add("text", capacity.Text).Text();
}

int ListPlayList(const std::string& path, bool json, std::ostream& out, std::ostream& err) {
    const PlayListReadResult read = ReadPlayListFile(path);
    if (!read.FileFound) {
        err << "orlamo-cli: " << path << ": " << ResString(MessageId::NotFoundFile) << "\n";
        return ExitRefused;
    }
    if (read.ReadFailed) {
        err << "orlamo-cli: " << read.Message << "\n";
        return ExitRefused;
    }
    for (const std::string& warning : read.Warnings)
        err << "orlamo-cli: " << path << ": " << warning << "\n";
    const PlayList& list = read.List;
    if (json) {
        out << "{\"playlist\": " << JsonString(list.Name)
            << ", \"used_slots\": " << list.UsedSlotCount()
            << ", \"total_size\": " << list.TotalSize() << ", \"slots\": [";
        bool first = true;
        for (int n = 1; n <= PlayListSlots; ++n) {
            const WAVE_DPTR& slot = list.Slot(n);
            if (IsEmptySlot(slot))
                continue;
            out << (first ? "" : ", ") << "{\"slot\": " << n << ", "
                << VoiceJson(slot, StatusOf(slot)) << "}";
            first = false;
        }
        out << "], \"capacity\": " << CapacityJson(CapacityFigures(list)) << "}\n";
        return ExitOk;
    }
    out << "PlayList: " << list.Name << " (" << list.UsedSlotCount() << " used slots, total size "
        << list.TotalSize() << " bytes)\n";
    for (int n = 1; n <= PlayListSlots; ++n) {
        const WAVE_DPTR& slot = list.Slot(n);
        if (IsEmptySlot(slot))
            continue;
        out << "  Slot " << std::setw(3) << n << ": ";
        PrintVoiceText(out, slot, StatusOf(slot));
    }
    out << "Capacity: " << CapacityFigures(list).Text << "\n";
    return ExitOk;
}

} // namespace

int ListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CommandLine line = ParseCommandLine(args, {"--json"}, {});
    if (line.Help) {
        out << ListUsage;
        return ExitOk;
    }
    if (!line.Problem.empty())
        return UsageError(err, ListUsage, line.Problem);
    if (line.Positional.size() != 1)
        return UsageError(err, ListUsage, "list takes exactly one archive or playlist file");

    const std::string& path = line.Positional.front();
    const std::string extension = ExtensionPart(path);
    if (extension == ".arh")
        return ListArchive(path, line.Has("--json"), out, err);
    if (extension == ".pla")
        return ListPlayList(path, line.Has("--json"), out, err);
    err << "orlamo-cli: " << path << ": " << ResString(MessageId::FileTypeError)
        << " (an archive ends in .arh, a playlist in .pla)\n";
    return ExitRefused;
}

} // namespace orlamo::cli
