#include "cli/Cli.h"
#include "cli/Commands.h"

#include <ostream>

namespace orlamo::cli {

// Placeholder until the command lands in this session.
int ListCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "orlamo-cli: this command is not available yet\n";
    return ExitUsage;
}

} // namespace orlamo::cli
