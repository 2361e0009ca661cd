// Wave inspection speed: every file of a folder of 10,000 small wave files, inspected from its
// headers, as the archive and playlist loaders do for each voice. Reports the time per file.

#include "formats/WaveInspector.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using orlamo::InspectWaveBytes;
using orlamo::InspectWaveFile;
using orlamo::WaveInspection;

constexpr int FileCount = 10000;

std::string Le16(std::uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Le32(std::uint32_t value) {
    return Le16(static_cast<std::uint16_t>(value & 0xFFFF)) +
           Le16(static_cast<std::uint16_t>(value >> 16));
}

std::string Chunk(const std::string& id, const std::string& body) {
    std::string chunk = id + Le32(static_cast<std::uint32_t>(body.size())) + body;
    if (body.size() % 2 == 1)
        chunk += '\0';
    return chunk;
}

// A mono wave of a few hundred milliseconds at one of the accepted formats; every third one
// carries a LIST chunk between fmt and data, as many recorders write.
std::string SmallWave(int number) {
    const std::uint32_t rates[] = {8000, 8000, 11025, 16000, 22050, 44100};
    const std::uint32_t rate = rates[number % 6];
    const std::uint16_t bits = number % 6 == 0 ? 8 : 16;
    const std::uint16_t blockAlign = bits / 8;
    const std::string fmt =
        Le16(1) + Le16(1) + Le32(rate) + Le32(rate * blockAlign) + Le16(blockAlign) + Le16(bits);
    const std::uint32_t dataSize = 1000 + static_cast<std::uint32_t>(number % 7) * 500;
    std::string chunks = Chunk("fmt ", fmt);
    if (number % 3 == 0)
        chunks += Chunk("LIST", "INFOISFT" + Le32(5) + std::string("tool", 5));
    chunks += Chunk("data", std::string(dataSize, static_cast<char>(number)));
    return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

// The folder of generated files, made once and removed when the program ends.
class WaveFolder {
public:
    WaveFolder() {
        std::random_device entropy;
        Root = fs::temp_directory_path() / ("orlamo-inspect-bench-" + std::to_string(entropy()));
        fs::create_directories(Root);
        for (int i = 0; i < FileCount; ++i) {
            const fs::path path = Root / ("voice " + std::to_string(i) + ".wav");
            const std::string bytes = SmallWave(i);
            std::ofstream out(path, std::ios::binary);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!out)
                throw std::runtime_error("cannot write " + path.string());
            Paths.push_back(path.string());
        }
    }
    ~WaveFolder() {
        std::error_code ignored;
        fs::remove_all(Root, ignored);
    }
    WaveFolder(const WaveFolder&) = delete;
    WaveFolder& operator=(const WaveFolder&) = delete;

    const std::vector<std::string>& Files() const { return Paths; }

private:
    fs::path Root;
    std::vector<std::string> Paths;
};

const WaveFolder& Folder() {
    static const WaveFolder folder;
    return folder;
}

void BM_InspectFolder(benchmark::State& state) {
    const std::vector<std::string>& files = Folder().Files();
    for (auto _ : state) {
        int accepted = 0;
        for (const std::string& path : files)
            accepted += InspectWaveFile(path).Accepted() ? 1 : 0;
        if (accepted != FileCount)
            state.SkipWithError("a generated file was refused");
        benchmark::DoNotOptimize(accepted);
    }
    state.SetItemsProcessed(state.iterations() * FileCount);
    state.counters["time_per_file"] = benchmark::Counter(
        static_cast<double>(FileCount),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_InspectFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

// The chunk walk alone, without the file system: one file's bytes already in memory.
void BM_InspectBytes(benchmark::State& state) {
    const std::string bytes = SmallWave(3);
    for (auto _ : state) {
        const WaveInspection result =
            InspectWaveBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        benchmark::DoNotOptimize(result.DataSize);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InspectBytes);

} // namespace

BENCHMARK_MAIN();
