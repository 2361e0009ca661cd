// orlamo-cli inspect: checks and measures wave files from their headers, one line per file.

#include "cli/Cli.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "formats/WaveInspector.h"

#include <cstdio>
#include <ostream>

namespace orlamo::cli {

namespace {

constexpr std::string_view InspectUsage =
    "Usage: orlamo-cli inspect [--json] FILE...\n"
    "\n"
    "Checks each wave file from its headers and, when it is one of the accepted mono formats,\n"
    "shows its rate index, data size, play time and format code. A refused file shows the\n"
    "reason.\n"
    "\n"
    "Accepted formats (all mono): 8000 Hz 8-bit (rate index 0) or 16-bit (1); 16-bit at\n"
    "11025 (2), 12000 (3), 16000 (4), 22050 (5), 24000 (6), 32000 (7), 44100 (8), 48000 Hz (9).\n"
    "At 8000 Hz every depth other than 8 bits counts as 16-bit.\n"
    "\n"
    "  --json   print one JSON object per file, one per line\n"
    "  --       end of options (for file names that start with '-')\n"
    "\n"
    "Exit status: 0 every file accepted, 1 a file refused, 2 usage error.\n";

std::string FormatCodeHex(std::uint32_t code) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

std::string TextLine(const std::string& path, const WaveInspection& result) {
    if (!result.Accepted())
        return path + ": refused: " + result.Message + "\n";
    return path + ": rate index " + std::to_string(result.RateIndex) + ", data size " +
           std::to_string(result.DataSize) + " bytes, play time " + result.PlayTime +
           " s, format code " + FormatCodeHex(WaveFormatCode(result.RateIndex)) + "\n";
}

std::string JsonLine(const std::string& path, const WaveInspection& result) {
    JsonObject object;
    object.Add("file", path).Add("accepted", result.Accepted()).Add("rate_index", result.RateIndex);
    if (result.Accepted())
        object.Add("data_size", result.DataSize)
            .Add("play_time", result.PlayTime)
            .Add("format_code", WaveFormatCode(result.RateIndex));
    else
        object.Add("message", result.Message);
    return object.Text() + "\n";
}

} // namespace

int InspectCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CommandLine line = ParseCommandLine(args, {"--json"}, {});
    if (line.Help) {
        out << InspectUsage;
        return ExitOk;
    }
    if (!line.Problem.empty())
        return UsageError(err, InspectUsage, line.Problem);
    if (line.Positional.empty())
        return UsageError(err, InspectUsage, "inspect needs at least one file");

    const bool json = line.Has("--json");
    bool allAccepted = true;
    for (const std::string& path : line.Positional) {
        const WaveInspection result = InspectWaveFile(path);
        allAccepted = allAccepted && result.Accepted();
        out << (json ? JsonLine(path, result) : TextLine(path, result));
    }
    out.flush();
    return allAccepted ? ExitOk : ExitRefused;
}

} // namespace orlamo::cli
