#pragma once
// The checks the fuzz targets run on every input, shared with the core tests, which replay every
// input that once found a fault. Each reads the bytes as one kind of file and stops the run through
// Require when a property of the code under test does not hold.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace orlamo::fuzz {

// A folder for this process, made on first use and removed at exit.
const std::filesystem::path& ScratchFolder();
// Writes the bytes to a file of that name in the scratch folder and gives its path.
std::string WriteScratchFile(std::string_view name, const std::uint8_t* data, std::size_t size);
// Empties a folder under the scratch folder, making it when missing, and gives its path.
std::string FreshScratchSubfolder(std::string_view name);

// Puts the waves the archive and playlist seeds name into the scratch folder's "wave/": a.wav
// (8 kHz 8-bit), b.wav (16 kHz 16-bit) and c.wav (stereo, refused).
void PlaceSeedWaves();

// Stops the check when the condition is false. The fuzz targets abort, which libFuzzer records as
// a crash with its input; the core tests throw, so the failure names the input.
void Require(bool condition, const char* what);

// The wave inspector over bytes and over a file, and the data copier (fuzz_wave).
void CheckWaveInput(const std::uint8_t* data, std::size_t size);
// The INI reader and writer (fuzz_ini).
void CheckIniInput(const std::uint8_t* data, std::size_t size);
// LoadArchive, `orlamo-cli list` and a save and load again (fuzz_archive). Needs PlaceSeedWaves.
void CheckArchiveInput(const std::uint8_t* data, std::size_t size);
// ReadPlayListFile, `orlamo-cli list` and a write and read again (fuzz_playlist). Needs
// PlaceSeedWaves.
void CheckPlayListInput(const std::uint8_t* data, std::size_t size);
// The work-file checker, `orlamo-cli info` and `orlamo-cli extract` (fuzz_workfile).
void CheckWorkFileInput(const std::uint8_t* data, std::size_t size);
// ProposedTarget and ConvertWave over any file (fuzz_convert).
void CheckConvertInput(const std::uint8_t* data, std::size_t size);

} // namespace orlamo::fuzz
