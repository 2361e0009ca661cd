#pragma once
// Fixtures for the tests of the capacity figures, slot map, completeness report, conversion and
// preview: playlists held in memory as the editor holds them, with their waves on disk.

#include "model/PlayList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orlamo::test {

class TempDir;

// Writes folder/fileName as a SimpleWave and places it into the slot, measured as the editor
// measures a voice it places. Returns the wave's full path.
std::string PlaceWave(PlayList& list, int slot, const TempDir& dir, const std::string& fileName,
                      std::uint32_t rate, std::uint16_t bits, std::uint32_t dataSize,
                      const std::string& voiceName = "");

// A slot as the editor holds it, without a file behind it.
WAVE_DPTR MeasuredSlot(int slot, std::uint32_t dataSize, int rateIndex,
                       const std::string& voiceName = "", const std::string& fileName = "");

// orlamo-cli run in-process.
struct CliRun {
    int Exit = -1;
    std::string Out;
    std::string Err;
};
CliRun RunCli(const std::vector<std::string>& args);

bool Contains(const std::string& text, const std::string& part);

} // namespace orlamo::test
