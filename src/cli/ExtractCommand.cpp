// orlamo-cli extract: writes each occupied slot of a consistent work file as a canonical mono
// PCM wave (slot-NNN.wav) at the rate and bit depth of its rate index. All files are written to
// temporary files first and renamed into place only when every one of them is complete.

#include "cli/Cli.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "formats/AtomicFile.h"
#include "formats/WaveInspector.h"
#include "formats/WorkFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace orlamo::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view ExtractUsage =
    "Usage: orlamo-cli extract WORK.wrk -d DIR\n"
    "\n"
    "Writes each occupied slot of a work file as DIR/slot-NNN.wav: a mono PCM wave at the rate\n"
    "and bit depth of the slot's rate index whose data chunk holds the slot's bytes. DIR is made\n"
    "when missing. A work file that fails the checks of 'info' is refused and nothing is written.\n"
    "\n"
    "  -d DIR   the folder to write into\n"
    "\n"
    "Exit status: 0 extracted, 1 refused or failed (nothing written), 2 usage error.\n";

constexpr std::size_t CopyBufferSize = 64 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void PutLe16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void PutLe32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

// The 44-byte header of a canonical mono PCM wave with `dataSize` bytes of samples.
std::string WaveHeader(int rateIndex, std::uint32_t dataSize) {
    const std::uint32_t rate = WaveRateTable[static_cast<std::size_t>(rateIndex)];
    const auto blockAlign = static_cast<std::uint16_t>(RateIndexBits(rateIndex) / 8);
    const std::uint32_t pad = dataSize % 2; // RIFF chunks end on an even offset
    std::string header = "RIFF";
    PutLe32(header, 36 + dataSize + pad);
    header += "WAVEfmt ";
    PutLe32(header, 16);
    PutLe16(header, 1); // PCM
    PutLe16(header, 1); // mono
    PutLe32(header, rate);
    PutLe32(header, rate * blockAlign);
    PutLe16(header, blockAlign);
    PutLe16(header, static_cast<std::uint16_t>(RateIndexBits(rateIndex)));
    header += "data";
    PutLe32(header, dataSize);
    return header;
}

std::string SlotFileName(int slot) {
    std::string digits = std::to_string(slot);
    return "slot-" + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits + ".wav";
}

// Streams one slot's bytes from the work file into `file` after its wave header.
bool WriteSlotWave(std::FILE* work, const WorkFileSlot& slot, AtomicFile& file) {
    if (!file.Open() || !file.Write(WaveHeader(slot.RateIndex, slot.DataSize)))
        return false;
    if (::fseeko(work, static_cast<off_t>(slot.Offset), SEEK_SET) != 0)
        return false;
    std::vector<char> buffer(CopyBufferSize);
    std::uint32_t remaining = slot.DataSize;
    while (remaining > 0) {
        const std::size_t piece = std::min<std::size_t>(remaining, buffer.size());
        if (std::fread(buffer.data(), 1, piece, work) != piece || !file.Write(buffer.data(), piece))
            return false;
        remaining -= static_cast<std::uint32_t>(piece);
    }
    return slot.DataSize % 2 == 0 || file.Write("\0", 1);
}

// The first folder of `dir` that does not exist yet (what this run makes and must remove on
// failure), or an empty path when it exists.
fs::path FirstMissingFolder(const fs::path& dir) {
    std::error_code error;
    fs::path missing;
    for (fs::path p = fs::absolute(dir, error); !p.empty() && !fs::exists(p, error);
         p = p.parent_path()) {
        missing = p;
        if (p == p.parent_path())
            break;
    }
    return missing;
}

// A name beside `target` for keeping its previous file while the new waves go into place.
std::string KeepName(const std::string& target, unsigned attempt) {
    const fs::path path(target);
    return (path.parent_path() / ("." + path.filename().string() + ".previous-" +
                                  std::to_string(::getpid()) + "-" + std::to_string(attempt)))
        .string();
}

