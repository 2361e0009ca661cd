// Large libraries: an archive of 50,000 voices in 20 bins and an archive whose one bin holds
// 20,000 voices, every voice with a wave file of its own. Times loading and saving them, filling a
// playlist from the large bin and compiling it, and reading every wave header alone (the floor
// loading stands on). Peak memory is measured in a fresh process per operation (this program run
// again with --measure; it includes loading the archive the operation needs), so that one
// benchmark's memory never shows in another's figure.
//
// Targets: loading takes at most twice the header scan ("x_headers" in wall-clock time,
// "x_headers_cpu" in processor time, each the best run against the best scan); peak memory stays
// below 200 MB ("peak_MB"; "baseline_MB" is the same process doing nothing).

#include "formats/ArchiveFile.h"
#include "formats/PlayListFile.h"
#include "formats/WaveInspector.h"
#include "formats/WorkFile.h"
#include "model/Library.h"
#include "model/PlayList.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int LargeBins = 20;
constexpr int VoicesPerLargeBin = 2500; // 50,000 voices in all
constexpr int BigBinVoices = 20000;

std::string Le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string Le32(std::uint32_t v) {
    return Le16(static_cast<std::uint16_t>(v & 0xFFFF)) + Le16(static_cast<std::uint16_t>(v >> 16));
}

// A short mono 16 kHz 16-bit prompt with a LIST chunk before its data, as recorders write them.
std::string PromptWave(std::uint32_t dataSize) {
    const std::string fmt = Le16(1) + Le16(1) + Le32(16000) + Le32(32000) + Le16(2) + Le16(16);
    const std::string chunks = "fmt " + Le32(16) + fmt + "LIST" + Le32(4) + "INFO" + "data" +
                               Le32(dataSize) + std::string(dataSize, '\x10');
    return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

orlamo::WAVE_DPTR Voice(const fs::path& wave, int bin, int index) {
    orlamo::WAVE_DPTR voice;
    voice.FileName = wave.filename().string();
    voice.FullPath = wave.string();
    voice.VoiceName = "Announcement " + std::to_string(index + 1);
    voice.Descripition = "Platform " + std::to_string(bin + 1) + ", message " +
                         std::to_string(index + 1) + " of the evening timetable";
    return voice;
}

// The two archives and their 50,000 wave files, made once in a scratch folder.
class LargeLibraries {
public:
    LargeLibraries() {
        Root = fs::temp_directory_path() / ("orlamo-large-" + std::to_string(::getpid()));
        fs::create_directories(Root / "wave");
        orlamo::Library large;
        large.SetArchiveNode("Large");
        for (int b = 0; b < LargeBins; ++b) {
            std::vector<orlamo::WAVE_DPTR> voices;
            for (int v = 0; v < VoicesPerLargeBin; ++v) {
                const fs::path wave =
                    Root / "wave" / ("b" + std::to_string(b) + "-v" + std::to_string(v) + ".wav");
                std::ofstream(wave, std::ios::binary) << PromptWave(200 + 2 * (v % 200));
                WavePaths.push_back(wave.string());
                voices.push_back(Voice(wave, b, v));
            }
            large.AddBin("Platform " + std::to_string(b + 1), std::move(voices));
        }
        LargePath = (Root / "large.arh").string();
        Save(LargePath, large);

        orlamo::Library big;
        big.SetArchiveNode("Big bin");
        std::vector<orlamo::WAVE_DPTR> voices;
        for (int v = 0; v < BigBinVoices; ++v)
            voices.push_back(Voice(WavePaths[static_cast<std::size_t>(v)], 0, v));
        big.AddBin("Everything", std::move(voices));
        BigBinPath = (Root / "bigbin.arh").string();
        Save(BigBinPath, big);
    }
    ~LargeLibraries() {
        std::error_code ignored;
        fs::remove_all(Root, ignored);
    }

    fs::path Root;
    std::string LargePath;
    std::string BigBinPath;
    std::vector<std::string> WavePaths;

private:
    static void Save(const std::string& path, const orlamo::Library& library) {
        const auto saved = orlamo::SaveArchive(path, library);
        if (!saved.Ok)
            throw std::runtime_error(saved.Message);
    }
};

LargeLibraries& Libraries() {
    static LargeLibraries libraries;
    return libraries;
}

orlamo::Library LoadWhole(const std::string& path, int voices) {
    auto result = orlamo::LoadArchive(path);
    if (!result.Loaded() || result.Archive.VoiceCount() != voices)
        throw std::runtime_error("the archive did not load whole: " + path);
    return std::move(result.Archive);
}

// Add To PlayList with the first 245 voices of the bin selected, then the bin view's marking of
// the voices that are in the playlist.
orlamo::PlayList FillPlayList(orlamo::Library& library, int bin) {
    orlamo::PlayList list("bench");
    auto& voices = library.BinAt(bin).Voices;
    for (int n = 1; n <= orlamo::PlayListSlots && n <= static_cast<int>(voices.size()); ++n) {
        orlamo::WAVE_DPTR slot = voices[static_cast<std::size_t>(n - 1)];
        slot.InPlayList = 1;
        slot.SourceBin = bin;
        slot.SourceIndex = n - 1;
        slot.SlotNumber = n;
        list.Slot(n) = std::move(slot);
    }
    std::unordered_set<std::string_view> paths;
    for (const auto& slot : list.AllSlots())
        paths.insert(slot.FullPath);
    for (auto& voice : voices)
        voice.InPlayList = paths.count(voice.FullPath) ? 1 : 0;
    return list;
}

// --- Peak memory, one fresh process per operation ----------------------------------------------

// Runs one operation in this (fresh) process; main() calls it for --measure.
int MeasureOperation(const std::string& operation, const std::string& archive,
                     const std::string& output, int voices) {
    if (operation == "baseline")
        return 0;
    orlamo::Library library = LoadWhole(archive, voices);
    if (operation == "load")
        return 0;
    if (operation == "save")
        return orlamo::SaveArchive(output, library).Ok ? 0 : 1;
    orlamo::PlayList list = FillPlayList(library, 0);
    if (operation == "playlist")
        return 0;
    if (operation == "compile")
        return orlamo::CompileWorkFile(output, list.AllSlots()).Ok ? 0 : 1;
    return 2;
}

// This process's peak resident memory in kB. Read from /proc, not from getrusage: a process
// forked from this large one carries the parent's peak in its rusage even after exec.
long PeakKilobytesOfThisProcess() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

std::string SelfPath() {
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error).string();
}

