// Conversion on import over any file libsndfile may take for sound: a file it accepts converts
// into a wave the inspector accepts at the rate index asked for, whose data size is the frames
// written times the sample size; a refused one writes nothing.

#include "checks/FuzzChecks.h"
#include "convert/WaveConvert.h"
#include "formats/WaveInspector.h"

#include <filesystem>

namespace orlamo::fuzz {

void CheckConvertInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = WriteScratchFile("input.snd", data, size);
    const ConversionTarget target = ProposedTarget(input);
    if (!target.Ok) {
        Require(!target.Message.empty(), "a refused source says why");
        return;
    }
    Require(target.RateIndex >= 0 && target.RateIndex <= 9, "the proposal is a rate index");
    Require(target.SourceChannels >= 1 && target.SourceRate >= 1, "the source has channels");

    const std::string output = FreshScratchSubfolder("converted") + "/out.wav";
    const ConversionResult result = ConvertWave(input, output, target.RateIndex);
    if (!result.Ok) {
        Require(!result.Message.empty(), "a failed conversion says why");
        Require(!std::filesystem::exists(output), "a failed conversion writes nothing");
        return;
    }
    const WaveInspection written = InspectWaveFile(output);
    Require(written.RateIndex == target.RateIndex, "the wave written has the rate index asked for");
    Require(written.DataSize == result.DataSize, "the wave written holds the size reported");
    Require(static_cast<std::uint64_t>(result.FramesWritten) *
                    (RateIndexBits(target.RateIndex) / 8) ==
                result.DataSize,
            "the size is the frames written times the sample size");
}

} // namespace orlamo::fuzz
