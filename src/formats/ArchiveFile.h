#pragma once
// The archive file (.arh): one library, its bins in order and each bin's voices, with every
// voice's wave file inspected again while reading.

#include "formats/WaveInspector.h"
#include "model/Library.h"

#include <optional>
#include <string>
#include <vector>

namespace orlamo {

struct ArchiveLoadResult {
    enum class Status {
        Loaded,
        NoFileName, // the path has no file-name part: nothing to do, nothing to say
        WrongType,  // extension not exactly ".arh": message 2004
        NotFound,   // no file at the path: message 2201
        ReadFailed, // the file exists but cannot be read: "Unable to read %s"
    };
    Status Result = Status::NotFound;
    int MessageId = 0;   // 2004 or 2201 where the status has one, else 0
    std::string Message; // the text to show: that message's text, or "Unable to read <path>"
    Library Archive;     // the library read (only when Loaded)
    std::optional<LastWave> LastInspected; // results of the last voice whose wave was accepted
    // What the file held that the library could not take (sections naming no bin, an incomplete
    // last voice, no archive name); the library is read all the same.
    std::vector<std::string> Warnings;

    bool Loaded() const { return Result == Status::Loaded; }
};

// Reads the file at path. A "Filepath" that is a relative folder is taken from the archive's own
// folder. Voices whose wave is missing or refused are kept, with size 0, no time and code 0.
ArchiveLoadResult LoadArchive(const std::string& path);
// The file text SaveArchive writes for the library (stream form, for tests).
std::string ArchiveText(const Library& library);

struct FileWriteResult {
    bool Ok = false;
    std::string Message; // "Unable to write to <path>" on failure
};

// Why the library cannot be written as an archive file, or "" when it can: no archive node, two
// bins whose names differ only in letter case (the file would merge them), a bin name the file
// would change, or a text holding a line break.
std::string ArchiveStoreProblem(const Library& library);

// Writes the whole file through a temporary file; the previous file stays intact on failure.
// A library with an ArchiveStoreProblem is refused with that text and nothing is written.
FileWriteResult SaveArchive(const std::string& path, const Library& library);

} // namespace orlamo
