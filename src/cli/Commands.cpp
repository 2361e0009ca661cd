#include "cli/Commands.h"

namespace orlamo::cli {

const std::vector<CommandEntry>& AllCommands() {
    static const std::vector<CommandEntry> commands{
        {"inspect", InspectCommand, "inspect [--json] FILE...            check and measure wave files"},
        {"list", ListCommand, "list [--json] FILE.arh|FILE.pla      list an archive or a playlist"},
        {"compile", CompileCommand,
         "compile PLAYLIST.pla -o OUT.wrk [--force] [--allow-large]  compile a work file"},
        {"info", InfoCommand, "info [--json] WORK.wrk               check a work file"},
        {"extract", ExtractCommand, "extract WORK.wrk -d DIR              unpack a work file's slots"},
    };
    return commands;
}

} // namespace orlamo::cli
