// orlamo-cli convert: makes a wave the module takes out of one it does not (stereo, another
// sample size or rate, another sound file format): mono, resampled, 16-bit or 8-bit at 8000 Hz.

#include "cli/Cli.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "convert/WaveConvert.h"
#include "formats/WaveInspector.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace orlamo::cli {

namespace {

constexpr std::string_view ConvertUsage =
    "Usage: orlamo-cli convert IN -o OUT.wav [--rate R] [--bits 8|16] [--force]\n"
    "\n"
    "Converts a sound file into a wave the module takes: the channels mixed down to mono,\n"
    "resampled to the nearest accepted rate at or below the original (8000 Hz for lower rates)\n"
    "and written with 16-bit samples, or 8-bit ones when the original has 8-bit samples and goes\n"
    "to 8000 Hz. IN is only read.\n"
    "\n"
    "  -o OUT.wav    the wave to write\n"
    "  --rate R      the rate to convert to: 8000, 11025, 12000, 16000, 22050, 24000, 32000,\n"
    "                44100 or 48000\n"
    "  --bits 8|16   the sample size; 8 bits only at 8000 Hz\n"
    "  --force       replace OUT.wav when it exists\n"
    "\n"
    "Exit status: 0 converted, 1 refused or failed (nothing written), 2 usage error.\n";

std::string ChannelsText(int channels) {
    if (channels == 1)
        return "mono";
    if (channels == 2)
        return "stereo";
    return std::to_string(channels) + " channels";
}

std::string SourceText(const ConversionTarget& source) {
    return std::to_string(source.SourceRate) + " Hz " +
           (source.SourceBits == 0 ? std::string("compressed")
                                   : std::to_string(source.SourceBits) + "-bit") +
           " " + ChannelsText(source.SourceChannels);
}

// A decimal number made of digits alone, or -1.
long long PlainNumber(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoll(text);
}

} // namespace

int ConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CommandLine line = ParseCommandLine(args, {"--force"}, {"-o", "--rate", "--bits"});
    if (line.Help) {
        out << ConvertUsage;
        return ExitOk;
    }
    if (!line.Problem.empty())
        return UsageError(err, ConvertUsage, line.Problem);
    if (line.Positional.size() != 1)
        return UsageError(err, ConvertUsage, "convert takes exactly one sound file");
    const std::string output = line.Value("-o");
    if (output.empty())
        return UsageError(err, ConvertUsage, "convert needs the wave to write: -o OUT.wav");

    long long rate = -1;
    if (line.Values.count("--rate")) {
        rate = PlainNumber(line.Value("--rate"));
        if (rate < 0 || RateIndexFor(static_cast<std::uint32_t>(rate), 16) < 0)
            return UsageError(err, ConvertUsage,
                              "--rate takes one of 8000, 11025, 12000, 16000, 22050, 24000, "
                              "32000, 44100 and 48000, not '" +
                                  line.Value("--rate") + "'");
    }
    int bits = 0;
    if (line.Values.count("--bits")) {
        const std::string text = line.Value("--bits");
        if (text != "8" && text != "16")
            return UsageError(err, ConvertUsage, "--bits takes 8 or 16, not '" + text + "'");
        bits = text == "8" ? 8 : 16;
    }
    if (bits == 8 && rate >= 0 && rate != 8000)
        return UsageError(err, ConvertUsage,
                          "the module takes 8-bit samples at 8000 Hz only, not at " +
                              std::to_string(rate) + " Hz");

    const std::string& input = line.Positional.front();
    const ConversionTarget source = ProposedTarget(input);
    if (!source.Ok) {
        err << "orlamo-cli: " << source.Message << "\n";
        return ExitRefused;
    }
    int rateIndex = source.RateIndex;
    if (rate >= 0 || bits != 0) {
        const std::uint32_t chosenRate = rate >= 0
                                             ? static_cast<std::uint32_t>(rate)
                                             : WaveRateTable[static_cast<std::size_t>(rateIndex)];
        // Without --bits the sample size follows the proposal where the rates agree, else 16.
        const int chosenBits = bits != 0 ? bits : chosenRate == 8000 && rateIndex == 0 ? 8 : 16;
        rateIndex = RateIndexFor(chosenRate, chosenBits);
        if (rateIndex < 0) {
            err << "orlamo-cli: the module takes 8-bit samples at 8000 Hz only; " << input
                << " would go to " << chosenRate << " Hz; add --rate 8000\n";
            return ExitRefused;
        }
    }

    std::error_code error;
    if (std::filesystem::exists(output, error) && !line.Has("--force")) {
        err << "orlamo-cli: " << output << " exists; add --force to replace it\n";
        return ExitRefused;
    }
    const ConversionResult result = ConvertWave(input, output, rateIndex);
    if (!result.Ok) {
        err << "orlamo-cli: " << result.Message << "\n";
        return ExitRefused;
    }
    const WaveInspection written = InspectWaveFile(output);
    out << "Converted " << input << " (" << SourceText(source) << ") to " << output << ": "
        << RateIndexText(result.RateIndex) << " mono, rate index " << result.RateIndex << ", "
        << result.DataSize << " bytes, " << (written.Accepted() ? written.PlayTime : "?") << " s\n";
    return ExitOk;
}

} // namespace orlamo::cli
