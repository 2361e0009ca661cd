#include "extras/SlotWave.h"

#include "formats/WorkFile.h"

#include <filesystem>
#include <system_error>

namespace orlamo {

std::string SlotLabel(int slotNumber, const WAVE_DPTR& slot) {
    const std::string& shown = slot.FullPath.empty() ? slot.FileName : slot.FullPath;
    return "Slot " + std::to_string(slotNumber) + " (" + shown + ")";
}

SlotWaveCheck CheckSlotWave(const WAVE_DPTR& slot, int slotNumber) {
    SlotWaveCheck check;
    check.Fresh = InspectWaveFile(slot.FullPath);
    const std::string label = SlotLabel(slotNumber, slot);
    if (!check.Fresh.Accepted()) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(slot.FullPath, error)) {
            check.Status = SlotWaveStatus::Missing;
            check.Problem = label + ": the wave file is missing";
        } else {
            check.Status = SlotWaveStatus::Refused;
            check.Problem = label + ": the wave file is refused: " + check.Fresh.Message;
        }
        return check;
    }
    if (check.Fresh.DataSize != slot.DataSize) {
        check.Status = SlotWaveStatus::SizeChanged;
        check.Problem = label + ": the wave file now holds " +
                        std::to_string(check.Fresh.DataSize) +
                        " bytes of sound data, the playlist records " +
                        std::to_string(slot.DataSize) + "; reload the playlist";
        return check;
    }
    if (check.Fresh.DataSize > MaxVoiceDataSize) {
        check.Status = SlotWaveStatus::TooLarge;
        check.Problem = label + ": " + std::to_string(check.Fresh.DataSize) +
                        " bytes of sound data; a voice must stay below " +
                        std::to_string(MaxVoiceDataSize + 1) + " bytes";
    }
    return check;
}

} // namespace orlamo
