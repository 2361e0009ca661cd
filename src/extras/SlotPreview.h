#pragma once
// The sound of one slot exactly as the module will play it: the bytes the work file will carry
// for the slot, with the rate and sample size the module reads them at.

#include "model/PlayList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orlamo {

// Previews are held in memory; a slot may hold up to 256 MiB, more than is sensible to play.
constexpr std::uint32_t PreviewByteLimit = 64u * 1024 * 1024;

struct SlotPreview {
    bool Ok = false;
    std::string Message; // why there is nothing to play
    int RateIndex = -1;
    std::uint32_t SampleRate = 0;
    int Bits = 0; // 8: unsigned samples; 16: signed little-endian samples
    std::vector<unsigned char> Bytes;
};

// Checks the slot's wave as the compiler does (missing, refused, changed in size since it was
// placed) and copies its data chunk with the compiler's copier.
SlotPreview PreviewSlot(const WAVE_DPTR& slot, int slotNumber);
SlotPreview PreviewSlot(const PlayList& list, int slotNumber);

} // namespace orlamo
