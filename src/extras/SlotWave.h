#pragma once
// One occupied slot's wave judged as the compiler will judge it: inspected afresh and compared
// with what the slot recorded when the voice was placed.

#include "formats/WaveInspector.h"
#include "model/WaveRecord.h"

#include <string>

namespace orlamo {

enum class SlotWaveStatus {
    Ok,
    Missing,     // no regular file at the full path
    Refused,     // there, but not one of the accepted formats
    SizeChanged, // accepted, but its data size differs from the slot's DataSize
    TooLarge,    // accepted, but too large for a table entry
};

struct SlotWaveCheck {
    SlotWaveStatus Status = SlotWaveStatus::Ok;
    WaveInspection Fresh; // the inspection just made
    std::string Problem;  // why the compiler would stop at this slot; empty when Ok

    bool Ok() const { return Status == SlotWaveStatus::Ok; }
};

// Judges the wave of an occupied slot (slotNumber names it in the message).
SlotWaveCheck CheckSlotWave(const WAVE_DPTR& slot, int slotNumber);

// "Slot 7 (/path/to/file.wav)", as the compiler names a slot in its messages.
std::string SlotLabel(int slotNumber, const WAVE_DPTR& slot);

} // namespace orlamo
