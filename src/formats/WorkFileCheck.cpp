// Reads a work file's header and table back and checks that they agree with each other and with
// the file's length. Only the header and table are read: the sound data is never loaded.

#include "formats/WaveInspector.h"
#include "formats/WorkFile.h"
#include "model/PlayList.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace orlamo {

namespace {

constexpr std::size_t HeaderSize = 12;
constexpr std::size_t EntrySize = 8;

std::uint16_t Le16At(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Le32At(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The magic as printable text: bytes outside visible ASCII are shown as \xNN.
std::string PrintableMagic(const unsigned char* p) {
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    for (int i = 0; i < 4; ++i) {
        if (p[i] >= 0x20 && p[i] < 0x7F && p[i] != '\\') {
            text += static_cast<char>(p[i]);
        } else {
            text += "\\x";
            text += digits[p[i] >> 4];
            text += digits[p[i] & 0xF];
        }
    }
    return text;
}

// Checks the header and as much of the table as `head` holds against a file of `fileSize` bytes.
WorkFileReport CheckHead(const unsigned char* head, std::size_t headSize, std::uint64_t fileSize) {
    WorkFileReport report;
    report.Readable = true;
    report.FileSize = fileSize;
    auto problem = [&report](std::string text) { report.Problems.push_back(std::move(text)); };

    if (headSize < HeaderSize) {
        problem("The file has " + std::to_string(fileSize) +
                " bytes, fewer than the 12 bytes of the header");
        return report;
    }
    report.Magic = PrintableMagic(head);
    report.Constant = Le16At(head + 4);
    report.Entries = Le16At(head + 6);
    report.TotalSize = Le32At(head + 8);

    if (report.Magic != "ORMN")
        problem("The magic is \"" + report.Magic + "\" instead of \"ORMN\"");
    if (report.Constant != WorkFileConstant)
        problem("The constant is " + std::to_string(report.Constant) + " instead of " +
                std::to_string(WorkFileConstant));
    if (report.Entries > PlayListSlots)
        problem("The table has " + std::to_string(report.Entries) + " entries; a playlist has " +
                std::to_string(PlayListSlots) + " slots");

    const std::uint64_t dataStart = HeaderSize + EntrySize * std::uint64_t{report.Entries};
    if (dataStart > fileSize)
        problem("The table of " + std::to_string(report.Entries) + " entries ends at byte " +
                std::to_string(dataStart) + ", past the end of the file (" +
                std::to_string(fileSize) + " bytes)");

    // Occupied slots must follow each other from the end of the table, in slot order.
    std::uint64_t expectedOffset = dataStart;
    std::uint64_t sizeSum = 0;
    bool lastEntryEmpty = false;
    for (std::size_t k = 1; k <= report.Entries; ++k) {
        const std::size_t at = HeaderSize + EntrySize * (k - 1);
        if (at + EntrySize > headSize)
            break; // the table is cut short; reported above
        const std::uint32_t word = Le32At(head + at);
        const std::uint32_t offset = Le32At(head + at + 4);
        lastEntryEmpty = word == 0 && offset == 0;
        if (lastEntryEmpty)
            continue;
        WorkFileSlot slot;
        slot.Slot = static_cast<int>(k);
        slot.RateIndex = static_cast<int>(word >> 28);
        slot.DataSize = word & MaxVoiceDataSize;
        slot.Offset = offset;
        const std::string name = "Slot " + std::to_string(k);
        if (slot.RateIndex >= static_cast<int>(WaveRateTable.size()))
            problem(name + " has rate index " + std::to_string(slot.RateIndex) +
                    "; the rate indexes run from 0 to 9");
        if (offset != expectedOffset)
            problem(name + " starts at byte " + std::to_string(offset) + " instead of " +
                    std::to_string(expectedOffset));
        expectedOffset += slot.DataSize;
        sizeSum += slot.DataSize;
        report.Slots.push_back(slot);
    }
    if (report.Entries > 0 && lastEntryEmpty)
        problem(
            "Entry " + std::to_string(report.Entries) +
            ", the last of the table, is empty; the table should end at the last occupied slot");
    if (sizeSum != report.TotalSize)
        problem("The slots' data sizes add up to " + std::to_string(sizeSum) +
                " bytes; the header says " + std::to_string(report.TotalSize));
    const std::uint64_t expectedFileSize = dataStart + sizeSum;
    if (dataStart <= fileSize && expectedFileSize != fileSize)
        problem("The file has " + std::to_string(fileSize) + " bytes; its table accounts for " +
                std::to_string(expectedFileSize));

    report.Consistent = report.Problems.empty();
    return report;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

WorkFileReport CheckWorkFileBytes(const unsigned char* data, std::size_t size) {
    return CheckHead(data, size, size);
}

WorkFileReport CheckWorkFile(const std::string& path) {
    WorkFileReport unreadable;
    unreadable.Problems.push_back("Unable to read " + path);

    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return unreadable;
    const std::uintmax_t fileSize = std::filesystem::file_size(path, error);
    if (error)
        return unreadable;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return unreadable;

    // The header first, then the table it announces (never more than 65535 entries).
    std::vector<unsigned char> head(HeaderSize);
    std::size_t got = std::fread(head.data(), 1, HeaderSize, file.get());
    if (got == HeaderSize) {
        const std::size_t tableSize = EntrySize * Le16At(head.data() + 6);
        head.resize(HeaderSize + tableSize);
        got += std::fread(head.data() + HeaderSize, 1, tableSize, file.get());
    }
    if (std::ferror(file.get()))
        return unreadable;
    return CheckHead(head.data(), got, fileSize);
}

} // namespace orlamo
