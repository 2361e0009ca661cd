#include "formats/WaveInspector.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

using namespace orlamo;
using namespace orlamo::test;

namespace {

const char* const FileNotFound = "E:01 - File not found";
const char* const IllegalFormat = "E:02 - Illegal file format";

WaveInspection InspectBytes(const std::string& bytes) {
    return InspectWaveBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// Inspects the bytes both in memory and from a file, and checks that the two forms agree.
WaveInspection InspectBoth(const std::string& bytes) {
    TempDir dir;
    const std::string path = dir / "wave.wav";
    WriteBytes(path, bytes);
    const WaveInspection fromFile = InspectWaveFile(path);
    const WaveInspection fromMemory = InspectBytes(bytes);
    EXPECT_EQ(fromFile.RateIndex, fromMemory.RateIndex);
    EXPECT_EQ(fromFile.Message, fromMemory.Message);
    EXPECT_EQ(fromFile.DataSize, fromMemory.DataSize);
    EXPECT_EQ(fromFile.PlayTime, fromMemory.PlayTime);
    EXPECT_EQ(fromFile.DataStart, fromMemory.DataStart);
    return fromFile;
}

std::string Fmt(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    return Chunk("fmt ", FmtBody(channels, rate, bits));
}

std::string Data(std::uint32_t size) {
    return Chunk("data", PatternBytes(size));
}

// A data chunk header declaring `declared` bytes followed by only `present` of them.
std::string TruncatedData(std::uint32_t declared, std::uint32_t present) {
    return "data" + Le32(declared) + PatternBytes(present);
}

} // namespace

TEST(WaveInspector, RateTableAndAcceptanceRule) {
    struct Case {
        std::uint32_t rate;
        std::uint16_t bits;
        std::uint16_t channels;
        int index;
        const char* message;
    };
    const Case cases[] = {
        {8000, 8, 1, 0, ""},
        {8000, 16, 1, 1, ""},
        {11025, 16, 1, 2, ""},
        {12000, 16, 1, 3, ""},
        {16000, 16, 1, 4, ""},
        {22050, 16, 1, 5, ""},
        {24000, 16, 1, 6, ""},
        {32000, 16, 1, 7, ""},
        {44100, 16, 1, 8, ""},
        {48000, 16, 1, 9, ""},
        // At 8 kHz every depth but 8 bits counts as 16-bit.
        {8000, 24, 1, 1, ""},
        {8000, 4, 1, 1, ""},
        {8000, 0, 1, 1, ""},
        {11025, 8, 1, -1, "Format Error - 11K x 8bit x Mono"},
        {44100, 24, 1, -1, "Format Error - 44K x 24bit x Mono"},
        {48000, 32, 1, -1, "Format Error - 48K x 32bit x Mono"},
        {96000, 16, 1, -1, "Format Error - 96K x 16bit x Mono"},
        {7999, 8, 1, -1, "Format Error - 7K x 8bit x Mono"},
        {44100, 16, 2, -1, "Format Error - 44K x 16bit x Stereo"},
        {8000, 8, 2, -1, "Format Error - 8K x 8bit x Stereo"},
        {22050, 16, 0, -1, "Format Error - 22K x 16bit x Stereo"},
        {16000, 16, 6, -1, "Format Error - 16K x 16bit x Stereo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rate) + " Hz " + std::to_string(c.bits) + " bit " +
                     std::to_string(c.channels) + " ch");
        const WaveInspection result = InspectBytes(SimpleWave(c.rate, c.bits, 1000, c.channels));
        EXPECT_EQ(result.RateIndex, c.index);
        EXPECT_EQ(result.Message, c.message);
        if (c.index >= 0) {
            EXPECT_EQ(result.DataSize, 1000u);
            EXPECT_EQ(result.DataStart, 44u);
        } else {
            EXPECT_EQ(result.DataSize, 0u);
            EXPECT_EQ(result.PlayTime, "");
        }
    }
}

TEST(WaveInspector, FormatCodeDivisorAndBitsPerIndex) {
    const std::uint32_t divisors[] = {80, 160, 220, 240, 320, 441, 480, 640, 882, 960};
    for (int index = 0; index < 10; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(WaveFormatCode(index), static_cast<std::uint32_t>(index) << 28);
        EXPECT_EQ(TimeDivisor(index), divisors[index]);
        EXPECT_EQ(RateIndexBits(index), index == 0 ? 8 : 16);
    }
    EXPECT_EQ(WaveFormatCode(9), 0x90000000u);
    for (int invalid : {-1, 10, 15, 16, -100}) {
        SCOPED_TRACE(invalid);
        EXPECT_EQ(WaveFormatCode(invalid), 0u);
        EXPECT_EQ(TimeDivisor(invalid), 0u);
        EXPECT_EQ(RateIndexBits(invalid), 0);
    }
    EXPECT_EQ(FindRateIndex(8000), 0);
    EXPECT_EQ(FindRateIndex(11025), 2);
    EXPECT_EQ(FindRateIndex(48000), 9);
    EXPECT_EQ(FindRateIndex(44101), -1);
    EXPECT_EQ(FindRateIndex(0), -1);
}

TEST(WaveInspector, FormatPlayTime) {
    struct Case {
        int digits;
        std::uint32_t value;
        const char* text;
    };
    const Case cases[] = {
        {2, 1543, "15.43"}, {2, 5, "0.05"}, {2, 0, "0.00"}, {2, 100, "1.00"},
        {0, 15, "15."},     {0, 0, "0."},   {1, 7, "0.7"},  {6, 1234567, "1.234567"},
        {6, 0, "0.000000"}, {7, 1543, ""},  {-1, 1543, ""}, {2, 4294967295u, "42949672.95"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.digits) + " digits of " + std::to_string(c.value));
        EXPECT_EQ(FormatPlayTime(c.digits, c.value), c.text);
    }
}

