#include "formats/IniFile.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace orlamo {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// One pair of matching quotes around the whole value is not part of it.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string Folded(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}
} // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    std::optional<std::size_t> current;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = Trim(line);
        if (line.empty())
            continue;

        const auto close = line.rfind(']');
        if (line.front() == '[' && close != std::string_view::npos) {
            const std::string name(Trim(line.substr(1, close - 1)));
            // A header met again starts a section of its own, so that nothing after it is lost.
            document.AllSections.push_back(IniSection{name, {}});
            document.KeyIndexes.emplace_back();
            document.SectionIndex.try_emplace(Folded(name), document.AllSections.size() - 1);
            current = document.AllSections.size() - 1;
            continue;
        }
        if (!current)
            continue;
        const auto equals = line.find('=');
        IniEntry entry;
        if (equals == std::string_view::npos) {
            entry.Key = std::string(line);
        } else {
            entry.Key = std::string(Trim(line.substr(0, equals)));
            entry.Value = std::string(Unquote(Trim(line.substr(equals + 1))));
        }
        document.AddEntry(*current, std::move(entry));
    }
    return document;
}

void IniDocument::AddEntry(std::size_t section, IniEntry entry) {
    auto& entries = AllSections[section].Entries;
    KeyIndexes[section].try_emplace(Folded(entry.Key), entries.size());
    entries.push_back(std::move(entry));
}

IniSection& IniDocument::SectionFor(std::string_view name, Index*& keys) {
    const auto [found, added] = SectionIndex.try_emplace(Folded(name), AllSections.size());
    if (added) {
        AllSections.push_back(IniSection{std::string(name), {}});
        KeyIndexes.emplace_back();
    }
    keys = &KeyIndexes[found->second];
    return AllSections[found->second];
}

void IniDocument::WriteValue(std::string_view section, std::string_view key,
                             std::string_view value) {
    Index* keys = nullptr;
    IniSection& target = SectionFor(section, keys);
    const auto found = keys->find(Folded(key));
    if (found != keys->end()) {
        target.Entries[found->second].Value = std::string(value);
        return;
    }
    keys->emplace(Folded(key), target.Entries.size());
    target.Entries.push_back(IniEntry{std::string(key), std::string(value)});
}

std::string IniDocument::Serialize() const {
    std::string text;
    for (const auto& section : AllSections) {
        text += '[';
        text += section.Name;
        text += "]\r\n";
        for (const auto& entry : section.Entries) {
            text += entry.Key;
            text += '=';
            text += entry.Value;
            text += "\r\n";
        }
    }
    return text;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    // fopen accepts a folder on some systems and only the read fails; refuse it up front.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return std::nullopt;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    std::string contents;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        contents.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    return contents;
}

} // namespace orlamo