// Peak resident memory in MB of this program run with --measure, which prints it.
double PeakMegabytes(const std::string& operation, const std::string& archive, int voices) {
    static std::map<std::string, double> measured;
    const std::string key = operation + "|" + archive;
    if (const auto found = measured.find(key); found != measured.end())
        return found->second;
    const std::string output = (Libraries().Root / ("measure-" + operation + ".out")).string();
    const std::string command = "'" + SelfPath() + "' --measure " + operation + " '" + archive +
                                "' '" + output + "' " + std::to_string(voices);
    std::FILE* child = ::popen(command.c_str(), "r");
    char text[64] = {};
    const bool read = child && std::fgets(text, sizeof text, child) != nullptr;
    if (!child || ::pclose(child) != 0 || !read)
        throw std::runtime_error("the measuring process failed: " + operation);
    return measured[key] = std::stod(text) / 1024.0; // kB to MB
}

void ReportMemory(benchmark::State& state, const std::string& operation, const std::string& archive,
                  int voices) {
    state.counters["peak_MB"] = PeakMegabytes(operation, archive, voices);
    state.counters["baseline_MB"] = PeakMegabytes("baseline", archive, voices);
    state.counters["voices"] = voices;
}

// --- Times ---------------------------------------------------------------------------------------

// Wall-clock and processor seconds of `work`: the second stays steady on a busy machine.
struct Seconds {
    double Wall = 0;
    double Cpu = 0;
};

double CpuNow() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <class Work> Seconds Timed(Work&& work) {
    const auto wall = std::chrono::steady_clock::now();
    const double cpu = CpuNow();
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count(),
            CpuNow() - cpu};
}

// The best of three scans over the first `count` waves.
Seconds HeaderScanSeconds(std::size_t count) {
    Seconds best{1e9, 1e9};
    for (int round = 0; round < 3; ++round) {
        const Seconds scan = Timed([&] {
            for (std::size_t i = 0; i < count; ++i)
                benchmark::DoNotOptimize(orlamo::InspectWaveFile(Libraries().WavePaths[i]));
        });
        best = {std::min(best.Wall, scan.Wall), std::min(best.Cpu, scan.Cpu)};
    }
    return best;
}

