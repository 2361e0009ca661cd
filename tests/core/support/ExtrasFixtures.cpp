#include "support/ExtrasFixtures.h"

#include "cli/Cli.h"
#include "formats/WaveInspector.h"
#include "support/TestFiles.h"

#include <sstream>
#include <stdexcept>

namespace orlamo::test {

std::string PlaceWave(PlayList& list, int slot, const TempDir& dir, const std::string& fileName,
                      std::uint32_t rate, std::uint16_t bits, std::uint32_t dataSize,
                      const std::string& voiceName) {
    const std::string path = dir / fileName;
    WriteBytes(path, SimpleWave(rate, bits, dataSize, 1, static_cast<unsigned>(slot)));
    const WaveInspection inspection = InspectWaveFile(path);
    if (!inspection.Accepted())
        throw std::runtime_error(path + ": " + inspection.Message);
    WAVE_DPTR& record = list.Slot(slot);
    record.FileName = fileName.substr(fileName.find_last_of('/') + 1);
    record.FullPath = path;
    record.VoiceName = voiceName.empty() ? "Voice " + std::to_string(slot) : voiceName;
    record.DataSize = inspection.DataSize;
    record.PlayTime = inspection.PlayTime;
    record.FormatCode = WaveFormatCode(inspection.RateIndex);
    record.SlotNumber = slot;
    return path;
}

WAVE_DPTR MeasuredSlot(int slot, std::uint32_t dataSize, int rateIndex,
                       const std::string& voiceName, const std::string& fileName) {
    WAVE_DPTR record = MakeEmptySlot(slot);
    record.FileName = fileName.empty() ? "s" + std::to_string(slot) + ".wav" : fileName;
    record.FullPath = "/nowhere/" + record.FileName;
    record.VoiceName = voiceName;
    record.DataSize = dataSize;
    record.PlayTime = FormatPlayTime(2, dataSize / TimeDivisor(rateIndex));
    record.FormatCode = WaveFormatCode(rateIndex);
    return record;
}

CliRun RunCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.Exit = cli::Run(args, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace orlamo::test
