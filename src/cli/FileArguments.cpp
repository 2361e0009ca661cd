#include "cli/FileArguments.h"

#include "formats/Paths.h"
#include "formats/PlayListFile.h"
#include "model/Messages.h"

#include <ostream>

namespace orlamo::cli {

std::optional<PlayList> ReadPlayListArgument(const std::string& path, std::ostream& err) {
    if (ExtensionPart(path) != ".pla") {
        err << "orlamo-cli: " << path << ": " << ResString(MessageId::FileTypeError)
            << " (a playlist file ends in .pla)\n";
        return std::nullopt;
    }
    PlayListReadResult read = ReadPlayListFile(path);
    if (!read.FileFound) {
        err << "orlamo-cli: " << path << ": " << ResString(MessageId::NotFoundFile) << "\n";
        return std::nullopt;
    }
    if (read.ReadFailed) {
        err << "orlamo-cli: " << read.Message << "\n";
        return std::nullopt;
    }
    for (const std::string& warning : read.Warnings)
        err << "orlamo-cli: " << path << ": " << warning << "\n";
    return std::move(read.List);
}

std::optional<Library> LoadArchiveArgument(const std::string& path, std::ostream& err) {
    ArchiveLoadResult loaded = LoadArchive(path);
    for (const std::string& warning : loaded.Warnings)
        err << "orlamo-cli: " << path << ": " << warning << "\n";
    if (!loaded.Loaded()) {
        const std::string text =
            loaded.MessageId != 0 ? ResString(loaded.MessageId) : loaded.Message;
        err << "orlamo-cli: " << path << ": " << (text.empty() ? "nothing to read" : text);
        if (loaded.Result == ArchiveLoadResult::Status::WrongType)
            err << " (an archive file ends in .arh)";
        err << "\n";
        return std::nullopt;
    }
    return std::move(loaded.Archive);
}

} // namespace orlamo::cli
