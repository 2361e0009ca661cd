#include "cli/CommandLine.h"

#include "cli/Cli.h"
#include "formats/WaveInspector.h"

#include <ostream>

namespace orlamo::cli {

std::string CommandLine::Value(const std::string& option) const {
    const auto it = Values.find(option);
    return it == Values.end() ? std::string() : it->second;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args,
                             const std::set<std::string>& flags,
                             const std::set<std::string>& valued) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            line.Positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            line.Help = true;
        } else if (flags.count(arg) != 0) {
            line.Flags.insert(arg);
        } else if (valued.count(arg) != 0) {
            if (i + 1 >= args.size()) {
                line.Problem = "option " + arg + " needs a value";
                return line;
            }
            if (line.Values.count(arg) != 0) {
                line.Problem = "option " + arg + " is given twice";
                return line;
            }
            line.Values[arg] = args[++i];
        } else {
            line.Problem = "unknown option '" + arg + "'";
            return line;
        }
    }
    return line;
}

int UsageError(std::ostream& err, std::string_view usage, std::string_view problem) {
    err << "orlamo-cli: " << problem << "\n" << usage;
    return ExitUsage;
}

std::string RateIndexText(int rateIndex) {
    const int bits = RateIndexBits(rateIndex);
    if (bits == 0)
        return "unknown";
    return std::to_string(WaveRateTable[static_cast<std::size_t>(rateIndex)]) + " Hz " +
           std::to_string(bits) + "-bit";
}

} // namespace orlamo::cli
