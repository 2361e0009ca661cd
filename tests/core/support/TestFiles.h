#pragma once
// Helpers for core tests: wave files built byte by byte, and a temporary folder per test.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orlamo::test {

// Little-endian pieces.
std::string Le16(std::uint16_t value);
std::string Le32(std::uint32_t value);
// One RIFF chunk: id, size, body, and the pad byte when the body is odd (unless pad is false).
std::string Chunk(std::string_view id, std::string_view body, bool pad = true);
// A 16-byte fmt body (format tag 1 unless given).
std::string FmtBody(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                    std::uint16_t formatTag = 1);
// "RIFF" size "WAVE" followed by the chunks (the RIFF size is computed).
std::string Riff(std::string_view chunks);
// A canonical mono wave with `dataSize` bytes of a repeating pattern starting at `seed`.
std::string SimpleWave(std::uint32_t rate, std::uint16_t bits, std::uint32_t dataSize,
                       std::uint16_t channels = 1, unsigned seed = 0);
// The pattern SimpleWave puts in its data chunk.
std::string PatternBytes(std::uint32_t size, unsigned seed = 0);

void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& path);

// A fresh folder under the system's temporary folder, removed when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return Root; }
    std::string operator/(std::string_view name) const { return (Root / name).string(); }

private:
    std::filesystem::path Root;
};

} // namespace orlamo::test
