#include "convert/WaveConvert.h"

#include "formats/AtomicFile.h"
#include "formats/WaveInspector.h"
#include "formats/WorkFile.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace orlamo {

namespace {

namespace fs = std::filesystem;

constexpr sf_count_t BlockFrames = 4096;
constexpr std::size_t WaveHeaderSize = 44;
// The slower of libsamplerate's two best converters: voice clips are short, and the module
// plays them at low rates where aliasing is easiest to hear.
constexpr int ResamplerQuality = SRC_SINC_BEST_QUALITY;

struct SndFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFilePointer = std::unique_ptr<SNDFILE, SndFileCloser>;

struct ResamplerDeleter {
    void operator()(SRC_STATE* state) const { src_delete(state); }
};
using ResamplerPointer = std::unique_ptr<SRC_STATE, ResamplerDeleter>;

int SubtypeBits(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
        return 8;
    case SF_FORMAT_PCM_16:
        return 16;
    case SF_FORMAT_PCM_24:
        return 24;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
        return 32;
    case SF_FORMAT_DOUBLE:
        return 64;
    default:
        return 0;
    }
}

SndFilePointer OpenSource(const std::string& path, SF_INFO& info, std::string& message) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        message = path + ": no such file";
        return nullptr;
    }
    info = SF_INFO{};
    SndFilePointer file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        message = path + ": not a sound file that can be converted (" + sf_strerror(nullptr) + ")";
    else if (info.channels < 1 || info.samplerate < 1)
        message = path + ": the file holds no channel or no sample rate";
    else
        return file;
    return nullptr;
}

