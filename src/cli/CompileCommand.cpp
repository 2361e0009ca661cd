// orlamo-cli compile: reads a playlist file and compiles it into a work file. The two questions
// the editor asks (replace an existing file, write more than 1,000,000 bytes of sound) are
// answered here by flags; without them the command refuses and writes nothing.

#include "cli/Cli.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "formats/Paths.h"
#include "formats/PlayListFile.h"
#include "formats/WorkFile.h"
#include "model/Messages.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace orlamo::cli {

namespace {

constexpr std::string_view CompileUsage =
    "Usage: orlamo-cli compile PLAYLIST.pla -o OUT.wrk [--force] [--allow-large]\n"
    "\n"
    "Compiles a playlist into a work file: the header, the slot table up to the last occupied\n"
    "slot and the sound data of every occupied slot in slot order. Every wave is checked again\n"
    "first; a missing, refused or changed wave stops the compile and nothing is written.\n"
    "\n"
    "  -o OUT.wrk       the work file to write\n"
    "  --force          replace OUT.wrk when it exists\n"
    "  --allow-large    compile even when the sound data exceeds 1000000 bytes\n"
    "\n"
    "Exit status: 0 compiled, 1 refused or failed (nothing written), 2 usage error.\n";

} // namespace

int CompileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CommandLine line = ParseCommandLine(args, {"--force", "--allow-large"}, {"-o"});
    if (line.Help) {
        out << CompileUsage;
        return ExitOk;
    }
    if (!line.Problem.empty())
        return UsageError(err, CompileUsage, line.Problem);
    if (line.Positional.size() != 1)
        return UsageError(err, CompileUsage, "compile takes exactly one playlist file");
    const std::string output = line.Value("-o");
    if (output.empty())
        return UsageError(err, CompileUsage, "compile needs the work file to write: -o OUT.wrk");

    const std::string& playlistPath = line.Positional.front();
    if (ExtensionPart(playlistPath) != ".pla") {
        err << "orlamo-cli: " << playlistPath << ": " << ResString(MessageId::FileTypeError)
            << " (a playlist file ends in .pla)\n";
        return ExitRefused;
    }
    PlayListReadResult read = ReadPlayListFile(playlistPath);
    if (!read.FileFound) {
        err << "orlamo-cli: " << playlistPath << ": " << ResString(MessageId::NotFoundFile) << "\n";
        return ExitRefused;
    }
    if (read.ReadFailed) {
        err << "orlamo-cli: " << read.Message << "\n";
        return ExitRefused;
    }
    for (const std::string& warning : read.Warnings)
        err << "orlamo-cli: " << playlistPath << ": " << warning << "\n";
    PlayList& list = read.List;

    std::error_code error;
    if (std::filesystem::exists(output, error) && !line.Has("--force")) {
        err << "orlamo-cli: " << output << " exists; add --force to replace it\n";
        return ExitRefused;
    }
    if (list.TotalSize() > static_cast<std::int64_t>(WorkFileSizeLimit) &&
        !line.Has("--allow-large")) {
        err << "orlamo-cli: the sound data totals " << list.TotalSize() << " bytes, more than "
            << WorkFileSizeLimit << "; add --allow-large to compile it anyway\n";
        return ExitRefused;
    }

    const CompileResult result = CompileWorkFile(output, list.AllSlots());
    if (!result.Ok) {
        err << "orlamo-cli: " << result.Message << "\n";
        return ExitRefused;
    }
    out << "Compiled " << output << ": " << result.UsedSlots
        << " used slots, N = " << result.EntryCount << ", total size " << result.TotalSize
        << " bytes, file size " << result.FileSize << " bytes\n";
    return ExitOk;
}

} // namespace orlamo::cli
