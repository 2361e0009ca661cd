#include "cli/Cli.h"

#include "cli/Commands.h"

#include <iostream>
#include <ostream>

namespace orlamo::cli {

namespace {
const char* const Usage =
    "Usage: orlamo-cli COMMAND [OPTIONS] ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  inspect [--json] FILE...      check and measure wave files\n"
    "  --help                        show this text\n"
    "  --version                     show the version\n"
    "\n"
    "Run 'orlamo-cli COMMAND --help' for a command's options.\n";
} // namespace

int Run(const std::vector<std::string>& args) { return Run(args, std::cout, std::cerr); }

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << Usage;
        return ExitUsage;
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        out << Usage;
        return ExitOk;
    }
    if (command == "--version") {
        out << "orlamo-cli " << ORLAMO_VERSION << "\n";
        return ExitOk;
    }
    for (const auto& entry : AllCommands())
        if (command == entry.Name)
            return entry.Handler(rest, out, err);
    err << "orlamo-cli: unknown command '" << command << "'\n\n" << Usage;
    return ExitUsage;
}

} // namespace orlamo::cli
