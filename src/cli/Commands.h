#pragma once
// The table of orlamo-cli subcommands. Each command is implemented in its own file.

#include <iosfwd>
#include <string>
#include <vector>

namespace orlamo::cli {

using CommandHandler = int (*)(const std::vector<std::string>& args, std::ostream& out,
                               std::ostream& err);

struct CommandEntry {
    const char* Name;
    CommandHandler Handler;
};

const std::vector<CommandEntry>& AllCommands();

} // namespace orlamo::cli
