#include "formats/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#include <unistd.h>
#define ORLAMO_POSIX 1
#endif

namespace orlamo {

namespace fs = std::filesystem;

namespace {
// The temporary file's name holds only the start of a long target name, so that it fits wherever
// the target's own name fits (names are limited to 255 bytes).
constexpr std::size_t KeptNameLength = 64;

std::string TemporaryNameFor(const std::string& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    std::random_device entropy;
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    const fs::path path(target);
    const std::string name = "." + path.filename().string().substr(0, KeptNameLength) + ".tmp-" +
                             std::to_string(stamp ^ entropy()) + "-" + std::to_string(counter++) +
                             "-" + std::to_string(attempt);
    return (path.parent_path() / name).string();
}
} // namespace

AtomicFile::AtomicFile(std::string targetPath) : Target(std::move(targetPath)) {}

AtomicFile::~AtomicFile() {
    if (!Committed)
        Discard();
}

bool AtomicFile::Open() {
    for (unsigned attempt = 0; attempt < 16 && !File; ++attempt) {
        TempPath = TemporaryNameFor(Target, attempt);
        // "x": never open a file that is already there.
        File = std::fopen(TempPath.c_str(), "wbx");
        if (!File && errno != EEXIST)
            break;
    }
    if (!File) {
        TempPath.clear();
        WriteFailed = true;
        return false;
    }
#ifdef ORLAMO_POSIX
    // Keep the permissions of the file being replaced.
    struct stat previous {};
    if (::stat(Target.c_str(), &previous) == 0)
        ::fchmod(::fileno(File), previous.st_mode & 07777);
#endif
    return true;
}

bool AtomicFile::Write(std::string_view bytes) {
    return Write(bytes.data(), bytes.size());
}

bool AtomicFile::Write(const void* data, std::size_t size) {
    if (!File || WriteFailed)
        return false;
    if (size != 0 && std::fwrite(data, 1, size, File) != size)
        WriteFailed = true;
    return !WriteFailed;
}

bool AtomicFile::Commit() {
    if (!File || WriteFailed) {
        Discard();
        return false;
    }
    bool ok = std::fflush(File) == 0 && !std::ferror(File);
#ifdef ORLAMO_POSIX
    ok = ok && ::fsync(::fileno(File)) == 0;
#endif
    ok = (std::fclose(File) == 0) && ok;
    File = nullptr;
    if (ok) {
        std::error_code error;
        fs::rename(TempPath, Target, error);
        ok = !error;
    }
    if (!ok) {
        WriteFailed = true;
        Discard();
        return false;
    }
    Committed = true;
    return true;
}

void AtomicFile::Discard() {
    if (File) {
        std::fclose(File);
        File = nullptr;
    }
    if (!TempPath.empty()) {
        std::error_code ignored;
        fs::remove(TempPath, ignored);
        TempPath.clear();
    }
}

std::string UnableToWriteMessage(std::string_view path) {
    return "Unable to write to " + std::string(path);
}

std::string WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFile file(path);
    if (!file.Open() || !file.Write(bytes) || !file.Commit())
        return UnableToWriteMessage(path);
    return {};
}

} // namespace orlamo
