#pragma once
// The wave measurements a voice record carries, taken again whenever a file is read.

#include "formats/WaveInspector.h"
#include "model/WaveRecord.h"

#include <optional>

namespace orlamo {

// Inspects the wave at voice.FullPath. An accepted wave sets DataSize, PlayTime and FormatCode and
// becomes the last inspected wave; a missing or refused one leaves the voice with size 0, no play
// time and code 0, never with another voice's values.
void InspectVoiceWave(WAVE_DPTR& voice, std::optional<LastWave>& lastInspected);

// The key's field name: what follows its first "." ("" when it has none). The number before the
// point is never read: entries count by their position.
std::string_view KeyFieldName(std::string_view key);

// Whether a text would break the line it is written on.
bool HoldsLineBreak(std::string_view text);

} // namespace orlamo
