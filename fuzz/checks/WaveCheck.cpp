// The wave inspector over bytes in memory and over a file, and the data copier over the same
// bytes: the two inspections must agree, an accepted wave's numbers must lie inside the input,
// and the copier must copy exactly the bytes the inspector measured.

#include "checks/FuzzChecks.h"
#include "formats/WaveInspector.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orlamo::fuzz {

namespace {

// The rules restated plainly, as a second opinion on every input: chunks walked from offset 12,
// each body followed by its pad byte when odd; each fmt chunk (at least 16 bytes) judged on its
// own; the first data chunk after a fmt chunk ends the walk, its size cut to the bytes present.
WaveInspection ReferenceInspection(const std::uint8_t* data, std::size_t size) {
    auto le16 = [&](std::uint64_t at) { return std::uint32_t{data[at]} | data[at + 1] << 8; };
    auto le32 = [&](std::uint64_t at) { return le16(at) | le16(at + 2) << 16; };
    WaveInspection result;
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) {
        result.Message = "E:02 - Illegal file format";
        return result;
    }
    bool haveFmt = false;
    std::uint32_t channels = 0, rate = 0, bits = 0;
    auto formatError = [&] {
        return "Format Error - " + std::to_string(rate / 1000) + "K x " + std::to_string(bits) +
               "bit x " + (channels == 1 ? "Mono" : "Stereo");
    };
    int index = -1;
    for (std::uint64_t at = 12; at + 8 <= size;) {
        const std::uint32_t body = le32(at + 4);
        if (std::memcmp(data + at, "fmt ", 4) == 0) {
            if (body < 16 || at + 8 + 16 > size) {
                result.Message = "E:02 - Illegal file format";
                return result;
            }
            haveFmt = true;
            channels = le16(at + 10);
            rate = le32(at + 12);
            bits = le16(at + 22);
            index = -1;
            for (int i = 9; i >= 0; --i)
                if (WaveRateTable[static_cast<std::size_t>(i)] == rate)
                    index = i;
            if (index == 0 && bits != 8)
                index = 1;
            if (channels != 1 || index < 0 || (rate != 8000 && bits != 16)) {
                result.Message = formatError();
                return result;
            }
        } else if (std::memcmp(data + at, "data", 4) == 0) {
            if (!haveFmt) {
                result.Message = "E:02 - Illegal file format";
                return result;
            }
            result.RateIndex = index;
            result.DataStart = static_cast<std::uint32_t>(at + 8);
            result.DataSize =
                static_cast<std::uint32_t>(std::min<std::uint64_t>(body, size - at - 8));
            result.PlayTime = FormatPlayTime(2, result.DataSize / TimeDivisor(index));
            return result;
        }
        at += 8 + std::uint64_t{body} + (body & 1);
    }
    result.Message = haveFmt ? formatError() : "E:02 - Illegal file format";
    return result;
}

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
    Require(SameInspection(inMemory, ReferenceInspection(data, size)),
            "the inspector follows the rules as restated");

    const std::string path = WriteScratchFile("input.wav", data, size);
    Require(SameInspection(inMemory, InspectWaveFile(path)),
            "the file and the bytes in memory inspect alike");

    CheckCopy(data, size, inMemory);
}

} // namespace orlamo::fuzz
