#include "extras/SlotMap.h"

#include "formats/AtomicFile.h"
#include "formats/WaveInspector.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace orlamo {

namespace {

constexpr std::uint64_t HeaderSize = 12;
constexpr std::uint64_t EntrySize = 8;
constexpr std::string_view FallbackPrefix = "VOICE_";

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

bool SamePath(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    return !a.empty() && !b.empty() &&
           std::filesystem::path(a).lexically_normal() ==
               std::filesystem::path(b).lexically_normal();
}

// The bin of the voice a slot came from, or "" when the library does not hold it.
std::string SourceBinName(const WAVE_DPTR& slot, const Library& library) {
    if (slot.SourceBin >= 0 && slot.SourceBin < library.BinCount()) {
        const Bin& bin = library.BinAt(slot.SourceBin);
        if (slot.SourceIndex >= 0 &&
            static_cast<std::size_t>(slot.SourceIndex) < bin.Voices.size() &&
            SamePath(bin.Voices[static_cast<std::size_t>(slot.SourceIndex)].FullPath,
                     slot.FullPath))
            return bin.Name;
    }
    for (const Bin& bin : library.AllBins())
        for (const WAVE_DPTR& voice : bin.Voices)
            if (SamePath(voice.FullPath, slot.FullPath))
                return bin.Name;
    return {};
}

// Upper case, every character but an ASCII letter or digit turned into "_".
std::string MacroWord(std::string_view text) {
    std::string word;
    for (const char c : text) {
        if (IsAsciiLetter(c))
            word += static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
        else if (IsAsciiDigit(c))
            word += c;
        else
            word += '_';
    }
    return word;
}

// A macro name must start with a letter: names that would not get the fixed prefix, which also
// keeps them clear of the names reserved to the compiler ("_X", "__x").
std::string MacroName(std::string_view prefix, std::string_view word) {
    std::string name = std::string(prefix) + std::string(word);
    if (name.empty() || !IsAsciiLetter(name.front()))
        name = std::string(FallbackPrefix) + name;
    return name;
}

// Text safe inside a C block comment: printable ASCII only, and no "*/".
std::string CommentText(std::string_view text) {
    std::string safe;
    for (const char c : text) {
        if (c == '/' && !safe.empty() && safe.back() == '*')
            safe += ' ';
        safe += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return safe;
}

} // namespace

SlotMap MakeSlotMap(const PlayList& list, const Library* library) {
    SlotMap map;
    map.PlayListName = list.Name;
    map.EntryCount = list.LastOccupiedSlot();
    std::uint64_t offset = HeaderSize + EntrySize * static_cast<std::uint64_t>(map.EntryCount);
    for (int n = 1; n <= map.EntryCount; ++n) {
        const WAVE_DPTR& slot = list.Slot(n);
        if (IsEmptySlot(slot))
            continue;
        SlotMapEntry entry;
        entry.Slot = n;
        entry.VoiceName = slot.VoiceName;
        entry.FileName = slot.FileName;
        entry.FullPath = slot.FullPath;
        if (library != nullptr && library->HasArchive())
            entry.Bin = SourceBinName(slot, *library);
        const int index = static_cast<int>(slot.FormatCode >> 28);
        // A wave that was never measured has no play time; its format code means nothing.
        if (!slot.PlayTime.empty() && RateIndexBits(index) != 0) {
            entry.RateIndex = index;
            entry.SampleRate = WaveRateTable[static_cast<std::size_t>(index)];
            entry.Bits = RateIndexBits(index);
        }
        entry.PlayTime = slot.PlayTime;
        entry.DataSize = slot.DataSize;
        entry.Offset = offset;
        offset += slot.DataSize;
        map.TotalSize += slot.DataSize;
        map.Entries.push_back(std::move(entry));
    }
    return map;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + "\"";
}

std::string SlotMapCsv(const SlotMap& map) {
    std::string text = "slot,voice_name,file_name,bin,rate,bits,play_time,data_size,offset\r\n";
    for (const SlotMapEntry& entry : map.Entries) {
        const bool measured = entry.RateIndex >= 0;
        text += std::to_string(entry.Slot) + "," + CsvField(entry.VoiceName) + "," +
                CsvField(entry.FileName) + "," + CsvField(entry.Bin) + "," +
                (measured ? std::to_string(entry.SampleRate) : "") + "," +
                (measured ? std::to_string(entry.Bits) : "") + "," + CsvField(entry.PlayTime) +
                "," + std::to_string(entry.DataSize) + "," + std::to_string(entry.Offset) + "\r\n";
    }
    return text;
}

bool IsMacroPrefix(std::string_view text) {
    if (text.empty() || !IsAsciiLetter(text.front()))
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_'; });
}

std::vector<std::string> SlotMacroNames(const SlotMap& map, std::string_view prefix,
                                        const std::vector<std::string>& reserved) {
    std::set<std::string> taken(reserved.begin(), reserved.end());
    std::vector<std::string> names;
    names.reserve(map.Entries.size());
    for (const SlotMapEntry& entry : map.Entries) {
        std::string word = MacroWord(entry.VoiceName);
        if (std::none_of(word.begin(), word.end(), [](char c) { return c != '_'; }))
            word = "SLOT_" + std::to_string(entry.Slot);
        const std::string base = MacroName(prefix, word);
        std::string name = base;
        for (int suffix = 2; taken.count(name) != 0; ++suffix)
            name = base + "_" + std::to_string(suffix);
        taken.insert(name);
        names.push_back(std::move(name));
    }
    return names;
}

std::string SlotMapHeader(const SlotMap& map, std::string_view prefix) {
    const std::string countName = MacroName(prefix, "COUNT");
    const std::string listWord = MacroWord(map.PlayListName);
    const std::string guard =
        MacroName(prefix, (listWord.empty() ? "" : listWord + "_") + "SLOTS_H");
    const std::vector<std::string> names = SlotMacroNames(map, prefix, {countName, guard});

    std::size_t width = countName.size();
    for (const std::string& name : names)
        width = std::max(width, name.size());
    auto define = [width](const std::string& name, const std::string& value) {
        return "#define " + name + std::string(width - name.size() + 1, ' ') + value;
    };

    std::string text = "/* Slot numbers of the voices of the playlist \"" +
                       CommentText(map.PlayListName) + "\", made by Orlamo. */\n" + "#ifndef " +
                       guard + "\n#define " + guard + "\n\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        const SlotMapEntry& entry = map.Entries[i];
        text += define(names[i], std::to_string(entry.Slot)) + " /* \"" +
                CommentText(entry.VoiceName) + "\", " + CommentText(entry.FileName) + " */\n";
    }
    text += "\n" + define(countName, std::to_string(names.size())) +
            " /* voices in the playlist */\n\n#endif /* " + guard + " */\n";
    return text;
}

std::string SlotMapText(const SlotMap& map, SlotMapFormat format, std::string_view prefix) {
    return format == SlotMapFormat::Csv ? SlotMapCsv(map) : SlotMapHeader(map, prefix);
}

std::string ExportSlotMap(const std::string& path, const SlotMap& map, SlotMapFormat format,
                          std::string_view prefix) {
    return WriteFileAtomically(path, SlotMapText(map, format, prefix));
}

} // namespace orlamo
