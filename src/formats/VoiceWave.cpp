#include "formats/VoiceWave.h"

namespace orlamo {

void InspectVoiceWave(WAVE_DPTR& voice, std::optional<LastWave>& lastInspected) {
    const WaveInspection inspection = InspectWaveFile(voice.FullPath);
    if (!inspection.Accepted()) {
        voice.DataSize = 0;
        voice.PlayTime.clear();
        voice.FormatCode = 0;
        return;
    }
    voice.DataSize = inspection.DataSize;
    voice.PlayTime = inspection.PlayTime;
    voice.FormatCode = WaveFormatCode(inspection.RateIndex);
    lastInspected = LastWave{voice.DataSize, voice.PlayTime, voice.FormatCode};
}

std::string_view KeyFieldName(std::string_view key) {
    const auto dot = key.find('.');
    return dot == std::string_view::npos ? std::string_view() : key.substr(dot + 1);
}

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace orlamo
