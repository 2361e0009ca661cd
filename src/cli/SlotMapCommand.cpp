// orlamo-cli slotmap: which slot plays which voice, as CSV or as a C header for firmware, with
// each voice's measurements and the offset its data will have in the work file.

#include "cli/Cli.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileArguments.h"
#include "extras/SlotMap.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace orlamo::cli {

namespace {

constexpr std::string_view SlotMapUsage =
    "Usage: orlamo-cli slotmap PLAYLIST.pla [--format csv|h] [--archive ARCHIVE.arh]\n"
    "                          [--prefix NAME] [-o FILE] [--force]\n"
    "\n"
    "Writes the slot map of a playlist: for each occupied slot its number, voice name, file name,\n"
    "bin, rate, bits, play time, data size and the offset of its data in the work file that\n"
    "compile would write.\n"
    "\n"
    "  --format csv      CSV with a header row and CR LF line ends (the default)\n"
    "  --format h        a C header: one #define per voice, named after the voice and valued\n"
    "                    its slot number, and one for the number of voices\n"
    "  --archive FILE    name each voice's bin from this archive (matched by full path)\n"
    "  --prefix NAME     what the C header's names start with (default VOICE_)\n"
    "  -o FILE           write the map to FILE instead of standard output\n"
    "  --force           replace FILE when it exists\n"
    "\n"
    "Exit status: 0 written, 1 refused input or failed write, 2 usage error.\n";

} // namespace

int SlotMapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CommandLine line =
        ParseCommandLine(args, {"--force"}, {"--format", "--archive", "--prefix", "-o"});
    if (line.Help) {
        out << SlotMapUsage;
        return ExitOk;
    }
    if (!line.Problem.empty())
        return UsageError(err, SlotMapUsage, line.Problem);
    if (line.Positional.size() != 1)
        return UsageError(err, SlotMapUsage, "slotmap takes exactly one playlist file");
    const std::string formatName = line.Values.count("--format") ? line.Value("--format") : "csv";
    if (formatName != "csv" && formatName != "h")
        return UsageError(err, SlotMapUsage, "--format takes csv or h, not '" + formatName + "'");
    const SlotMapFormat format = formatName == "h" ? SlotMapFormat::CHeader : SlotMapFormat::Csv;
    const std::string prefix =
        line.Values.count("--prefix") ? line.Value("--prefix") : std::string(DefaultMacroPrefix);
    if (!IsMacroPrefix(prefix))
        return UsageError(err, SlotMapUsage,
                          "--prefix must start with a letter and hold only letters, digits and "
                          "'_', not '" +
                              prefix + "'");
    const std::string output = line.Value("-o");
    if (line.Values.count("-o") && output.empty())
        return UsageError(err, SlotMapUsage, "-o needs a file name");

    const std::string& playlistPath = line.Positional.front();
    const std::optional<PlayList> list = ReadPlayListArgument(playlistPath, err);
    if (!list)
        return ExitRefused;
    std::optional<Library> library;
    if (line.Values.count("--archive")) {
        library = LoadArchiveArgument(line.Value("--archive"), err);
        if (!library)
            return ExitRefused;
    }

    const SlotMap map = MakeSlotMap(*list, library ? &*library : nullptr);
    for (const SlotMapEntry& entry : map.Entries)
        if (entry.RateIndex < 0)
            err << "orlamo-cli: slot " << entry.Slot << " (" << entry.FullPath
                << "): the wave file is missing or refused; the map shows it without data and "
                   "compile would stop there\n";

    if (output.empty()) {
        out << SlotMapText(map, format, prefix);
        return ExitOk;
    }
    std::error_code error;
    if (std::filesystem::exists(output, error) && !line.Has("--force")) {
        err << "orlamo-cli: " << output << " exists; add --force to replace it\n";
        return ExitRefused;
    }
    if (const std::string problem = ExportSlotMap(output, map, format, prefix); !problem.empty()) {
        err << "orlamo-cli: " << problem << "\n";
        return ExitRefused;
    }
    out << "Wrote " << output << ": " << map.Entries.size() << " voices\n";
    return ExitOk;
}

} // namespace orlamo::cli
