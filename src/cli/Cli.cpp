#include "cli/Cli.h"

#include "cli/Commands.h"

#include <iostream>
#include <ostream>

namespace orlamo::cli {

namespace {
std::string Usage() {
    std::string text = "Usage: orlamo-cli COMMAND [OPTIONS] ARGUMENTS\n\nCommands:\n";
    for (const auto& entry : AllCommands())
        text += std::string("  ") + entry.Summary + "\n";
    text += "  --help                               show this text\n"
            "  --version                            show the version\n"
            "\nRun 'orlamo-cli COMMAND --help' for a command's options.\n"
            "Exit status: 0 success, 1 refused input or failed check, 2 usage error.\n";
    return text;
}
} // namespace

int Run(const std::vector<std::string>& args) { return Run(args, std::cout, std::cerr); }

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << Usage();
        return ExitUsage;
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        out << Usage();
        return ExitOk;
    }
    if (command == "--version") {
        out << "orlamo-cli " << ORLAMO_VERSION << "\n";
        return ExitOk;
    }
    for (const auto& entry : AllCommands())
        if (command == entry.Name)
            return entry.Handler(rest, out, err);
    err << "orlamo-cli: unknown command '" << command << "'\n\n" << Usage();
    return ExitUsage;
}

} // namespace orlamo::cli
