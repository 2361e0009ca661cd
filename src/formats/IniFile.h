#pragma once
// INI-style text as the archive and playlist files use it. Sections and entries keep file order;
// section names and keys match without regard to letter case when written; on reading, blanks
// around keys and values and one pair of enclosing quotes are dropped. Files are read whole, with
// no length limits; bytes are kept as they are. Lines are written with CR LF.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orlamo {

struct IniEntry {
    std::string Key;   // as read: trimmed (a line without "=" is all key)
    std::string Value; // as read: trimmed, one pair of enclosing quotes removed
};

struct IniSection {
    std::string Name;
    std::vector<IniEntry> Entries;
};

class IniDocument {
public:
    // Parses text (LF or CR LF line ends; blank lines ignored; entries before any section dropped).
    // Every other line of a section is an entry, one without "=" too (all key, empty value), so
    // that readers grouping entries by position count every line the file holds.
    static IniDocument Parse(std::string_view text);

    const std::vector<IniSection>& Sections() const { return AllSections; }

    // Writes one value: replaces the key where it stands (any letter case) or appends it at the end
    // of its section; a section that does not exist is appended at the end of the document.
    void WriteValue(std::string_view section, std::string_view key, std::string_view value);

    // The document as file text: "[name]" lines and "key=value" lines, each ending in CR LF.
    std::string Serialize() const;

private:
    // Letter-case-blind lookups, so that writing many keys stays linear. A name or key that occurs
    // twice is found at its first place, as replacing "the" key means the first one.
    using Index = std::unordered_map<std::string, std::size_t>;
    IniSection& SectionFor(std::string_view name, Index*& keys);
    void AddEntry(std::size_t section, IniEntry entry);

    std::vector<IniSection> AllSections;
    Index SectionIndex;
    std::vector<Index> KeyIndexes; // one per section, parallel to AllSections
};

// Reads a whole file. nullopt when it cannot be opened (missing, a folder, no permission).
std::optional<std::string> ReadWholeFile(const std::string& path);

} // namespace orlamo
