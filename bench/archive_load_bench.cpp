// Loading a large archive: 10,000 voices in 10 bins, every wave file present, so that each load
// inspects 10,000 headers. Compare the time per voice of LoadArchive with one header inspection
// (InspectWaveFile over the same files) and with reading the INI text alone.

#include "formats/ArchiveFile.h"
#include "formats/IniFile.h"
#include "formats/WaveInspector.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int BinCount = 10;
constexpr int VoicesPerBin = 1000;
constexpr int VoiceCount = BinCount * VoicesPerBin;

std::string Le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string Le32(std::uint32_t v) {
    return Le16(static_cast<std::uint16_t>(v & 0xFFFF)) + Le16(static_cast<std::uint16_t>(v >> 16));
}

// A mono 16 kHz 16-bit wave with a LIST chunk before its data, as recorders often write them.
std::string SmallWave(std::uint32_t dataSize) {
    std::string fmt = Le16(1) + Le16(1) + Le32(16000) + Le32(32000) + Le16(2) + Le16(16);
    std::string chunks = "fmt " + Le32(16) + fmt + "LIST" + Le32(4) + "INFO" + "data" +
                         Le32(dataSize) + std::string(dataSize, '\x10');
    return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

// The archive and its waves, made once per run in a folder of its own.
class LargeArchive {
public:
    LargeArchive() {
        Root = fs::temp_directory_path() / ("orlamo-bench-" + std::to_string(::getpid()));
        fs::create_directories(Root / "wave");
        orlamo::Library library;
        library.SetArchiveNode("Bench");
        for (int b = 0; b < BinCount; ++b) {
            std::vector<orlamo::WAVE_DPTR> voices;
            for (int v = 0; v < VoicesPerBin; ++v) {
                orlamo::WAVE_DPTR voice;
                voice.FileName = "bin" + std::to_string(b) + "-voice" + std::to_string(v) + ".wav";
                voice.FullPath = (Root / "wave" / voice.FileName).string();
                voice.VoiceName = "Voice " + std::to_string(v);
                voice.Descripition = "Bin " + std::to_string(b) + ", voice " + std::to_string(v);
                std::ofstream(voice.FullPath, std::ios::binary) << SmallWave(200 + 2 * v);
                WavePaths.push_back(voice.FullPath);
                voices.push_back(std::move(voice));
            }
            library.AddBin("Bin " + std::to_string(b), std::move(voices));
        }
        ArchivePath = (Root / "bench.arh").string();
        const auto saved = orlamo::SaveArchive(ArchivePath, library);
        if (!saved.Ok)
            throw std::runtime_error(saved.Message);
    }
    ~LargeArchive() {
        std::error_code ignored;
        fs::remove_all(Root, ignored);
    }

    fs::path Root;
    std::string ArchivePath;
    std::vector<std::string> WavePaths;
};

LargeArchive& Fixture() {
    static LargeArchive archive;
    return archive;
}

// Reports seconds per voice (or per file) next to the time per iteration.
void PerVoice(benchmark::State& state) {
    state.counters["per_voice"] = benchmark::Counter(
        VoiceCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_LoadArchive(benchmark::State& state) {
    const auto& archive = Fixture();
    for (auto _ : state) {
        auto result = orlamo::LoadArchive(archive.ArchivePath);
        if (!result.Loaded() || result.Archive.VoiceCount() != VoiceCount)
            state.SkipWithError("archive did not load whole");
        benchmark::DoNotOptimize(result);
    }
    PerVoice(state);
}
BENCHMARK(BM_LoadArchive)->Unit(benchmark::kMillisecond);

void BM_InspectWaveFile(benchmark::State& state) {
    const auto& archive = Fixture();
    for (auto _ : state) {
        for (const auto& path : archive.WavePaths) {
            auto inspection = orlamo::InspectWaveFile(path);
            if (!inspection.Accepted())
                state.SkipWithError("wave refused");
            benchmark::DoNotOptimize(inspection);
        }
    }
    PerVoice(state);
}
BENCHMARK(BM_InspectWaveFile)->Unit(benchmark::kMillisecond);

void BM_ParseArchiveText(benchmark::State& state) {
    const auto text = orlamo::ReadWholeFile(Fixture().ArchivePath);
    for (auto _ : state) {
        auto document = orlamo::IniDocument::Parse(*text);
        benchmark::DoNotOptimize(document);
    }
    PerVoice(state);
}
BENCHMARK(BM_ParseArchiveText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