void PutLe16(unsigned char* at, std::uint32_t value) {
    at[0] = static_cast<unsigned char>(value & 0xFF);
    at[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

void PutLe32(unsigned char* at, std::uint32_t value) {
    PutLe16(at, value & 0xFFFF);
    PutLe16(at + 2, value >> 16);
}

// A canonical mono PCM header: "fmt " of 16 bytes, then the data chunk.
std::vector<unsigned char> WaveHeader(std::uint32_t rate, int bits, std::uint32_t dataSize) {
    std::vector<unsigned char> header(WaveHeaderSize);
    const std::uint32_t blockAlign = static_cast<std::uint32_t>(bits / 8);
    const std::uint32_t pad = dataSize & 1U;
    std::copy_n("RIFF", 4, header.begin());
    PutLe32(&header[4], static_cast<std::uint32_t>(WaveHeaderSize - 8) + dataSize + pad);
    std::copy_n("WAVEfmt ", 8, header.begin() + 8);
    PutLe32(&header[16], 16);
    PutLe16(&header[20], 1); // PCM
    PutLe16(&header[22], 1); // mono
    PutLe32(&header[24], rate);
    PutLe32(&header[28], rate * blockAlign);
    PutLe16(&header[32], blockAlign);
    PutLe16(&header[34], static_cast<std::uint32_t>(bits));
    std::copy_n("data", 4, header.begin() + 36);
    PutLe32(&header[40], dataSize);
    return header;
}

// Turns float samples into the module's sample format. The scale is the one libsndfile reads
// integer samples with, so that samples already in the module's format come out unchanged;
// whatever lies outside the range is clipped.
void Quantize(const float* samples, long count, int bits, std::vector<unsigned char>& out) {
    out.clear();
    for (long i = 0; i < count; ++i) {
        if (bits == 8) {
            const long value = std::clamp(std::lrint(samples[i] * 128.0F), -128L, 127L);
            out.push_back(static_cast<unsigned char>(value + 128));
        } else {
            const long value = std::clamp(std::lrint(samples[i] * 32768.0F), -32768L, 32767L);
            const auto sample = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
            out.push_back(static_cast<unsigned char>(sample & 0xFF));
            out.push_back(static_cast<unsigned char>(sample >> 8));
        }
    }
}

ConversionResult Failure(std::string message) {
    ConversionResult result;
    result.Message = std::move(message);
    return result;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (fs::exists(b, error) && fs::equivalent(a, b, error) && !error)
        return true;
    return fs::absolute(a, error).lexically_normal() == fs::absolute(b, error).lexically_normal();
}

// Streams the source through the mix-down, the resampler and the quantizer into `file`.
// Empty on success, else the reason.
std::string StreamSamples(const std::string& input, SNDFILE* source, const SF_INFO& info,
                          std::uint32_t rate, int bits, AtomicFile& file,
                          ConversionResult& result) {
    const double ratio = static_cast<double>(rate) / info.samplerate;
    ResamplerPointer resampler;
    if (rate != static_cast<std::uint32_t>(info.samplerate)) {
        int error = 0;
        resampler.reset(src_new(ResamplerQuality, 1, &error));
        if (!resampler)
            return input + ": the resampler cannot start: " + src_strerror(error);
    }
    const auto channels = static_cast<std::size_t>(info.channels);
    std::vector<float> interleaved(static_cast<std::size_t>(BlockFrames) * channels);
    std::vector<float> mono(static_cast<std::size_t>(BlockFrames));
    // Room for one block's output, within bounds: the loop below drains whatever does not fit.
    std::vector<float> resampled(static_cast<std::size_t>(std::min(BlockFrames * ratio, 65536.0)) +
                                 64);
    std::vector<unsigned char> bytes;
    std::uint64_t dataSize = 0;

    auto emit = [&](const float* samples, long count) -> std::string {
        dataSize += static_cast<std::uint64_t>(count) * static_cast<std::uint64_t>(bits / 8);
        if (dataSize > MaxVoiceDataSize)
            return input + ": the converted sound would need more than " +
                   std::to_string(MaxVoiceDataSize) + " bytes; a voice must stay below " +
                   std::to_string(MaxVoiceDataSize + 1);
        Quantize(samples, count, bits, bytes);
        if (!file.Write(bytes.data(), bytes.size()))
            return UnableToWriteMessage(file.TargetPath());
        result.FramesWritten += count;
        return {};
    };

    bool endOfInput = false;
    while (!endOfInput) {
        const sf_count_t got = sf_readf_float(source, interleaved.data(), BlockFrames);
        endOfInput = got < BlockFrames;
        for (sf_count_t f = 0; f < got; ++f) {
            float sum = 0;
            for (std::size_t c = 0; c < channels; ++c)
                sum += interleaved[static_cast<std::size_t>(f) * channels + c];
            mono[static_cast<std::size_t>(f)] = sum / static_cast<float>(channels);
        }
        if (!resampler) {
            if (std::string problem = emit(mono.data(), static_cast<long>(got)); !problem.empty())
                return problem;
            continue;
        }
        // Feed the block; at the end keep asking until the resampler has given everything.
        SRC_DATA data{};
        data.data_in = mono.data();
        data.input_frames = static_cast<long>(got);
        data.src_ratio = ratio;
        data.end_of_input = endOfInput ? 1 : 0;
        for (;;) {
            data.data_out = resampled.data();
            data.output_frames = static_cast<long>(resampled.size());
            if (const int error = src_process(resampler.get(), &data); error != 0)
                return input + ": the resampler failed: " + src_strerror(error);
            if (std::string problem = emit(resampled.data(), data.output_frames_gen);
                !problem.empty())
                return problem;
            data.data_in += data.input_frames_used;
            data.input_frames -= data.input_frames_used;
            if (data.input_frames == 0 && (!endOfInput || data.output_frames_gen == 0))
                break;
        }
    }
    if (sf_error(source) != SF_ERR_NO_ERROR)
        return input + ": the file cannot be read to its end: " + sf_strerror(source);
    result.DataSize = static_cast<std::uint32_t>(dataSize);
    return {};
}

} // namespace

int RateIndexFor(std::uint32_t rate, int bits) {
    if (bits == 8)
        return rate == WaveRateTable[0] ? 0 : -1;
    if (bits != 16)
        return -1;
    const int index = FindRateIndex(rate);
    return index == 0 ? 1 : index;
}

int ProposedRateIndex(std::uint32_t sourceRate, int sourceBits) {
    int index = 1; // 8000 Hz 16-bit: the floor for every lower rate
    for (int i = 2; i < static_cast<int>(WaveRateTable.size()); ++i)
        if (WaveRateTable[static_cast<std::size_t>(i)] <= sourceRate)
            index = i;
    return index == 1 && sourceBits == 8 ? 0 : index;
}

ConversionTarget ProposedTarget(const std::string& path) {
    ConversionTarget target;
    SF_INFO info;
    const SndFilePointer file = OpenSource(path, info, target.Message);
    if (!file)
        return target;
    target.Ok = true;
    target.SourceRate = static_cast<std::uint32_t>(info.samplerate);
    target.SourceChannels = info.channels;
    target.SourceBits = SubtypeBits(info.format);
    target.SourceFrames = info.frames;
    target.RateIndex = ProposedRateIndex(target.SourceRate, target.SourceBits);
    return target;
}

ConversionResult ConvertWave(const std::string& input, const std::string& output, int rateIndex) {
    const int bits = RateIndexBits(rateIndex);
    if (bits == 0)
        return Failure("Rate index " + std::to_string(rateIndex) + " does not exist; the indexes " +
                       "run from 0 to " + std::to_string(WaveRateTable.size() - 1));
    if (SameFile(input, output))
        return Failure(output + ": the converted wave would replace the original; choose another " +
                       "file");
    std::string message;
    SF_INFO info;
    const SndFilePointer source = OpenSource(input, info, message);
    if (!source)
        return Failure(message);

    const std::uint32_t rate = WaveRateTable[static_cast<std::size_t>(rateIndex)];
    AtomicFile file(output);
    ConversionResult result;
    result.RateIndex = rateIndex;
    // The header goes first with a data size of 0 and is written again once the size is known.
    if (!file.Open() || !file.Write(WaveHeader(rate, bits, 0).data(), WaveHeaderSize))
        return Failure(UnableToWriteMessage(output));
    if (std::string problem = StreamSamples(input, source.get(), info, rate, bits, file, result);
        !problem.empty())
        return Failure(std::move(problem));
    const unsigned char pad = 0;
    if ((result.DataSize & 1U) != 0 && !file.Write(&pad, 1))
        return Failure(UnableToWriteMessage(output));
    if (std::fseek(file.Handle(), 0, SEEK_SET) != 0 ||
        !file.Write(WaveHeader(rate, bits, result.DataSize).data(), WaveHeaderSize) ||
        !file.Commit())
        return Failure(UnableToWriteMessage(output));
    result.Ok = true;
    return result;
}

} // namespace orlamo
