// orlamo-cli info: checks a work file and shows its header and occupied slots.

#include "cli/Cli.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "formats/WorkFile.h"

#include <iomanip>
#include <ostream>

namespace orlamo::cli {

namespace {

constexpr std::string_view InfoUsage =
    "Usage: orlamo-cli info [--json] WORK.wrk\n"
    "\n"
    "Checks a work file: the magic \"ORMN\" and the constant 11, that the table fits the file,\n"
    "that the slots' data follow each other from the end of the table, that their sizes add up\n"
    "to the header's total and that the file ends after the last slot's data. Shows the header\n"
    "and the occupied slots.\n"
    "\n"
    "  --json   print one JSON document\n"
    "\n"
    "Exit status: 0 consistent, 1 not consistent or unreadable, 2 usage error.\n";

void PrintJson(std::ostream& out, const std::string& path, const WorkFileReport& report) {
    out << "{\"file\": " << JsonString(path) << ", \"magic\": " << JsonString(report.Magic)
        << ", \"constant\": " << report.Constant << ", \"entries\": " << report.Entries
        << ", \"total_size\": " << report.TotalSize << ", \"file_size\": " << report.FileSize
        << ", \"consistent\": " << (report.Consistent ? "true" : "false") << ", \"problems\": [";
    for (std::size_t i = 0; i < report.Problems.size(); ++i)
        out << (i ? ", " : "") << JsonString(report.Problems[i]);
    out << "], \"slots\": [";
    for (std::size_t i = 0; i < report.Slots.size(); ++i) {
        const WorkFileSlot& slot = report.Slots[i];
        out << (i ? ", " : "") << "{\"slot\": " << slot.Slot
            << ", \"rate_index\": " << slot.RateIndex << ", \"data_size\": " << slot.DataSize
            << ", \"offset\": " << slot.Offset << "}";
    }
    out << "]}\n";
}

void PrintText(std::ostream& out, const std::string& path, const WorkFileReport& report) {
    out << "File:        " << path << "\n"
        << "Magic:       " << report.Magic << "\n"
        << "Constant:    " << report.Constant << "\n"
        << "Entries:     " << report.Entries << "\n"
        << "Total size:  " << report.TotalSize << " bytes\n"
        << "File size:   " << report.FileSize << " bytes\n"
        << "Consistent:  " << (report.Consistent ? "yes" : "no") << "\n";
    if (!report.Slots.empty())
        out << "Slots:\n";
    for (const WorkFileSlot& slot : report.Slots)
        out << "  " << std::setw(3) << slot.Slot << ": rate index " << slot.RateIndex << " ("
            << RateIndexText(slot.RateIndex) << "), " << slot.DataSize << " bytes at offset "
            << slot.Offset << "\n";
    if (!report.Problems.empty())
        out << "Problems:\n";
    for (const std::string& problem : report.Problems)
        out << "  " << problem << "\n";
}

} // namespace

int InfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CommandLine line = ParseCommandLine(args, {"--json"}, {});
    if (line.Help) {
        out << InfoUsage;
        return ExitOk;
    }
    if (!line.Problem.empty())
        return UsageError(err, InfoUsage, line.Problem);
    if (line.Positional.size() != 1)
        return UsageError(err, InfoUsage, "info takes exactly one work file");

    const std::string& path = line.Positional.front();
    const WorkFileReport report = CheckWorkFile(path);
    if (!report.Readable) {
        for (const std::string& problem : report.Problems)
            err << "orlamo-cli: " << problem << "\n";
        return ExitRefused;
    }
    if (line.Has("--json"))
        PrintJson(out, path, report);
    else
        PrintText(out, path, report);
    return report.Consistent ? ExitOk : ExitRefused;
}

} // namespace orlamo::cli
