// orlamo-cli check: the completeness report of a playlist, what would stop its compile and what
// deserves a look.

#include "cli/Cli.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileArguments.h"
#include "cli/Json.h"
#include "extras/Completeness.h"

#include <filesystem>
#include <ostream>

namespace orlamo::cli {

namespace {

constexpr std::string_view CheckUsage =
    "Usage: orlamo-cli check [--json] PLAYLIST.pla [ARCHIVE.arh]\n"
    "\n"
    "Reports what would stop the playlist's compile: a wave file that is missing, refused or\n"
    "too large; and what deserves a look: slots that play the same wave file, empty slots\n"
    "between occupied ones and, with an archive, voices the archive no longer holds.\n"
    "Neither file stores data sizes, so a wave changed since it was placed is seen by the\n"
    "editor only; with an archive, each slot's size is compared with the archive's voice of the\n"
    "same full path, both measured now.\n"
    "\n"
    "  --json   print one JSON document\n"
    "\n"
    "Exit status: 0 nothing stops a compile, 1 something would (or a file cannot be read),\n"
    "2 usage error.\n";

// The playlist as the editor would hold it with this archive open: each slot records the size
// of the archive's voice with the same full path.
void TakeSizesFromArchive(PlayList& list, const Library& library) {
    for (WAVE_DPTR& slot : list.AllSlots()) {
        if (IsEmptySlot(slot))
            continue;
        const std::filesystem::path wanted =
            std::filesystem::path(slot.FullPath).lexically_normal();
        for (const Bin& bin : library.AllBins())
            for (const WAVE_DPTR& voice : bin.Voices)
                if (!voice.PlayTime.empty() &&
                    std::filesystem::path(voice.FullPath).lexically_normal() == wanted)
                    slot.DataSize = voice.DataSize;
    }
}

void PrintJson(std::ostream& out, const PlayList& list, const CompletenessReport& report) {
    JsonArray findings;
    for (const CompletenessFinding& finding : report.Findings) {
        JsonArray slots;
        for (const int slot : finding.Slots)
            slots.Add(slot);
        findings.AddRaw(JsonObject()
                            .Add("kind", FindingKindName(finding.Kind))
                            .AddRaw("slots", slots.Text())
                            .Add("message", finding.Message)
                            .Add("stops_compile", finding.StopsCompile)
                            .Text());
    }
    out << JsonObject()
               .Add("playlist", list.Name)
               .Add("used_slots", list.UsedSlotCount())
               .Add("stops_compile", report.StopsCompile())
               .AddRaw("findings", findings.Text())
               .Text()
        << "\n";
}

void PrintText(std::ostream& out, const PlayList& list, const CompletenessReport& report) {
    out << "PlayList: " << list.Name << " (" << list.UsedSlotCount() << " used slots)\n";
    int stopping = 0;
    for (const CompletenessFinding& finding : report.Findings) {
        out << "  " << FindingKindName(finding.Kind) << ": " << finding.Message;
        if (finding.StopsCompile) {
            out << " [stops a compile]";
            ++stopping;
        }
        out << "\n";
    }
    if (report.Findings.empty())
        out << "Nothing to report\n";
    else
        out << report.Findings.size()
            << (report.Findings.size() == 1 ? " finding, " : " findings, ") << stopping
            << " would stop a compile\n";
}

} // namespace

int CheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CommandLine line = ParseCommandLine(args, {"--json"}, {});
    if (line.Help) {
        out << CheckUsage;
        return ExitOk;
    }
    if (!line.Problem.empty())
        return UsageError(err, CheckUsage, line.Problem);
    if (line.Positional.empty() || line.Positional.size() > 2)
        return UsageError(err, CheckUsage,
                          "check takes one playlist file and, if wanted, one archive file");

    std::optional<PlayList> list = ReadPlayListArgument(line.Positional[0], err);
    if (!list)
        return ExitRefused;
    std::optional<Library> library;
    if (line.Positional.size() == 2) {
        library = LoadArchiveArgument(line.Positional[1], err);
        if (!library)
            return ExitRefused;
        TakeSizesFromArchive(*list, *library);
    }

    const CompletenessReport report = CheckPlayList(*list, library ? &*library : nullptr);
    if (line.Has("--json"))
        PrintJson(out, *list, report);
    else
        PrintText(out, *list, report);
    return report.StopsCompile() ? ExitRefused : ExitOk;
}

} // namespace orlamo::cli
