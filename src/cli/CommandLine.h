#pragma once
// The small option parser the file commands share: flags, options with one value, positional
// arguments, "--help", and "--" to end the options (for names that start with "-").

#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace orlamo::cli {

struct CommandLine {
    std::vector<std::string> Positional;
    std::set<std::string> Flags;               // flags given, e.g. "--json"
    std::map<std::string, std::string> Values; // options with a value, e.g. "-o" -> path
    bool Help = false;
    std::string Problem; // set when the arguments cannot be understood

    bool Has(const std::string& flag) const { return Flags.count(flag) != 0; }
    std::string Value(const std::string& option) const;
};

CommandLine ParseCommandLine(const std::vector<std::string>& args,
                             const std::set<std::string>& flags,
                             const std::set<std::string>& valued);

// Writes "orlamo-cli: <problem>" and the usage text to err; gives the usage exit status.
int UsageError(std::ostream& err, std::string_view usage, std::string_view problem);

// "8000 Hz 8-bit" for a rate index; "unknown" outside 0 to 9.
std::string RateIndexText(int rateIndex);

} // namespace orlamo::cli