TEST(WaveInspector, PlayTimeFollowsTheTimeDivisor) {
    struct Case {
        std::uint32_t rate;
        std::uint16_t bits;
        std::uint32_t dataSize;
        const char* time;
    };
    const Case cases[] = {
        {44100, 16, 88200, "1.00"},
        {8000, 8, 123456, "15.43"},
        {8000, 16, 16000, "1.00"},
        // Ten seconds at 11025 Hz are 220500 bytes; the divisor is 220, not 220.5.
        {11025, 16, 220500, "10.02"},
        {22050, 16, 441, "0.01"},
        {48000, 16, 959, "0.00"},
        {16000, 16, 0, "0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rate) + " Hz, " + std::to_string(c.dataSize) + " bytes");
        const WaveInspection result = InspectBytes(SimpleWave(c.rate, c.bits, c.dataSize));
        ASSERT_TRUE(result.Accepted()) << result.Message;
        EXPECT_EQ(result.DataSize, c.dataSize);
        EXPECT_EQ(result.PlayTime, c.time);
    }
}

TEST(WaveInspector, MissingPathsAndFoldersAreNotFound) {
    TempDir dir;
    std::filesystem::create_directory(dir / "folder.wav");
    for (const std::string& path : {dir / "missing.wav", dir / "folder.wav", dir.Path().string(),
                                    std::string(), dir / "missing/child.wav"}) {
        SCOPED_TRACE(path);
        const WaveInspection result = InspectWaveFile(path);
        EXPECT_EQ(result.RateIndex, -1);
        EXPECT_EQ(result.Message, FileNotFound);
        EXPECT_EQ(result.DataSize, 0u);
    }
}

TEST(WaveInspector, NamedPipeIsRefusedWithoutBlocking) {
    TempDir dir;
    const std::string path = dir / "pipe.wav";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(InspectWaveFile(path).Message, FileNotFound);
}

TEST(WaveInspector, NonWaveFilesAreIllegal) {
    const std::string wave = SimpleWave(8000, 8, 10);
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"eleven bytes", wave.substr(0, 11)},
        {"mp3 with ID3 tag", std::string("ID3\x04\0\0\0\0\0\x21", 10) + std::string(200, '\xFF')},
        {"big-endian RIFX", "RIFX" + wave.substr(4)},
        {"RIFF without WAVE", "RIFF" + Le32(100) + "AVI " + wave.substr(12)},
        {"lower-case riff", "riff" + wave.substr(4)},
        {"header only", wave.substr(0, 12)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WaveInspection result = InspectBoth(c.bytes);
        EXPECT_EQ(result.RateIndex, -1);
        EXPECT_EQ(result.Message, IllegalFormat);
    }
}

