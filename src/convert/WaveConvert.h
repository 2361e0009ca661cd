#pragma once
// Conversion on import: turns a sound file the module does not take (stereo, another sample size,
// another rate, another file format libsndfile reads) into one it takes: mono, resampled with
// libsamplerate, 16-bit, or 8-bit unsigned at 8 kHz. The original is only read.

#include <cstdint>
#include <string>

namespace orlamo {

// What a source file is and the rate index it would be converted to by default.
struct ConversionTarget {
    bool Ok = false;
    std::string Message; // why the file cannot be converted
    int RateIndex = -1;  // the proposed target
    std::uint32_t SourceRate = 0;
    int SourceChannels = 0;
    int SourceBits = 0; // bits per sample of integer or float samples; 0 for compressed ones
    std::int64_t SourceFrames = 0;
};

// Proposes the accepted rate nearest to the source's at or below it (8000 Hz for lower rates),
// 16-bit, or 8-bit when the source has 8-bit samples and goes to 8000 Hz.
ConversionTarget ProposedTarget(const std::string& path);
// The proposal's rule alone.
int ProposedRateIndex(std::uint32_t sourceRate, int sourceBits);
// The rate index of an output of this rate and sample size, or -1 when the module does not take
// it (8 bits only at 8000 Hz).
int RateIndexFor(std::uint32_t rate, int bits);

struct ConversionResult {
    bool Ok = false;
    std::string Message; // why nothing was written
    int RateIndex = -1;
    std::uint32_t DataSize = 0; // bytes of sound data written
    std::int64_t FramesWritten = 0;
};

// Converts `input` into a mono wave at rate index rateIndex (0 to 9) written whole at `output`
// through a temporary file. Refuses to write over the input. On failure nothing is written and a
// file already at `output` is intact.
ConversionResult ConvertWave(const std::string& input, const std::string& output, int rateIndex);

} // namespace orlamo
