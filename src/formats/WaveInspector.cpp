#include "formats/WaveInspector.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace orlamo {

namespace {

constexpr std::size_t RiffHeaderSize = 12;
constexpr std::size_t ChunkHeaderSize = 8;
constexpr std::size_t FmtFieldsSize = 16; // only these bytes of a fmt chunk are read
constexpr std::size_t CopyBufferSize = 64 * 1024;
constexpr int PlayTimeDigits = 2; // play times are shown in hundredths
constexpr int MaxPlayTimeDigits = 6;
constexpr int FormatCodeShift = 28;

const char* const FileNotFoundMessage = "E:01 - File not found";
const char* const IllegalFormatMessage = "E:02 - Illegal file format";

std::uint16_t DecodeLe16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t DecodeLe32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// Random access to the bytes of a wave, so one chunk walk serves a path, an open stream and a
// buffer in memory alike.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;

    bool ReadExactly(std::uint64_t offset, unsigned char* buffer, std::size_t count) {
        if (offset >= HeldStart && offset - HeldStart + count <= HeldLength) {
            std::memcpy(buffer, Held + (offset - HeldStart), count);
            return true;
        }
        return ReadAt(offset, buffer, count) == count;
    }

    // Reads headers that lie next to each other with one read; ReadExactly then serves them
    // from memory. Called only for ranges that hold nothing but headers.
    void ReadAhead(std::uint64_t offset, std::size_t count) {
        HeldStart = offset;
        HeldLength = ReadAt(offset, Held, std::min(count, sizeof Held));
    }

protected:
    // Reads up to `count` bytes at `offset`; fewer at the end of the bytes or on a read error.
    virtual std::size_t ReadAt(std::uint64_t offset, unsigned char* buffer, std::size_t count) = 0;

private:
    unsigned char Held[RiffHeaderSize + ChunkHeaderSize + FmtFieldsSize];
    std::uint64_t HeldStart = 0;
    std::size_t HeldLength = 0;
};

class MemorySource final : public ByteSource {
public:
    MemorySource(const unsigned char* data, std::size_t size) : Data(data), Length(size) {}
    std::uint64_t Size() const override { return Length; }

protected:
    std::size_t ReadAt(std::uint64_t offset, unsigned char* buffer, std::size_t count) override {
        if (Data == nullptr || offset >= Length)
            return 0;
        const std::size_t available = Length - static_cast<std::size_t>(offset);
        const std::size_t taken = std::min(count, available);
        std::memcpy(buffer, Data + offset, taken);
        return taken;
    }

private:
    const unsigned char* Data;
    std::size_t Length;
};

// A file opened by path: positioned reads, so stepping over a body costs no read at all.
class DescriptorSource final : public ByteSource {
public:
    DescriptorSource(int descriptor, std::uint64_t size) : Descriptor(descriptor), Length(size) {}
    std::uint64_t Size() const override { return Length; }

protected:
    std::size_t ReadAt(std::uint64_t offset, unsigned char* buffer, std::size_t count) override {
        std::size_t done = 0;
        while (done < count) {
            const std::uint64_t position = offset + done;
            if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
                break;
            const ssize_t got =
                ::pread(Descriptor, buffer + done, count - done, static_cast<off_t>(position));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

private:
    int Descriptor;
    std::uint64_t Length;
};

// A stream the caller opened; its length comes from a seek to the end, never from reading.
class StreamSource final : public ByteSource {
public:
    explicit StreamSource(std::FILE* stream) : Stream(stream) {
        if (::fseeko(Stream, 0, SEEK_END) == 0) {
            const off_t end = ::ftello(Stream);
            if (end > 0)
                Length = static_cast<std::uint64_t>(end);
        }
    }
    std::uint64_t Size() const override { return Length; }

protected:
    std::size_t ReadAt(std::uint64_t offset, unsigned char* buffer, std::size_t count) override {
        if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) ||
            ::fseeko(Stream, static_cast<off_t>(offset), SEEK_SET) != 0)
            return 0;
        return std::fread(buffer, 1, count, Stream);
    }

private:
    std::FILE* Stream;
    std::uint64_t Length = 0;
};

struct ChunkHeader {
    unsigned char Id[4];
    std::uint32_t BodySize;
    std::uint64_t Offset; // of the chunk header; 64-bit so that no sum of sizes wraps

    bool Is(std::string_view id) const { return std::memcmp(Id, id.data(), sizeof Id) == 0; }
    std::uint64_t BodyStart() const { return Offset + ChunkHeaderSize; }
    // Bodies of odd size are followed by one pad byte.
    std::uint64_t Next() const { return BodyStart() + BodySize + (BodySize & 1U); }
};

