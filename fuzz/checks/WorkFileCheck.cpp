// The work-file checker over any bytes, and `orlamo-cli info` and `extract` over the same file.
// A file the checker passes must extract into waves that inspect as the table says and hold
// exactly the bytes the table points at; a file it refuses must extract nothing.

#include "checks/FuzzChecks.h"
#include "cli/Cli.h"
#include "formats/WaveInspector.h"
#include "formats/WorkFile.h"
#include "model/PlayList.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace orlamo::fuzz {

namespace {

std::string SlotFile(const std::string& folder, int slot) {
    char name[32];
    std::snprintf(name, sizeof name, "/slot-%03d.wav", slot);
    return folder + name;
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool SameReport(const WorkFileReport& a, const WorkFileReport& b) {
    if (a.Consistent != b.Consistent || a.Problems != b.Problems ||
        a.Slots.size() != b.Slots.size())
        return false;
    for (std::size_t i = 0; i < a.Slots.size(); ++i)
        if (a.Slots[i].Slot != b.Slots[i].Slot || a.Slots[i].DataSize != b.Slots[i].DataSize ||
            a.Slots[i].Offset != b.Slots[i].Offset || a.Slots[i].RateIndex != b.Slots[i].RateIndex)
            return false;
    return true;
}

} // namespace

void CheckWorkFileInput(const std::uint8_t* data, std::size_t size) {
    const WorkFileReport report = CheckWorkFileBytes(data, size);
    Require(report.Consistent == report.Problems.empty(), "consistent means no problem found");
    if (report.Consistent) {
        Require(report.Entries <= PlayListSlots, "a consistent table has at most 245 entries");
        std::uint64_t sum = 0;
        for (const auto& slot : report.Slots) {
            Require(slot.RateIndex >= 0 && slot.RateIndex <= 9, "a rate index is 0 to 9");
            Require(std::uint64_t{slot.Offset} + slot.DataSize <= size, "a slot lies in the file");
            sum += slot.DataSize;
        }
        Require(sum == report.TotalSize, "the slots add up to the header's total");
    }

    const std::string path = WriteScratchFile("input.wrk", data, size);
    Require(SameReport(report, CheckWorkFile(path)), "the file and the bytes check alike");

    std::ostringstream out, err;
    const int info = cli::Run({"info", "--json", path}, out, err);
    Require(info == (report.Consistent ? cli::ExitOk : cli::ExitRefused),
            "info passes exactly the consistent files");

    // The folder does not exist yet: extract makes it, and takes it away again on failure.
    const std::string folder = FreshScratchSubfolder("out") + "/waves";
    const int extracted = cli::Run({"extract", path, "-d", folder}, out, err);
    if (!report.Consistent) {
        Require(extracted == cli::ExitRefused, "extract refuses an inconsistent file");
        Require(!std::filesystem::exists(folder), "a refused extract writes nothing");
        return;
    }
    Require(extracted == cli::ExitOk, "extract takes every consistent file");
    for (const auto& slot : report.Slots) {
        const std::string wave = SlotFile(folder, slot.Slot);
        const WaveInspection inspected = InspectWaveFile(wave);
        Require(inspected.RateIndex == slot.RateIndex, "an extracted wave has the slot's format");
        Require(inspected.DataSize == slot.DataSize, "an extracted wave has the slot's size");
        const std::string bytes = FileBytes(wave);
        Require(bytes.size() >= inspected.DataStart + std::size_t{slot.DataSize},
                "an extracted wave holds its data");
        Require(bytes.compare(inspected.DataStart, slot.DataSize,
                              reinterpret_cast<const char*>(data) + slot.Offset,
                              slot.DataSize) == 0,
                "an extracted wave holds the slot's bytes");
    }

    // The extracted waves, placed in their slots and compiled, give back the very same file.
    std::vector<WAVE_DPTR> slots(PlayListSlots);
    for (const auto& slot : report.Slots) {
        WAVE_DPTR& record = slots[static_cast<std::size_t>(slot.Slot - 1)];
        record.FullPath = SlotFile(folder, slot.Slot);
        record.FileName = std::filesystem::path(record.FullPath).filename().string();
        record.DataSize = slot.DataSize;
        record.FormatCode = WaveFormatCode(slot.RateIndex);
        record.SlotNumber = slot.Slot;
    }
    const std::string again = FreshScratchSubfolder("again") + "/again.wrk";
    const CompileResult compiled = CompileWorkFile(again, slots);
    Require(compiled.Ok, "the extracted waves compile");
    const std::string bytes = FileBytes(again);
    Require(bytes.size() == size && std::memcmp(bytes.data(), data, size) == 0,
            "extracting and compiling again gives the same work file");
}

} // namespace orlamo::fuzz
