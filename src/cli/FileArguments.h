#pragma once
// Reading the playlist and archive files named on the command line, with the refusals every
// command gives for them written to err.

#include "formats/ArchiveFile.h"
#include "model/PlayList.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace orlamo::cli {

// The playlist at path, or nothing when it is not a .pla file, is missing or cannot be read (the
// reason is written to err). The reader's warnings go to err as well.
std::optional<PlayList> ReadPlayListArgument(const std::string& path, std::ostream& err);
// The library of the archive at path, or nothing (the reason written to err).
std::optional<Library> LoadArchiveArgument(const std::string& path, std::ostream& err);

} // namespace orlamo::cli
