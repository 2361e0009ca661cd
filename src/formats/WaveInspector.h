#pragma once
// Wave file inspection: accepts the ten mono rate/bit combinations the module plays, measures a
// file from its headers alone, and copies a data chunk's samples into a work file.

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace orlamo {

// Index 0 is 8 kHz 8-bit, index 1 is 8 kHz 16-bit, the others 16-bit.
constexpr std::array<std::uint32_t, 10> WaveRateTable{8000,  8000,  11025, 12000, 16000,
                                                      22050, 24000, 32000, 44100, 48000};

struct WaveInspection {
    int RateIndex = -1;  // 0 to 9 when accepted, -1 when refused
    std::string Message; // set only when refused
    // accepted: bytes of sound data present (declared size, cut to the file)
    std::uint32_t DataSize = 0;
    std::string PlayTime;        // accepted: "S.hh"
    std::uint32_t DataStart = 0; // accepted: file offset of the first sample byte

    bool Accepted() const { return RateIndex >= 0; }
};

// Reads only the headers: a missing path, a folder or anything but a regular file gives
// "E:01 - File not found"; a file that is not RIFF/WAVE, has no fmt chunk of at least 16 bytes
// before its data chunk, or ends inside its fmt fields gives "E:02 - Illegal file format".
WaveInspection InspectWaveFile(const std::string& path);
// The same inspection over bytes already in memory (for fuzzing and tests).
WaveInspection InspectWaveBytes(const unsigned char* data, std::size_t size);

// Rate index << 28; 0 for an index outside 0 to 9.
std::uint32_t WaveFormatCode(int rateIndex);
// First table index holding this rate, or -1.
int FindRateIndex(std::uint32_t sampleRate);
// value / 10^digits with `digits` fraction digits ("15.43"); empty when digits is not 0 to 6.
std::string FormatPlayTime(int digits, std::uint32_t value);
// Bytes per hundredth of a second for a rate index (80 for index 0); 0 for an invalid index.
std::uint32_t TimeDivisor(int rateIndex);
// Bits per sample a rate index stands for (8 for index 0, else 16); 0 for an invalid index.
int RateIndexBits(int rateIndex);

// The six-line list of accepted formats appended to every refusal shown to the user.
const std::string& SupportedFormatText();

// Outcome of copying a wave's samples.
struct WaveCopyResult {
    bool DataChunkFound = false;
    std::uint32_t DataSize = 0;     // the size the inspector reports: declared, cut to the file
    std::uint64_t BytesWritten = 0; // samples actually copied
    bool ReadShort = false;         // the input gave fewer bytes than DataSize
    bool WriteFailed = false;       // the output refused bytes

    bool Complete() const {
        return DataChunkFound && !ReadShort && !WriteFailed && BytesWritten == DataSize;
    }
};

// Copies the data chunk of the wave file `input` (positioned anywhere; read from its start) to
// `output` at its current position, through a bounded buffer. Writes nothing when the input is
// not a RIFF/WAVE file or has no data chunk. The first data chunk is copied, DataSize bytes, the
// same count InspectWaveFile reports. Never writes filler: a short read is reported.
WaveCopyResult CopyWaveData(std::FILE* output, std::FILE* input);

// What the editor remembers of the last wave inspected successfully.
struct LastWave {
    std::uint32_t LastWaveSize = 0;
    std::string LastWaveTime;
    std::uint32_t LastWaveFormat = 0;
};

} // namespace orlamo
