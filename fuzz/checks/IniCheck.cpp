// The INI reader over any text: what it gives back must survive being written and read again
// with the same sections and keys in the same order.

#include "checks/FuzzChecks.h"
#include "formats/IniFile.h"

#include <string_view>

namespace orlamo::fuzz {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool Trimmed(std::string_view text) {
    return text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back()));
}

} // namespace

void CheckIniInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IniDocument document = IniDocument::Parse(text);
    for (const auto& section : document.Sections()) {
        Require(section.Name.find('\n') == std::string::npos, "a section name holds no line end");
        Require(Trimmed(section.Name), "a section name is trimmed");
        for (const auto& entry : section.Entries) {
            Require(entry.Key.find('\n') == std::string::npos, "a key holds no line end");
            Require(entry.Value.find('\n') == std::string::npos, "a value holds no line end");
            Require(entry.Key.find('=') == std::string::npos, "a key holds no equals sign");
            Require(Trimmed(entry.Key), "a key is trimmed");
        }
    }

    // Written out and read back: the same sections, keys and entry counts in the same order.
    // (Values may lose blanks and quotes that the first reading kept inside a quoted value.)
    const IniDocument again = IniDocument::Parse(document.Serialize());
    Require(again.Sections().size() == document.Sections().size(), "the section count survives");
    for (std::size_t s = 0; s < document.Sections().size(); ++s) {
        const auto& before = document.Sections()[s];
        const auto& after = again.Sections()[s];
        Require(before.Name == after.Name, "a section name survives");
        Require(before.Entries.size() == after.Entries.size(), "a section's entry count survives");
        for (std::size_t e = 0; e < before.Entries.size(); ++e)
            Require(before.Entries[e].Key == after.Entries[e].Key, "a key survives");
    }

    // Writing every entry into a fresh document keeps each value where its key first stood.
    IniDocument written;
    for (const auto& section : document.Sections())
        for (const auto& entry : section.Entries)
            written.WriteValue(section.Name, entry.Key, entry.Value);
    const std::string serialized = written.Serialize();
    Require(serialized.size() <= document.Serialize().size() + 4 * document.Sections().size(),
            "writing values never adds text of its own");
}

} // namespace orlamo::fuzz