// A chunk of odd size is followed by a pad byte; the next chunk starts after it.
TEST(WaveInspector, PadByteAfterOddChunksIsSkipped) {
    const std::string wave =
        Riff(Fmt(1, 8000, 8) + Chunk("LIST", "abc") + Chunk("data", PatternBytes(1000)));
    ASSERT_EQ(wave.size(), 1056u);
    const WaveInspection result = InspectBoth(wave);
    ASSERT_TRUE(result.Accepted()) << result.Message;
    EXPECT_EQ(result.RateIndex, 0);
    EXPECT_EQ(result.DataSize, 1000u);
    EXPECT_EQ(result.DataStart, 56u);
    EXPECT_EQ(result.PlayTime, "0.12");

    // An odd fmt chunk (17 bytes, judged on its first 16) and odd chunks before it.
    const std::string oddFmt =
        Riff(Chunk("junk", "x") + Chunk("fmt ", FmtBody(1, 16000, 16) + "z") +
             Chunk("odd ", "12345") + Chunk("data", PatternBytes(321)));
    const WaveInspection odd = InspectBoth(oddFmt);
    ASSERT_TRUE(odd.Accepted()) << odd.Message;
    EXPECT_EQ(odd.RateIndex, 4);
    EXPECT_EQ(odd.DataSize, 321u);
    EXPECT_EQ(odd.DataStart, 12u + 10u + 26u + 14u + 8u);
}

