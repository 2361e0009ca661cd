// The wave inspector over bytes in memory and over a file, and the data copier over the same
// bytes: the two inspections must agree, an accepted wave's numbers must lie inside the input,
// and the copier must copy exactly the bytes the inspector measured.

#include "checks/FuzzChecks.h"
#include "formats/WaveInspector.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orlamo::fuzz {

namespace {

bool SameInspection(const WaveInspection& a, const WaveInspection& b) {
    return a.RateIndex == b.RateIndex && a.Message == b.Message && a.DataSize == b.DataSize &&
           a.PlayTime == b.PlayTime && a.DataStart == b.DataStart;
}

void CheckInspection(const WaveInspection& result, std::size_t size) {
    if (!result.Accepted()) {
        Require(result.RateIndex == -1, "a refusal has rate index -1");
        Require(result.Message == "E:02 - Illegal file format" ||
                    result.Message.rfind("Format Error - ", 0) == 0,
                "a refusal names its reason");
        return;
    }
    Require(result.RateIndex >= 0 && result.RateIndex <= 9, "the rate index is 0 to 9");
    Require(result.Message.empty(), "an accepted wave has no message");
    Require(result.DataStart >= 20 && result.DataStart <= size, "the data starts inside the file");
    Require(result.DataSize <= size - result.DataStart, "the data size is cut to the file");
    Require(result.PlayTime == FormatPlayTime(2, result.DataSize / TimeDivisor(result.RateIndex)),
            "the play time follows from the size");
}

// Copies the data chunk of the input bytes into memory and checks it against the inspection.
void CheckCopy(const std::uint8_t* data, std::size_t size, const WaveInspection& inspection) {
    if (size == 0)
        return; // fmemopen takes no empty buffer; the inspection above covers it
    std::FILE* input = ::fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    Require(input != nullptr, "fmemopen");
    char* copied = nullptr;
    std::size_t copiedSize = 0;
    std::FILE* output = ::open_memstream(&copied, &copiedSize);
    Require(output != nullptr, "open_memstream");

    const WaveCopyResult result = CopyWaveData(output, input);
    std::fclose(input);
    std::fclose(output);

    Require(copiedSize == result.BytesWritten, "the count written is the bytes written");
    if (result.DataChunkFound) {
        // Bytes in memory never read short, and the output never refuses.
        Require(result.Complete(), "a found data chunk is copied whole");
    } else {
        Require(copiedSize == 0, "nothing is written without a data chunk");
    }
    if (inspection.Accepted()) {
        Require(result.DataChunkFound, "an accepted wave has a data chunk to copy");
        Require(result.DataSize == inspection.DataSize, "copier and inspector agree on the size");
        Require(std::memcmp(copied, data + inspection.DataStart, copiedSize) == 0,
                "the copy holds the data chunk's bytes");
    }
    std::free(copied);
}

} // namespace

void CheckWaveInput(const std::uint8_t* data, std::size_t size) {
    const WaveInspection inMemory = InspectWaveBytes(data, size);
    CheckInspection(inMemory, size);

    const std::string path = WriteScratchFile("input.wav", data, size);
    Require(SameInspection(inMemory, InspectWaveFile(path)),
            "the file and the bytes in memory inspect alike");

    CheckCopy(data, size, inMemory);
}

} // namespace orlamo::fuzz
