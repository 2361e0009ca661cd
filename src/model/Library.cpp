#include "model/Library.h"

#include <algorithm>
#include <cctype>

namespace orlamo {

void Library::SetArchiveNode(std::string name) {
    HasArchiveNode = true;
    Name = std::move(name);
}

void Library::Clear() {
    HasArchiveNode = false;
    Name.clear();
    Bins.clear();
}

void Library::AddBin(std::string name, std::vector<WAVE_DPTR> voices) {
    Bins.push_back(Bin{std::move(name), std::move(voices)});
}

void Library::RemoveBin(int childPosition) {
    if (childPosition < 0 || childPosition >= BinCount())
        return;
    Bins.erase(Bins.begin() + childPosition);
}

std::optional<int> Library::FindBin(std::string_view name) const {
    for (int i = 0; i < BinCount(); ++i)
        if (Bins[static_cast<std::size_t>(i)].Name == name)
            return i;
    return std::nullopt;
}

bool Library::BinHasFileName(int childPosition, std::string_view fileName) const {
    if (childPosition < 0 || childPosition >= BinCount())
        return false;
    const auto& voices = BinAt(childPosition).Voices;
    return std::any_of(voices.begin(), voices.end(),
                       [&](const WAVE_DPTR& v) { return v.FileName == fileName; });
}

std::optional<BinNameProblem> Library::CheckBinName(std::string_view name, int exceptPosition) const {
    if (!IsStorableBinName(name))
        return BinNameProblem::NotStorable;
    for (int i = 0; i < BinCount(); ++i)
        if (i != exceptPosition && EqualsIgnoringCase(Bins[static_cast<std::size_t>(i)].Name, name))
            return BinNameProblem::Taken;
    return std::nullopt;
}

int Library::VoiceCount() const {
    int count = 0;
    for (const auto& bin : Bins)
        count += static_cast<int>(bin.Voices.size());
    return count;
}

bool IsStorableBinName(std::string_view name) {
    if (name.empty())
        return false;
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    if (isBlank(name.front()) || isBlank(name.back()))
        return false;
    // Quotes around the whole name would be stripped on reading, as would any control character.
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front())
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == ']' || c == '\r' || c == '\n' || c == '\0';
    });
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace orlamo
