#pragma once
// The playlist file (.pla): one section, four entries per slot, slot 1 first.

#include "formats/ArchiveFile.h"
#include "model/PlayList.h"

#include <optional>
#include <string>
#include <vector>

namespace orlamo {

struct PlayListReadResult {
    bool FileFound = false;
    PlayList List;                         // always 245 slots, named after the file
    std::optional<LastWave> LastInspected; // results of the last slot whose wave was accepted
};

PlayListReadResult ReadPlayListFile(const std::string& path);
// The playlist's name taken from a path: the file name up to its first ".".
std::string PlayListNameFromPath(const std::string& path);
// The file text WritePlayListFile writes (stream form, for tests).
std::string PlayListText(const std::string& name, const std::vector<WAVE_DPTR>& slots);
FileWriteResult WritePlayListFile(const std::string& path, const std::string& name,
                                  const std::vector<WAVE_DPTR>& slots);

} // namespace orlamo
