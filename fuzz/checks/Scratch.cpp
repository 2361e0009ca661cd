#include "checks/FuzzChecks.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include <unistd.h>

namespace orlamo::fuzz {

namespace fs = std::filesystem;

namespace {
void RemoveScratchFolder() {
    std::error_code ignored;
    fs::remove_all(ScratchFolder(), ignored);
}
} // namespace

const fs::path& ScratchFolder() {
    static const fs::path folder = [] {
        std::error_code error;
        fs::path base = fs::temp_directory_path(error);
        if (error)
            base = "/tmp";
        fs::path made = base / ("orlamo-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(made, error);
        std::atexit(RemoveScratchFolder);
        return made;
    }();
    return folder;
}

std::string WriteScratchFile(std::string_view name, const std::uint8_t* data, std::size_t size) {
    const std::string path = (ScratchFolder() / name).string();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close();
    Require(static_cast<bool>(file), "the scratch file could not be written");
    return path;
}

std::string FreshScratchSubfolder(std::string_view name) {
    const fs::path folder = ScratchFolder() / name;
    std::error_code error;
    fs::remove_all(folder, error);
    fs::create_directories(folder, error);
    Require(!error, "the scratch folder could not be made");
    return folder.string();
}

namespace {
std::string Le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string Wave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                 std::uint32_t dataSize) {
    const std::uint32_t blockAlign = channels * bits / 8u;
    const std::string fmt = Le(1, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * blockAlign, 4) +
                            Le(blockAlign, 2) + Le(bits, 2);
    const std::string chunks = "fmt " + Le(16, 4) + fmt + "data" + Le(dataSize, 4) +
                               std::string(dataSize, '\x55') + std::string(dataSize % 2, '\0');
    return "RIFF" + Le(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}
} // namespace

void PlaceSeedWaves() {
    std::error_code error;
    fs::create_directories(ScratchFolder() / "wave", error);
    const std::pair<const char*, std::string> waves[] = {
        {"wave/a.wav", Wave(1, 8000, 8, 31)},
        {"wave/b.wav", Wave(1, 16000, 16, 64)},
        {"wave/c.wav", Wave(2, 22050, 16, 40)},
    };
    for (const auto& [name, bytes] : waves)
        WriteScratchFile(name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

} // namespace orlamo::fuzz
