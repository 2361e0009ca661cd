#pragma once
// What the fuzz targets share: a scratch folder of their own for readers that take a path, and a
// check that stops the run loudly when a property of the code under test does not hold.

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

// Aborts (which libFuzzer records as a crash with the input) when the condition is false.
void Require(bool condition, const char* what);

} // namespace orlamo::fuzz
