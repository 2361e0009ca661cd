#include "extras/SlotPreview.h"

#include "extras/Capacity.h"
#include "extras/SlotWave.h"

#include <cstdio>
#include <memory>

namespace orlamo {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

SlotPreview Refusal(std::string message) {
    SlotPreview preview;
    preview.Message = std::move(message);
    return preview;
}

} // namespace

SlotPreview PreviewSlot(const WAVE_DPTR& slot, int slotNumber) {
    if (IsEmptySlot(slot))
        return Refusal("Slot " + std::to_string(slotNumber) + " is empty");
    const SlotWaveCheck check = CheckSlotWave(slot, slotNumber);
    if (!check.Ok())
        return Refusal(check.Problem);
    const std::string label = SlotLabel(slotNumber, slot);
    if (check.Fresh.DataSize > PreviewByteLimit)
        return Refusal(label + ": " + WithThousands(check.Fresh.DataSize) +
                       " bytes of sound data are too many to preview (at most " +
                       WithThousands(PreviewByteLimit) + ")");

    // The copier writes to a file, as it does for the compiler; a scratch file stands in for it.
    FilePointer wave(std::fopen(slot.FullPath.c_str(), "rb"));
    FilePointer scratch(std::tmpfile());
    if (!wave)
        return Refusal(label + ": the wave file cannot be opened");
    if (!scratch)
        return Refusal(label + ": no room for a scratch file to copy the sound data into");
    const WaveCopyResult copied = CopyWaveData(scratch.get(), wave.get());
    if (copied.WriteFailed)
        return Refusal(label + ": no room for a scratch file to copy the sound data into");
    if (!copied.Complete() || copied.DataSize != check.Fresh.DataSize)
        return Refusal(label + ": the wave file changed while it was read");

    SlotPreview preview;
    preview.Bytes.resize(copied.DataSize);
    std::rewind(scratch.get());
    if (std::fread(preview.Bytes.data(), 1, preview.Bytes.size(), scratch.get()) !=
        preview.Bytes.size())
        return Refusal(label + ": the scratch copy of the sound data cannot be read back");
    preview.Ok = true;
    preview.RateIndex = check.Fresh.RateIndex;
    preview.SampleRate = WaveRateTable[static_cast<std::size_t>(preview.RateIndex)];
    preview.Bits = RateIndexBits(preview.RateIndex);
    return preview;
}

SlotPreview PreviewSlot(const PlayList& list, int slotNumber) {
    if (slotNumber < 1 || slotNumber > PlayListSlots)
        return Refusal("There is no slot " + std::to_string(slotNumber) + "; slots run from 1 to " +
                       std::to_string(PlayListSlots));
    return PreviewSlot(list.Slot(slotNumber), slotNumber);
}

} // namespace orlamo
