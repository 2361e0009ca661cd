#pragma once
// The playlist file (.pla): one section, four entries per slot, slot 1 first.

#include "formats/ArchiveFile.h"
#include "model/PlayList.h"

#include <optional>
#include <string>
#include <vector>

namespace orlamo {

struct PlayListReadResult {
    bool FileFound = false;  // something is at the path (a missing file reads as no slots at all)
    bool ReadFailed = false; // it is there but cannot be read (a folder, no permission)
    std::string Message;     // "Unable to read <path>" when ReadFailed
    PlayList List;           // always 245 slots, named after the file
    std::optional<LastWave> LastInspected; // results of the last slot whose wave was accepted
    std::vector<std::string> Warnings; // groups dropped: after slot 245, or incomplete at the end
};

// Reads the first section's entries four by four into slots 1, 2, ... by their position. Fewer
// groups are completed with empty slots. A relative "Filepath" is taken from the playlist's own
// folder. An occupied slot whose wave is missing or refused gets size 0, no time and code 0.
PlayListReadResult ReadPlayListFile(const std::string& path);
// The playlist's name taken from a path: the file name up to its first ".".
std::string PlayListNameFromPath(const std::string& path);
// The file text WritePlayListFile writes (stream form, for tests).
std::string PlayListText(const std::string& name, const std::vector<WAVE_DPTR>& slots);
// Why the playlist cannot be written, or "" when it can: a name or text holding a line break.
std::string PlayListStoreProblem(const std::string& name, const std::vector<WAVE_DPTR>& slots);
// Writes the whole file through a temporary file; the previous file stays intact on failure.
FileWriteResult WritePlayListFile(const std::string& path, const std::string& name,
                                  const std::vector<WAVE_DPTR>& slots);

} // namespace orlamo
