#pragma once
// Writes a file whole or not at all: the bytes go to a temporary file beside the target, which is
// flushed and renamed over the target only when every write succeeded. Until Commit() the target
// keeps its previous contents; a failed or abandoned write removes the temporary file.

#include <cstdio>
#include <string>
#include <string_view>

namespace orlamo {

class AtomicFile {
public:
    explicit AtomicFile(std::string targetPath);
    ~AtomicFile(); // discards the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file. False when the folder cannot take it.
    bool Open();
    // The open temporary file, for callers that stream into it; nullptr before Open().
    std::FILE* Handle() const { return File; }
    bool Write(std::string_view bytes);
    bool Write(const void* data, std::size_t size);
    // Flushes, closes and renames into place. False (and the target untouched) on any failure.
    bool Commit();
    // Abandons the write and removes the temporary file.
    void Discard();

    const std::string& TargetPath() const { return Target; }
    const std::string& TemporaryPath() const { return TempPath; }
    bool Failed() const { return WriteFailed; }

private:
    std::string Target;
    std::string TempPath;
    std::FILE* File = nullptr;
    bool WriteFailed = false;
    bool Committed = false;
};

// The message every failed write reports: "Unable to write to <path>".
std::string UnableToWriteMessage(std::string_view path);

// Writes all of `bytes` to path through an AtomicFile. Empty on success, else the message above.
std::string WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace orlamo
