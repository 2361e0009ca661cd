#pragma once
// The slot map: which slot plays which voice, with each voice's measurements and the offset its
// sound data will have in the work file. Exported as CSV for people and as a C header for firmware.

#include "model/Library.h"
#include "model/PlayList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orlamo {

struct SlotMapEntry {
    int Slot = 0;
    std::string VoiceName;
    std::string FileName;
    std::string FullPath;
    std::string Bin; // the bin the voice is in, when a library was given and holds it; else ""
    // From the slot's format code; -1 (and rate and bits 0) when the wave was not measured
    // because it is missing or refused.
    int RateIndex = -1;
    std::uint32_t SampleRate = 0;
    int Bits = 0;
    std::string PlayTime;
    std::uint32_t DataSize = 0;
    std::uint64_t Offset = 0; // of the sound data from the start of the work file
};

struct SlotMap {
    std::string PlayListName;
    int EntryCount = 0;                // N, the table's entries: the last occupied slot
    std::uint64_t TotalSize = 0;       // sound data of all occupied slots
    std::vector<SlotMapEntry> Entries; // occupied slots only, in slot order
};

// Lays out the occupied slots as the compiler does, from the sizes the slots record: the data
// start at 12 + 8 N and follow each other in slot order. With a library, each voice's bin is
// named: by the slot's SourceBin and SourceIndex while they still lead to a voice with the same
// full path, else by the first bin holding a voice with that full path.
SlotMap MakeSlotMap(const PlayList& list, const Library* library = nullptr);

enum class SlotMapFormat { Csv, CHeader };

constexpr std::string_view DefaultMacroPrefix = "VOICE_";

// CSV (RFC 4180): a header row, one row per occupied slot, CR LF line ends.
std::string SlotMapCsv(const SlotMap& map);
// A C header: an include guard, one "#define <prefix><VOICE NAME> <slot>" per occupied slot with
// names made unique, and "#define <prefix>COUNT <occupied slots>".
std::string SlotMapHeader(const SlotMap& map, std::string_view prefix = DefaultMacroPrefix);
std::string SlotMapText(const SlotMap& map, SlotMapFormat format,
                        std::string_view prefix = DefaultMacroPrefix);

// Writes the map whole through a temporary file. Empty on success, else the reason.
std::string ExportSlotMap(const std::string& path, const SlotMap& map, SlotMapFormat format,
                          std::string_view prefix = DefaultMacroPrefix);

// A field as CSV writes it: quoted, with inner quotes doubled, when it holds a comma, a quote, CR
// or LF; else unchanged.
std::string CsvField(std::string_view text);
// Whether text can start a C macro name: an ASCII letter, then letters, digits or "_".
bool IsMacroPrefix(std::string_view text);
// The macro names of the entries, in entry order: prefix + the voice name in upper case with
// every character but ASCII letters and digits turned into "_" ("SLOT_<n>" when the name has no
// letter or digit), made unique with "_2", "_3", ... and kept apart from the reserved names.
std::vector<std::string> SlotMacroNames(const SlotMap& map, std::string_view prefix,
                                        const std::vector<std::string>& reserved = {});

} // namespace orlamo