void BM_HeaderScan(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    Libraries(); // made before the timing starts
    for (auto _ : state)
        for (std::size_t i = 0; i < count; ++i) {
            auto inspection = orlamo::InspectWaveFile(Libraries().WavePaths[i]);
            if (!inspection.Accepted())
                state.SkipWithError("a wave was refused");
            benchmark::DoNotOptimize(inspection);
        }
    state.counters["voices"] = static_cast<double>(count);
}
BENCHMARK(BM_HeaderScan)
    ->Arg(LargeBins* VoicesPerLargeBin)
    ->Arg(BigBinVoices)
    ->Unit(benchmark::kMillisecond);

void Load(benchmark::State& state, const std::string& path, int voices) {
    // Loading measured against one header scan over the same number of waves, both at their best.
    const Seconds headers = HeaderScanSeconds(static_cast<std::size_t>(voices));
    Seconds best{1e9, 1e9};
    for (auto _ : state) {
        const Seconds load = Timed([&] { benchmark::DoNotOptimize(LoadWhole(path, voices)); });
        best = {std::min(best.Wall, load.Wall), std::min(best.Cpu, load.Cpu)};
    }
    state.counters["headers_ms"] = headers.Wall * 1000;
    state.counters["x_headers"] = best.Wall / headers.Wall;
    state.counters["x_headers_cpu"] = best.Cpu / headers.Cpu;
    ReportMemory(state, "load", path, voices);
}

void Save(benchmark::State& state, const std::string& path, int voices) {
    const orlamo::Library library = LoadWhole(path, voices);
    const std::string target = (Libraries().Root / "saved.arh").string();
    for (auto _ : state)
        if (!orlamo::SaveArchive(target, library).Ok)
            state.SkipWithError("the save failed");
    state.counters["file_KB"] = static_cast<double>(fs::file_size(target)) / 1000;
    ReportMemory(state, "save", path, voices);
}

void BM_LoadArchive50k(benchmark::State& state) {
    Load(state, Libraries().LargePath, LargeBins * VoicesPerLargeBin);
}
BENCHMARK(BM_LoadArchive50k)->Unit(benchmark::kMillisecond);

void BM_SaveArchive50k(benchmark::State& state) {
    Save(state, Libraries().LargePath, LargeBins * VoicesPerLargeBin);
}
BENCHMARK(BM_SaveArchive50k)->Unit(benchmark::kMillisecond);

void BM_LoadBin20k(benchmark::State& state) {
    Load(state, Libraries().BigBinPath, BigBinVoices);
}
BENCHMARK(BM_LoadBin20k)->Unit(benchmark::kMillisecond);

void BM_SaveBin20k(benchmark::State& state) {
    Save(state, Libraries().BigBinPath, BigBinVoices);
}
BENCHMARK(BM_SaveBin20k)->Unit(benchmark::kMillisecond);

void BM_AddToPlayListFromBin20k(benchmark::State& state) {
    orlamo::Library library = LoadWhole(Libraries().BigBinPath, BigBinVoices);
    for (auto _ : state) {
        auto list = FillPlayList(library, 0);
        benchmark::DoNotOptimize(list);
    }
    ReportMemory(state, "playlist", Libraries().BigBinPath, BigBinVoices);
}
BENCHMARK(BM_AddToPlayListFromBin20k)->Unit(benchmark::kMillisecond);

void BM_CompileFromBin20k(benchmark::State& state) {
    orlamo::Library library = LoadWhole(Libraries().BigBinPath, BigBinVoices);
    orlamo::PlayList list = FillPlayList(library, 0);
    const std::string target = (Libraries().Root / "bench.wrk").string();
    for (auto _ : state)
        if (!orlamo::CompileWorkFile(target, list.AllSlots()).Ok)
            state.SkipWithError("the compile failed");
    state.counters["file_KB"] = static_cast<double>(fs::file_size(target)) / 1000;
    ReportMemory(state, "compile", Libraries().BigBinPath, BigBinVoices);
}
BENCHMARK(BM_CompileFromBin20k)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 6 && std::strcmp(argv[1], "--measure") == 0) {
        const int status = MeasureOperation(argv[2], argv[3], argv[4], std::stoi(argv[5]));
        std::printf("%ld\n", PeakKilobytesOfThisProcess());
        return status;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
