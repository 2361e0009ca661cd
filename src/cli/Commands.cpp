#include "cli/Commands.h"

namespace orlamo::cli {

const std::vector<CommandEntry>& AllCommands() {
    static const std::vector<CommandEntry> commands{};
    return commands;
}

} // namespace orlamo::cli
