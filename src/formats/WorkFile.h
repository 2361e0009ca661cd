#pragma once
// The work file (.wrk), the image the module loads: a 12-byte header "ORMN", 11, N, total;
// N 8-byte table entries (size + format code, offset); the sound data of the occupied slots.

#include "model/WaveRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orlamo {

constexpr std::uint16_t WorkFileConstant = 11;
constexpr std::uint32_t WorkFileSizeLimit = 1000000; // above this the user is asked first
constexpr std::uint32_t MaxVoiceDataSize = (1u << 28) - 1;
constexpr std::uint32_t MaxTotalDataSize = 0x7FFFFFFF;

struct CompileResult {
    bool Ok = false;
    std::string Message;          // why nothing was written
    int EntryCount = 0;           // N
    int UsedSlots = 0;
    std::uint32_t TotalSize = 0;
    std::uint64_t FileSize = 0;
};

// Inspects every occupied slot afresh, refuses a slot whose wave is missing, refused or changed in
// size, lays out the table from those sizes, and writes the file through a temporary file.
// Sets DataOffset of slots 1 to N. On failure nothing is written and an existing file is intact.
CompileResult CompileWorkFile(const std::string& path, std::vector<WAVE_DPTR>& slots);

// A work file read back and checked (orlamo-cli info / extract).
struct WorkFileSlot {
    int Slot = 0;
    int RateIndex = 0;
    std::uint32_t DataSize = 0;
    std::uint32_t Offset = 0;
};

struct WorkFileReport {
    bool Readable = false;
    std::string Magic;
    std::uint16_t Constant = 0;
    std::uint16_t Entries = 0;
    std::uint32_t TotalSize = 0;
    std::uint64_t FileSize = 0;
    bool Consistent = false;
    std::vector<std::string> Problems;
    std::vector<WorkFileSlot> Slots; // occupied slots only
};

WorkFileReport CheckWorkFileBytes(const unsigned char* data, std::size_t size);
WorkFileReport CheckWorkFile(const std::string& path);

} // namespace orlamo
