// Compiles a playlist's slots into a work file. Every occupied slot's wave is inspected again
// first, so the table is laid out from what the files hold now; the data is then streamed into a
// temporary file that replaces the target only when every byte the table announces was copied.

#include "formats/AtomicFile.h"
#include "formats/WaveInspector.h"
#include "formats/WorkFile.h"
#include "model/PlayList.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace orlamo {

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t HeaderSize = 12;
constexpr std::uint32_t EntrySize = 8;

// One occupied slot as it will go into the file.
struct PlannedVoice {
    int Slot = 0;
    std::string Path;
    std::uint32_t DataSize = 0;
    std::uint32_t FormatCode = 0;
};

void PutLe16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void PutLe32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

std::string SlotText(int slot, const std::string& path) {
    return "Slot " + std::to_string(slot) + " (" + path + ")";
}

CompileResult Refusal(std::string message) {
    CompileResult result;
    result.Message = std::move(message);
    return result;
}

// Whether writing the work file at `target` would replace the wave file at `wavePath`.
bool SameFile(const std::string& target, const std::string& wavePath) {
    std::error_code error;
    return fs::exists(target, error) && fs::equivalent(target, wavePath, error) && !error;
}

// Inspects every occupied slot and collects what the table will say. Empty on success, else the
// reason the compile stops.
std::string PlanVoices(const std::string& target, const std::vector<WAVE_DPTR>& slots,
                       std::vector<PlannedVoice>& planned) {
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const WAVE_DPTR& record = slots[i];
        if (IsEmptySlot(record))
            continue;
        const int slot = static_cast<int>(i) + 1;
        const std::string& path = record.FullPath;
        const std::string shown = path.empty() ? record.FileName : path;
        if (slot > PlayListSlots)
            return SlotText(slot, shown) + ": a playlist has only " +
                   std::to_string(PlayListSlots) + " slots";
        const WaveInspection fresh = InspectWaveFile(path);
        if (!fresh.Accepted()) {
            std::error_code error;
            if (!fs::is_regular_file(path, error))
                return SlotText(slot, shown) + ": the wave file is missing";
            return SlotText(slot, shown) + ": the wave file is refused: " + fresh.Message;
        }
        if (fresh.DataSize != record.DataSize)
            return SlotText(slot, shown) + ": the wave file now holds " +
                   std::to_string(fresh.DataSize) + " bytes of sound data, the playlist records " +
                   std::to_string(record.DataSize) + "; reload the playlist";
        if (fresh.DataSize > MaxVoiceDataSize)
            return SlotText(slot, shown) + ": " + std::to_string(fresh.DataSize) +
                   " bytes of sound data; a voice must stay below " +
                   std::to_string(MaxVoiceDataSize + 1) + " bytes";
        if (SameFile(target, path))
            return SlotText(slot, shown) + ": the work file would replace this wave file";
        planned.push_back({slot, path, fresh.DataSize, WaveFormatCode(fresh.RateIndex)});
    }
    return {};
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

CompileResult CompileWorkFile(const std::string& path, std::vector<WAVE_DPTR>& slots) {
    std::vector<PlannedVoice> planned;
    if (std::string problem = PlanVoices(path, slots, planned); !problem.empty())
        return Refusal(std::move(problem));

    std::uint64_t total = 0;
    for (const auto& voice : planned)
        total += voice.DataSize;
    if (total > MaxTotalDataSize)
        return Refusal("The sound data of the playlist totals " + std::to_string(total) +
                       " bytes; a work file holds at most " + std::to_string(MaxTotalDataSize) +
                       " bytes");

    const int entries = planned.empty() ? 0 : planned.back().Slot;
    const std::uint32_t dataStart = HeaderSize + EntrySize * static_cast<std::uint32_t>(entries);

    // Offsets of slots 1 to N: every slot, empty ones included, takes the running offset.
    std::vector<std::uint32_t> offsets(static_cast<std::size_t>(entries));
    std::vector<const PlannedVoice*> bySlot(static_cast<std::size_t>(entries), nullptr);
    for (const auto& voice : planned)
        bySlot[static_cast<std::size_t>(voice.Slot - 1)] = &voice;
    std::uint32_t running = dataStart;
    for (int k = 1; k <= entries; ++k) {
        offsets[static_cast<std::size_t>(k - 1)] = running;
        if (const PlannedVoice* voice = bySlot[static_cast<std::size_t>(k - 1)])
            running += voice->DataSize;
    }

    std::string head;
    head.reserve(dataStart);
    head += "ORMN";
    PutLe16(head, WorkFileConstant);
    PutLe16(head, static_cast<std::uint16_t>(entries));
    PutLe32(head, static_cast<std::uint32_t>(total));
    for (int k = 1; k <= entries; ++k) {
        const PlannedVoice* voice = bySlot[static_cast<std::size_t>(k - 1)];
        PutLe32(head, voice ? voice->DataSize + voice->FormatCode : 0);
        PutLe32(head, voice ? offsets[static_cast<std::size_t>(k - 1)] : 0);
    }

    AtomicFile file(path);
    if (!file.Open() || !file.Write(head))
        return Refusal(UnableToWriteMessage(path));
    for (const auto& voice : planned) {
        std::unique_ptr<std::FILE, FileCloser> wave(std::fopen(voice.Path.c_str(), "rb"));
        if (!wave)
            return Refusal(SlotText(voice.Slot, voice.Path) + ": the wave file cannot be opened");
        const WaveCopyResult copied = CopyWaveData(file.Handle(), wave.get());
        if (copied.WriteFailed)
            return Refusal(UnableToWriteMessage(path));
        if (!copied.Complete() || copied.DataSize != voice.DataSize)
            return Refusal(
                SlotText(voice.Slot, voice.Path) + ": the wave file changed while it was copied (" +
                std::to_string(copied.BytesWritten) + " of " + std::to_string(voice.DataSize) +
                " bytes); the work file was not written");
    }
    if (!file.Commit())
        return Refusal(UnableToWriteMessage(path));

    for (int k = 1; k <= entries; ++k)
        slots[static_cast<std::size_t>(k - 1)].DataOffset =
            offsets[static_cast<std::size_t>(k - 1)];

    CompileResult result;
    result.Ok = true;
    result.EntryCount = entries;
    result.UsedSlots = static_cast<int>(planned.size());
    result.TotalSize = static_cast<std::uint32_t>(total);
    result.FileSize = dataStart + total;
    return result;
}

} // namespace orlamo
