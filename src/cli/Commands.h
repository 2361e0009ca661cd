#pragma once
// The table of orlamo-cli subcommands. Each command is implemented in a file of its own.

#include <iosfwd>
#include <string>
#include <vector>

namespace orlamo::cli {

using CommandHandler = int (*)(const std::vector<std::string>& args, std::ostream& out,
                               std::ostream& err);

struct CommandEntry {
    const char* Name;
    CommandHandler Handler;
    const char* Summary; // one line for the general help
};

const std::vector<CommandEntry>& AllCommands();

int InspectCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int ListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CompileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int InfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int ExtractCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int SlotMapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int ConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace orlamo::cli
