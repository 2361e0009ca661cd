#pragma once
// Path pieces as the archive and playlist files use them. Folders end with their separator,
// so that folder + file name is the full path. "/" and "\" both separate; a drive colon too.

#include <string>
#include <string_view>

namespace orlamo {

// Everything up to and including the last separator; empty when there is none.
std::string FolderPart(std::string_view path);
// Everything after the last separator.
std::string FileNamePart(std::string_view path);
// From the last "." of the file-name part, the point included; empty when there is none.
std::string ExtensionPart(std::string_view path);
// A folder with no leading separator and no drive letter ("Wave/", "voices\").
bool IsRelativeFolder(std::string_view folder);
// The folder to store beside a file name: what stands before fileName at the end of fullPath, so
// that folder + file name gives the path back as it was read; the folder part of fullPath when the
// path does not end in the file name.
std::string StoredFolder(std::string_view fullPath, std::string_view fileName);
// A relative folder resolved against base (a folder ending in its separator); others unchanged.
std::string ResolveFolder(std::string_view folder, std::string_view baseFolder);

} // namespace orlamo