TEST(WaveInspector, DataChunkIsCutToTheFile) {
    struct Case {
        const char* name;
        std::uint32_t declared;
        std::uint32_t present;
        std::uint32_t size;
        const char* time;
    };
    const Case cases[] = {
        {"truncated file", 88200, 44100, 44100, "0.50"},
        {"placeholder size", 0xFFFFFFFF, 882, 882, "0.01"},
        {"nothing after header", 88200, 0, 0, "0.00"},
        {"declared shorter than file", 882, 2000, 882, "0.01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WaveInspection result =
            InspectBoth(Riff(Fmt(1, 44100, 16) + TruncatedData(c.declared, c.present)));
        ASSERT_TRUE(result.Accepted()) << result.Message;
        EXPECT_EQ(result.RateIndex, 8);
        EXPECT_EQ(result.DataSize, c.size);
        EXPECT_EQ(result.PlayTime, c.time);
        EXPECT_EQ(result.DataStart, 44u);
    }
}

TEST(WaveInspector, FileWithoutUsableFmtChunkIsIllegal) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::string fmtBody = FmtBody(1, 22050, 16);
    const Case cases[] = {
        {"data before fmt", Riff(Data(100) + Fmt(1, 22050, 16))},
        {"data only", Riff(Data(100))},
        {"no chunks at all", Riff("")},
        {"no fmt, no data", Riff(Chunk("LIST", "INFOabcd"))},
        {"fmt declared 14 bytes", Riff(Chunk("fmt ", fmtBody.substr(0, 14)) + Data(100))},
        {"fmt declared 0 bytes", Riff(Chunk("fmt ", "") + Data(100))},
        {"file ends inside fmt fields", Riff("fmt " + Le32(16) + fmtBody.substr(0, 10))},
        {"file ends inside large fmt", Riff("fmt " + Le32(40) + fmtBody.substr(0, 15))},
        {"chunk header cut short", Riff(std::string("fmt ", 4) + std::string("\x10\0", 2))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WaveInspection result = InspectBoth(c.bytes);
        EXPECT_EQ(result.RateIndex, -1);
        EXPECT_EQ(result.Message, IllegalFormat);
        EXPECT_EQ(result.DataSize, 0u);
    }
}

TEST(WaveInspector, ChunkWalk) {
    struct Case {
        const char* name;
        std::string bytes;
        int index;
        const char* message;
        std::uint32_t dataStart;
    };
    const std::string fmt18 = Chunk("fmt ", FmtBody(1, 32000, 16) + Le16(0));
    std::string fmt40Body = FmtBody(1, 24000, 16, 0xFFFE) + Le16(22) + Le16(16) + Le32(4);
    fmt40Body +=
        std::string("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 16);
    const Case cases[] = {
        {"18-byte fmt", Riff(fmt18 + Data(64)), 7, "", 12 + 26 + 8},
        {"40-byte extensible fmt",
         Riff(Chunk("fmt ", fmt40Body) + Chunk("fact", Le32(32)) + Data(64)), 6, "",
         12 + 48 + 12 + 8},
        {"LIST between fmt and data",
         Riff(Fmt(1, 12000, 16) + Chunk("LIST", "INFOISFT" + Le32(6) + std::string("tool\0\0", 6)) +
              Data(64)),
         3, "", 12 + 24 + 26 + 8},
        {"compressed format tag", Riff(Chunk("fmt ", FmtBody(1, 8000, 8, 7)) + Data(64)), 0, "",
         44},
        {"last fmt before data decides", Riff(Fmt(1, 44100, 16) + Fmt(1, 8000, 8) + Data(64)), 0,
         "", 68},
        {"fmt after data plays no part", Riff(Fmt(1, 8000, 8) + Data(64) + Fmt(2, 44100, 16)), 0,
         "", 44},
        {"every fmt is judged", Riff(Fmt(2, 44100, 16) + Fmt(1, 44100, 16) + Data(64)), -1,
         "Format Error - 44K x 16bit x Stereo", 0},
        {"no data chunk", Riff(Fmt(1, 22050, 16) + Chunk("LIST", "abcd")), -1,
         "Format Error - 22K x 16bit x Mono", 0},
        {"chunk reaching past the end", Riff(Fmt(1, 22050, 16) + "JUNK" + Le32(5000) + Data(64)),
         -1, "Format Error - 22K x 16bit x Mono", 0},
        // In 32-bit arithmetic this size would wrap the next offset round to the data chunk.
        {"offset beyond 4 GiB", Riff(Fmt(1, 8000, 8) + "JUNK" + Le32(0xFFFFFFF8) + Data(64)), -1,
         "Format Error - 8K x 8bit x Mono", 0},
        {"offset wrapping to the fmt chunk", Riff(Fmt(1, 8000, 8) + "JUNK" + Le32(0xFFFFFFE0)), -1,
         "Format Error - 8K x 8bit x Mono", 0},
        {"identifiers are case-sensitive", Riff(Fmt(1, 8000, 8) + Chunk("DATA", "xy") + Data(64)),
         0, "", 12 + 24 + 10 + 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WaveInspection result = InspectBoth(c.bytes);
        EXPECT_EQ(result.RateIndex, c.index);
        EXPECT_EQ(result.Message, c.message);
        EXPECT_EQ(result.DataStart, c.dataStart);
        if (c.index >= 0) {
            EXPECT_EQ(result.DataSize, 64u);
        }
    }
}

TEST(WaveInspector, SupportedFormatTextHasSixLines) {
    EXPECT_EQ(SupportedFormatText(), "Support Wave Format (All Mono)\n"
                                     "------------------------------------------- \n"
                                     "8K     8bit       8K   16bit     11K 16bit \n"
                                     "12K   16bit     16K  16bit     22K 16bit \n"
                                     "24K   16bit     32K  16bit     44K 16bit \n"
                                     "48K   16bit");
}

// ---- CopyWaveData ----

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file != nullptr)
            std::fclose(file);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenFile(const std::string& path, const char* mode) {
    return File(std::fopen(path.c_str(), mode));
}

struct Copied {
    WaveCopyResult result;
    std::string output;
};

// Copies the data of `wave` into an output that already holds `prefix`.
Copied CopyFrom(const std::string& wave, const std::string& prefix = "HEAD") {
    TempDir dir;
    WriteBytes(dir / "in.wav", wave);
    File input = OpenFile(dir / "in.wav", "rb");
    File output = OpenFile(dir / "out.bin", "wb");
    std::fwrite(prefix.data(), 1, prefix.size(), output.get());
    // The input may be positioned anywhere: the copier reads from its start.
    std::fseek(input.get(), static_cast<long>(wave.size() / 2), SEEK_SET);
    Copied copied{CopyWaveData(output.get(), input.get()), {}};
    output.reset();
    copied.output = ReadBytes(dir / "out.bin");
    return copied;
}

// A read-only stream that serves `bytes` but fails every read at or past `failAt`, while a seek
// to its end still reports the full length: a disk error in the middle of the samples.
struct FailingStream {
    std::string bytes;
    std::size_t failAt;
    std::size_t position = 0;

    static ssize_t Read(void* cookie, char* buffer, std::size_t size) {
        auto* self = static_cast<FailingStream*>(cookie);
        if (self->position >= self->failAt)
            return -1;
        const std::size_t taken = std::min(size, self->failAt - self->position);
        std::memcpy(buffer, self->bytes.data() + self->position, taken);
        self->position += taken;
        return static_cast<ssize_t>(taken);
    }
    static int Seek(void* cookie, off64_t* offset, int whence) {
        auto* self = static_cast<FailingStream*>(cookie);
        const off64_t base = whence == SEEK_SET   ? 0
                             : whence == SEEK_CUR ? static_cast<off64_t>(self->position)
                                                  : static_cast<off64_t>(self->bytes.size());
        self->position = static_cast<std::size_t>(base + *offset);
        *offset = static_cast<off64_t>(self->position);
        return 0;
    }
};

} // namespace

TEST(CopyWaveData, CopiesExactlyTheDataChunk) {
    const std::string samples = PatternBytes(150001, 3); // over two 64 KiB pieces, odd
    const std::string wave = Riff(Chunk("LIST", "abc") + Fmt(1, 44100, 16) +
                                  Chunk("data", samples) + Chunk("LIST", "trailing"));
    const Copied copied = CopyFrom(wave);
    EXPECT_TRUE(copied.result.Complete());
    EXPECT_TRUE(copied.result.DataChunkFound);
    EXPECT_EQ(copied.result.DataSize, 150001u);
    EXPECT_EQ(copied.result.BytesWritten, 150001u);
    EXPECT_FALSE(copied.result.ReadShort);
    EXPECT_EQ(copied.output, "HEAD" + samples);
}

TEST(CopyWaveData, CopiesTheSizeTheInspectorReports) {
    const std::string wave = Riff(Fmt(1, 8000, 8) + TruncatedData(0xFFFFFFFF, 777));
    const Copied copied = CopyFrom(wave);
    EXPECT_EQ(copied.result.DataSize, InspectBytes(wave).DataSize);
    EXPECT_EQ(copied.result.DataSize, 777u);
    EXPECT_TRUE(copied.result.Complete());
    EXPECT_EQ(copied.output, "HEAD" + PatternBytes(777));
}

TEST(CopyWaveData, WritesNothingWithoutDataChunk) {
    const std::string cases[] = {
        Riff(Fmt(1, 8000, 8) + Chunk("LIST", "abcd")),
        "RIFX" + SimpleWave(8000, 8, 100).substr(4),
        "",
        Riff(Fmt(1, 8000, 8) + "JUNK" + Le32(0xFFFFFFF8) + Data(64)),
    };
    for (const std::string& wave : cases) {
        const Copied copied = CopyFrom(wave);
        EXPECT_FALSE(copied.result.DataChunkFound);
        EXPECT_FALSE(copied.result.Complete());
        EXPECT_EQ(copied.result.BytesWritten, 0u);
        EXPECT_EQ(copied.output, "HEAD");
    }
}

TEST(CopyWaveData, ZeroSizeDataCopiesNothing) {
    const Copied copied = CopyFrom(SimpleWave(8000, 8, 0));
    EXPECT_TRUE(copied.result.DataChunkFound);
    EXPECT_TRUE(copied.result.Complete());
    EXPECT_EQ(copied.result.DataSize, 0u);
    EXPECT_EQ(copied.output, "HEAD");
}

TEST(CopyWaveData, ShortReadIsReportedAndNoFillerWritten) {
    const std::string samples = PatternBytes(100000, 5);
    FailingStream stream{SimpleWave(16000, 16, 100000, 1, 5), 44 + 70000};
    File input(
        fopencookie(&stream, "r", {FailingStream::Read, nullptr, FailingStream::Seek, nullptr}));
    ASSERT_NE(input, nullptr);
    TempDir dir;
    File output = OpenFile(dir / "out.bin", "wb");
    const WaveCopyResult result = CopyWaveData(output.get(), input.get());
    output.reset();
    EXPECT_TRUE(result.DataChunkFound);
    EXPECT_EQ(result.DataSize, 100000u);
    EXPECT_TRUE(result.ReadShort);
    EXPECT_FALSE(result.Complete());
    EXPECT_LT(result.BytesWritten, 100000u);
    const std::string written = ReadBytes(dir / "out.bin");
    EXPECT_EQ(written.size(), result.BytesWritten);
    EXPECT_EQ(written, samples.substr(0, written.size()));
}

TEST(CopyWaveData, WriteFailureIsReported) {
    TempDir dir;
    WriteBytes(dir / "in.wav", SimpleWave(8000, 8, 5000));
    WriteBytes(dir / "out.bin", "");
    File input = OpenFile(dir / "in.wav", "rb");
    File output = OpenFile(dir / "out.bin", "rb"); // a stream that cannot be written
    const WaveCopyResult result = CopyWaveData(output.get(), input.get());
    EXPECT_TRUE(result.DataChunkFound);
    EXPECT_TRUE(result.WriteFailed);
    EXPECT_FALSE(result.Complete());
}

// ---- Files written by real tools ----

namespace {

bool HaveSox() {
    return std::system("command -v sox >/dev/null 2>&1") == 0;
}

// Runs sox to synthesize a tone; `format` holds the output options (rate, bits, channels).
void MakeTone(const std::string& path, const std::string& format, const std::string& seconds) {
    const std::string command =
        "sox -V1 -n " + format + " '" + path + "' synth " + seconds + " sine 440";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

} // namespace

TEST(WaveInspector, FilesWrittenBySox) {
    if (!HaveSox())
        GTEST_SKIP() << "sox is not installed";
    struct Case {
        const char* name;
        const char* format;
        const char* seconds;
        int index;
        std::uint32_t size;
        const char* time;
        const char* message;
    };
    const Case cases[] = {
        {"44k-16bit", "-r 44100 -b 16 -c 1", "1", 8, 88200, "1.00", ""},
        {"8k-8bit-unsigned", "-r 8000 -b 8 -e unsigned-integer -c 1", "15.432", 0, 123456, "15.43",
         ""},
        {"8k-16bit", "-r 8000 -b 16 -c 1", "0.5", 1, 8000, "0.50", ""},
        {"11k-16bit-ten-seconds", "-r 11025 -b 16 -c 1", "10", 2, 220500, "10.02", ""},
        {"48k-16bit", "-r 48000 -b 16 -c 1", "0.25", 9, 24000, "0.25", ""},
        {"44k-16bit-stereo", "-r 44100 -b 16 -c 2", "0.1", -1, 0, "",
         "Format Error - 44K x 16bit x Stereo"},
        {"44k-24bit", "-r 44100 -b 24 -c 1", "0.1", -1, 0, "", "Format Error - 44K x 24bit x Mono"},
        {"11k-8bit", "-r 11025 -b 8 -c 1", "0.1", -1, 0, "", "Format Error - 11K x 8bit x Mono"},
        {"96k-16bit", "-r 96000 -b 16 -c 1", "0.1", -1, 0, "", "Format Error - 96K x 16bit x Mono"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir / (std::string(c.name) + ".wav");
        MakeTone(path, c.format, c.seconds);
        const WaveInspection result = InspectWaveFile(path);
        EXPECT_EQ(result.RateIndex, c.index);
        EXPECT_EQ(result.Message, c.message);
        EXPECT_EQ(result.DataSize, c.size);
        EXPECT_EQ(result.PlayTime, c.time);
    }
}

TEST(CopyWaveData, MatchesSoxRawSamples) {
    if (!HaveSox())
        GTEST_SKIP() << "sox is not installed";
    TempDir dir;
    const std::string wave = dir / "tone.wav";
    MakeTone(wave, "-r 22050 -b 16 -c 1", "0.3");
    ASSERT_EQ(std::system(("sox '" + wave + "' -t raw '" + (dir / "tone.raw") + "'").c_str()), 0);
    File input = OpenFile(wave, "rb");
    File output = OpenFile(dir / "copy.raw", "wb");
    const WaveCopyResult result = CopyWaveData(output.get(), input.get());
    output.reset();
    EXPECT_TRUE(result.Complete());
    EXPECT_EQ(result.DataSize, InspectWaveFile(wave).DataSize);
    EXPECT_EQ(ReadBytes(dir / "copy.raw"), ReadBytes(dir / "tone.raw"));
}

TEST(WaveInspector, CommittedFixtures) {
    struct Case {
        const char* file;
        int index;
        std::uint32_t size;
        const char* time;
        std::uint32_t dataStart;
        const char* message;
    };
    const Case cases[] = {
        // Speech, resampled by sox to 8 kHz unsigned 8-bit.
        {"espeak-one-8k-8bit.wav", 0, 4000, "0.50", 44, ""},
        // An odd data chunk followed by its pad byte.
        {"sox-8k-8bit-odd-data.wav", 0, 101, "0.01", 44, ""},
        // A 40-byte extensible fmt chunk and a fact chunk.
        {"sox-44k-24bit-extensible.wav", -1, 0, "", 0, "Format Error - 44K x 24bit x Mono"},
        {"sox-22k-16bit-stereo.wav", -1, 0, "", 0, "Format Error - 22K x 16bit x Stereo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = std::string(ORLAMO_TEST_DATA) + "/waves/" + c.file;
        const WaveInspection result = InspectWaveFile(path);
        EXPECT_EQ(result.RateIndex, c.index);
        EXPECT_EQ(result.Message, c.message);
        EXPECT_EQ(result.DataSize, c.size);
        EXPECT_EQ(result.PlayTime, c.time);
        EXPECT_EQ(result.DataStart, c.dataStart);
        EXPECT_EQ(InspectBytes(ReadBytes(path)).DataSize, c.size);
    }
}
