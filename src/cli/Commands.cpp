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
        {"slotmap", SlotMapCommand,
         "slotmap PLAYLIST.pla [--format csv|h] [-o FILE]  export which slot plays which voice"},
        {"check", CheckCommand,
         "check [--json] PLAYLIST.pla [ARCHIVE.arh]  report what would stop a compile"},
        {"convert", ConvertCommand,
         "convert IN -o OUT.wav [--rate R] [--bits 8|16]  make a wave the module takes"},
    };
    return commands;
}

} // namespace orlamo::cli