// Renames every temporary file into place, or none: a wave that replaces an earlier file keeps
// that file under a second name (a hard link, or a copy) until all are in place, so that a failure
// part-way puts every earlier file back as it was and removes the waves this run added. Gives the
// index of the file that could not be put in place, or files.size() when all are.
std::size_t CommitAll(std::vector<std::unique_ptr<AtomicFile>>& files) {
    std::error_code error;
    struct Placed {
        std::string Target;
        std::string Kept; // the previous file's second name; empty when there was none
    };
    std::vector<Placed> placed;
    auto takeBack = [&] {
        for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
            if (it->Kept.empty())
                fs::remove(it->Target, error);
            else
                fs::rename(it->Kept, it->Target, error);
        }
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        AtomicFile& file = *files[i];
        const std::string& target = file.TargetPath();
        std::string kept;
        const fs::file_status status = fs::symlink_status(target, error);
        if (fs::exists(status) && !fs::is_directory(status)) {
            for (unsigned attempt = 0; attempt < 16 && kept.empty(); ++attempt) {
                const std::string name = KeepName(target, attempt);
                fs::create_hard_link(target, name, error);
                // A file system without hard links (a FAT memory stick) keeps a copy instead.
                if (error && error != std::errc::file_exists)
                    fs::copy_file(target, name, error);
                if (!error)
                    kept = name;
            }
            if (kept.empty()) {
                takeBack();
                return i;
            }
        }
        if (!file.Commit()) {
            if (!kept.empty())
                fs::remove(kept, error);
            takeBack();
            return i;
        }
        placed.push_back({target, kept});
    }
    for (const auto& wave : placed)
        if (!wave.Kept.empty())
            fs::remove(wave.Kept, error);
    return files.size();
}

} // namespace

int ExtractCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CommandLine line = ParseCommandLine(args, {}, {"-d"});
    if (line.Help) {
        out << ExtractUsage;
        return ExitOk;
    }
    if (!line.Problem.empty())
        return UsageError(err, ExtractUsage, line.Problem);
    if (line.Positional.size() != 1)
        return UsageError(err, ExtractUsage, "extract takes exactly one work file");
    const fs::path dir = line.Value("-d");
    if (dir.empty())
        return UsageError(err, ExtractUsage, "extract needs the folder to write into: -d DIR");

    const std::string& path = line.Positional.front();
    const WorkFileReport report = CheckWorkFile(path);
    if (!report.Consistent) {
        err << "orlamo-cli: " << path << " is refused; nothing was extracted\n";
        for (const std::string& problem : report.Problems)
            err << "  " << problem << "\n";
        return ExitRefused;
    }
    std::unique_ptr<std::FILE, FileCloser> work(std::fopen(path.c_str(), "rb"));
    if (!work) {
        err << "orlamo-cli: Unable to read " << path << "\n";
        return ExitRefused;
    }

    std::error_code error;
    const fs::path madeFolder = FirstMissingFolder(dir);
    fs::create_directories(dir, error);
    if (error || !fs::is_directory(dir, error)) {
        err << "orlamo-cli: cannot make the folder " << dir.string() << "\n";
        return ExitRefused;
    }
    auto fail = [&](const std::string& message) {
        err << "orlamo-cli: " << message << "; nothing was extracted\n";
        if (!madeFolder.empty())
            fs::remove_all(madeFolder, error);
        return ExitRefused;
    };

    // Every wave goes to its temporary file first; none is renamed into place before all are
    // complete.
    std::vector<std::unique_ptr<AtomicFile>> files;
    for (const WorkFileSlot& slot : report.Slots) {
        files.push_back(std::make_unique<AtomicFile>((dir / SlotFileName(slot.Slot)).string()));
        if (!WriteSlotWave(work.get(), slot, *files.back())) {
            if (std::ferror(work.get()) || std::feof(work.get()))
                return fail("Unable to read " + path);
            return fail(UnableToWriteMessage(files.back()->TargetPath()));
        }
    }
    if (const std::size_t failed = CommitAll(files); failed < files.size())
        return fail(UnableToWriteMessage(files[failed]->TargetPath()));

    for (const WorkFileSlot& slot : report.Slots)
        out << (dir / SlotFileName(slot.Slot)).string() << ": " << slot.DataSize << " bytes, "
            << RateIndexText(slot.RateIndex) << "\n";
    out << "Extracted " << report.Slots.size() << " slots from " << path << " into " << dir.string()
        << "\n";
    return ExitOk;
}

} // namespace orlamo::cli
