#pragma once
// The voice record: what a bin holds for each voice, what each playlist slot holds,
// and what the work-file compiler reads.

#include <cstdint>
#include <string>

namespace orlamo {

struct WAVE_DPTR {
    std::uint32_t DataSize = 0;   // bytes of the wave's data chunk
    std::uint32_t DataOffset = 0; // offset of the sound data in the work file (set by the compiler)
    std::string FileName;         // wave file name without folder; empty marks an empty slot
    std::string VoiceName;
    std::string Descripition;
    std::string FullPath; // folder followed by FileName
    std::string PlayTime; // "S.hh" as made by FormatPlayTime
    std::uint8_t InPlayList = 0;
    std::int32_t SourceBin = -1;   // on a slot: bin position (from 0) the voice came from
    std::int32_t SourceIndex = -1; // on a slot: voice position (from 0) in that bin
    std::int32_t SlotNumber = 0;   // on a slot: 1 to 245
    std::uint32_t FormatCode = 0;  // rate index << 28

    bool operator==(const WAVE_DPTR&) const = default;
};

// Empties a playlist slot. DataOffset, SlotNumber and FormatCode are kept.
void ResetVoice(WAVE_DPTR& record);

inline bool IsEmptySlot(const WAVE_DPTR& record) { return record.FileName.empty(); }

} // namespace orlamo
