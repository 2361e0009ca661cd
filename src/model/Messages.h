#pragma once
// The program's numbered messages and the three change indicators (archive, playlist, path)
// with the texts derived from them. The window shows these; the core only keeps them.

#include <string>

namespace orlamo {

namespace MessageId {
constexpr int Warning = 1;
constexpr int FileRename = 2001;        // identical file in the wave folder: rename?
constexpr int IdenticalName = 2003;     // bin name taken / file name already in bin
constexpr int FileTypeError = 2004;     // archive extension is not ".arh"
constexpr int ArchiveModifiedText = 2051;
constexpr int PlayListModifiedText = 2052;
constexpr int NotFoundFile = 2201;
constexpr int CoverFile = 2202;         // chosen file exists: overwrite?
constexpr int SaveArchivePrompt = 2203;
constexpr int SavePlayListPrompt = 2204;
} // namespace MessageId

// Button results as the message boxes number them.
namespace ButtonResult {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace ButtonResult

// Text of a numbered message; empty for an unknown id.
std::string ResString(int id);

constexpr const char* ApplicationTitle = "Orlamo";
constexpr const char* VersionText = "V1.01 Build 02022010 ";

// The change flags and the open archive's path, with their derived texts.
// Each setter returns true when the value changed (the window then updates its indicator).
class ChangeState {
public:
    bool ArchiveModified() const { return ArchiveModifiedFlag; }
    bool PlayListModified() const { return PlayListModifiedFlag; }
    const std::string& CurrentArchivePath() const { return ArchivePath; }

    bool SetArchiveModified(bool modified);
    bool SetPlayListModified(bool modified);
    bool SetArchivePath(const std::string& path);

    std::string ArchiveIndicatorText() const;  // status panel 0
    std::string PlayListIndicatorText() const; // status panel 1
    std::string WindowCaption() const;         // "Orlamo" or "Orlamo - <path>"

private:
    bool ArchiveModifiedFlag = false;
    bool PlayListModifiedFlag = false;
    std::string ArchivePath;
};

} // namespace orlamo