bool HasRiffWaveHeader(ByteSource& source) {
    // The RIFF header and the first chunk's header come in one read.
    source.ReadAhead(0, RiffHeaderSize + ChunkHeaderSize);
    unsigned char header[RiffHeaderSize];
    return source.ReadExactly(0, header, sizeof header) && std::memcmp(header, "RIFF", 4) == 0 &&
           std::memcmp(header + 8, "WAVE", 4) == 0;
}

// Calls `visit` for each chunk after the RIFF header, in file order, stepping over every body
// unread. Ends when `visit` returns false or fewer than 8 bytes remain at the next chunk.
template <class Visit> void WalkChunks(ByteSource& source, Visit&& visit) {
    std::uint64_t offset = RiffHeaderSize;
    for (;;) {
        unsigned char bytes[ChunkHeaderSize];
        if (!source.ReadExactly(offset, bytes, sizeof bytes))
            return;
        ChunkHeader chunk{};
        std::memcpy(chunk.Id, bytes, sizeof chunk.Id);
        chunk.BodySize = DecodeLe32(bytes + 4);
        chunk.Offset = offset;
        if (!visit(chunk))
            return;
        offset = chunk.Next();
    }
}

// The data size a chunk really offers: its declared size, cut to the bytes the file holds.
std::uint32_t BytesPresent(const ByteSource& source, const ChunkHeader& chunk) {
    const std::uint64_t size = source.Size();
    const std::uint64_t available = size > chunk.BodyStart() ? size - chunk.BodyStart() : 0;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(chunk.BodySize, available));
}

struct FmtFields {
    std::uint16_t Channels = 0;
    std::uint32_t SampleRate = 0;
    std::uint16_t BitsPerSample = 0;
};

FmtFields DecodeFmt(const unsigned char* body) {
    // The format tag (0), byte rate (8) and block align (12) play no part in the decision.
    return {DecodeLe16(body + 2), DecodeLe32(body + 4), DecodeLe16(body + 14)};
}

// The rate index of an accepted format, or -1. At 8 kHz every depth but 8 bits counts as 16-bit.
int AcceptedRateIndex(const FmtFields& fmt) {
    int index = FindRateIndex(fmt.SampleRate);
    if (index < 0 || fmt.Channels != 1 || (index > 0 && fmt.BitsPerSample != 16))
        return -1;
    if (index == 0 && fmt.BitsPerSample != 8)
        index = 1;
    return index;
}

std::string FormatErrorMessage(const FmtFields& fmt) {
    return "Format Error - " + std::to_string(fmt.SampleRate / 1000) + "K x " +
           std::to_string(fmt.BitsPerSample) + "bit x " + (fmt.Channels == 1 ? "Mono" : "Stereo");
}

WaveInspection Refused(std::string message) {
    WaveInspection result;
    result.Message = std::move(message);
    return result;
}

WaveInspection Inspect(ByteSource& source) {
    if (!HasRiffWaveHeader(source))
        return Refused(IllegalFormatMessage);

    std::optional<FmtFields> fmt; // the last fmt chunk read
    int rateIndex = -1;
    std::optional<WaveInspection> outcome;
    WalkChunks(source, [&](const ChunkHeader& chunk) {
        if (chunk.Is("fmt ")) {
            unsigned char body[FmtFieldsSize];
            // A plain 16-byte fmt chunk is followed at once by the next chunk's header.
            if (chunk.BodySize == FmtFieldsSize)
                source.ReadAhead(chunk.BodyStart(), FmtFieldsSize + ChunkHeaderSize);
            if (chunk.BodySize < FmtFieldsSize ||
                !source.ReadExactly(chunk.BodyStart(), body, sizeof body)) {
                outcome = Refused(IllegalFormatMessage);
                return false;
            }
            fmt = DecodeFmt(body);
            rateIndex = AcceptedRateIndex(*fmt);
            if (rateIndex < 0) {
                outcome = Refused(FormatErrorMessage(*fmt));
                return false;
            }
            return true;
        }
        if (chunk.Is("data")) {
            // Without a fmt chunk first there is no rate to measure the samples by.
            if (!fmt || chunk.BodyStart() > std::numeric_limits<std::uint32_t>::max()) {
                outcome = Refused(IllegalFormatMessage);
                return false;
            }
            WaveInspection accepted;
            accepted.RateIndex = rateIndex;
            accepted.DataSize = BytesPresent(source, chunk);
            accepted.DataStart = static_cast<std::uint32_t>(chunk.BodyStart());
            accepted.PlayTime =
                FormatPlayTime(PlayTimeDigits, accepted.DataSize / TimeDivisor(rateIndex));
            outcome = std::move(accepted);
            return false;
        }
        return true;
    });
    if (outcome)
        return std::move(*outcome);
    // The file ended before any data chunk.
    return Refused(fmt ? FormatErrorMessage(*fmt) : std::string(IllegalFormatMessage));
}

} // namespace

