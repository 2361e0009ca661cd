#include "support/TestFiles.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace orlamo::test {

namespace fs = std::filesystem;

std::string Le16(std::uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Le32(std::uint32_t value) {
    return Le16(static_cast<std::uint16_t>(value & 0xFFFF)) + Le16(static_cast<std::uint16_t>(value >> 16));
}

std::string Chunk(std::string_view id, std::string_view body, bool pad) {
    std::string chunk(id);
    chunk += Le32(static_cast<std::uint32_t>(body.size()));
    chunk += body;
    if (pad && body.size() % 2 == 1)
        chunk += '\0';
    return chunk;
}

std::string FmtBody(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::uint16_t formatTag) {
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(channels * ((bits + 7) / 8));
    return Le16(formatTag) + Le16(channels) + Le32(rate) + Le32(rate * blockAlign) + Le16(blockAlign) +
           Le16(bits);
}

std::string Riff(std::string_view chunks) {
    return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + std::string(chunks);
}

std::string PatternBytes(std::uint32_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::uint32_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + seed * 13 + (i >> 8)) & 0xFF);
    return bytes;
}

std::string SimpleWave(std::uint32_t rate, std::uint16_t bits, std::uint32_t dataSize, std::uint16_t channels,
                       unsigned seed) {
    return Riff(Chunk("fmt ", FmtBody(channels, rate, bits)) + Chunk("data", PatternBytes(dataSize, seed)));
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TempDir::TempDir() {
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("orlamo-test-" + std::to_string(entropy()));
        if (fs::create_directory(candidate)) {
            Root = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    // A test may have made a folder read-only; give the rights back before removing.
    for (auto it = fs::recursive_directory_iterator(Root, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::permissions(Root, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(Root, ignored);
}

} // namespace orlamo::test
