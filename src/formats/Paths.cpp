#include "formats/Paths.h"

namespace orlamo {

namespace {
bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::size_t LastSeparator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        const char c = path[i - 1];
        // A colon separates only as a drive ("C:"), never inside a POSIX name ("1:chime.wav").
        if (IsSeparator(c) || (c == ':' && i == 2 && IsAsciiLetter(path[0])))
            return i - 1;
    }
    return std::string_view::npos;
}
} // namespace

std::string FolderPart(std::string_view path) {
    const auto pos = LastSeparator(path);
    return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string FileNamePart(std::string_view path) {
    const auto pos = LastSeparator(path);
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string ExtensionPart(std::string_view path) {
    const std::string name = FileNamePart(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string StoredFolder(std::string_view fullPath, std::string_view fileName) {
    if (!fileName.empty() && fullPath.ends_with(fileName))
        return std::string(fullPath.substr(0, fullPath.size() - fileName.size()));
    return FolderPart(fullPath);
}

bool IsRelativeFolder(std::string_view folder) {
    if (folder.empty())
        return false;
    if (IsSeparator(folder.front()))
        return false;
    const bool driveLetter =
        folder.size() >= 2 && folder[1] == ':' &&
        ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z'));
    return !driveLetter;
}

std::string ResolveFolder(std::string_view folder, std::string_view baseFolder) {
    if (!IsRelativeFolder(folder) || baseFolder.empty())
        return std::string(folder);
    std::string resolved(baseFolder);
    if (!IsSeparator(resolved.back()))
        resolved += '/';
    resolved += folder;
    return resolved;
}

} // namespace orlamo