WaveInspection InspectWaveFile(const std::string& path) {
    // Non-blocking so that a named pipe cannot hang the open; regular files ignore the flag.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return Refused(FileNotFoundMessage);
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return Refused(FileNotFoundMessage);
    }
    DescriptorSource source(descriptor, static_cast<std::uint64_t>(info.st_size));
    WaveInspection result = Inspect(source);
    ::close(descriptor);
    return result;
}

WaveInspection InspectWaveBytes(const unsigned char* data, std::size_t size) {
    MemorySource source(data, size);
    return Inspect(source);
}

std::uint32_t WaveFormatCode(int rateIndex) {
    if (rateIndex < 0 || rateIndex >= static_cast<int>(WaveRateTable.size()))
        return 0;
    return static_cast<std::uint32_t>(rateIndex) << FormatCodeShift;
}

int FindRateIndex(std::uint32_t sampleRate) {
    for (std::size_t i = 0; i < WaveRateTable.size(); ++i)
        if (WaveRateTable[i] == sampleRate)
            return static_cast<int>(i);
    return -1;
}

std::string FormatPlayTime(int digits, std::uint32_t value) {
    if (digits < 0 || digits > MaxPlayTimeDigits)
        return {};
    // Built lowest digit first, then turned round.
    std::string text;
    for (int i = 0; i < digits; ++i) {
        text += static_cast<char>('0' + value % 10);
        value /= 10;
    }
    text += '.';
    do {
        text += static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    std::reverse(text.begin(), text.end());
    return text;
}

std::uint32_t TimeDivisor(int rateIndex) {
    if (rateIndex < 0 || rateIndex >= static_cast<int>(WaveRateTable.size()))
        return 0;
    // Bytes per hundredth of a second: rate / 100 samples of two bytes, or of one byte for 8-bit.
    const std::uint32_t divisor = WaveRateTable[static_cast<std::size_t>(rateIndex)] / 50;
    return rateIndex == 0 ? divisor / 2 : divisor;
}

int RateIndexBits(int rateIndex) {
    if (rateIndex < 0 || rateIndex >= static_cast<int>(WaveRateTable.size()))
        return 0;
    return rateIndex == 0 ? 8 : 16;
}

const std::string& SupportedFormatText() {
    static const std::string text = "Support Wave Format (All Mono)\n" + std::string(43, '-') +
                                    " \n"
                                    "8K     8bit       8K   16bit     11K 16bit \n"
                                    "12K   16bit     16K  16bit     22K 16bit \n"
                                    "24K   16bit     32K  16bit     44K 16bit \n"
                                    "48K   16bit";
    return text;
}

WaveCopyResult CopyWaveData(std::FILE* output, std::FILE* input) {
    WaveCopyResult result;
    if (output == nullptr || input == nullptr)
        return result;

    StreamSource source(input);
    if (!HasRiffWaveHeader(source))
        return result;
    std::optional<ChunkHeader> data;
    WalkChunks(source, [&](const ChunkHeader& chunk) {
        if (!chunk.Is("data"))
            return true;
        data = chunk;
        return false;
    });
    if (!data)
        return result;

    result.DataChunkFound = true;
    result.DataSize = BytesPresent(source, *data);
    if (result.DataSize == 0)
        return result;
    if (::fseeko(input, static_cast<off_t>(data->BodyStart()), SEEK_SET) != 0) {
        result.ReadShort = true;
        return result;
    }

    std::vector<unsigned char> buffer(std::min<std::size_t>(result.DataSize, CopyBufferSize));
    std::uint32_t remaining = result.DataSize;
    while (remaining > 0) {
        const std::size_t piece = std::min<std::size_t>(remaining, buffer.size());
        const std::size_t got = std::fread(buffer.data(), 1, piece, input);
        const std::size_t written = got > 0 ? std::fwrite(buffer.data(), 1, got, output) : 0;
        result.BytesWritten += written;
        if (written != got) {
            result.WriteFailed = true;
            break;
        }
        if (got != piece) {
            result.ReadShort = true;
            break;
        }
        remaining -= static_cast<std::uint32_t>(piece);
    }
    return result;
}

} // namespace orlamo
