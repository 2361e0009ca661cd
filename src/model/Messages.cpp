#include "model/Messages.h"

#include <array>
#include <utility>

namespace orlamo {

namespace {
// The string table. Doubled blanks and trailing blanks belong to the texts.
constexpr std::array<std::pair<int, const char*>, 10> StringTable{{
    {MessageId::Warning, "Warning"},
    {MessageId::FileRename, "Found an identical File.Do you want to change the file's name?"},
    {MessageId::IdenticalName, "Found an identical File Name"},
    {MessageId::FileTypeError, "File type Error."},
    {MessageId::ArchiveModifiedText, "Archive  Modified"},
    {MessageId::PlayListModifiedText, "PlayList  Modified"},
    {MessageId::NotFoundFile, "Not Found File"},
    {MessageId::CoverFile, "Found an identical File,Do You Want cover? "},
    {MessageId::SaveArchivePrompt, "Save changes to Archive ?"},
    {MessageId::SavePlayListPrompt, "Save changes to PlayList ?"},
}};
} // namespace

std::string ResString(int id) {
    for (const auto& [entryId, text] : StringTable)
        if (entryId == id)
            return text;
    return {};
}

bool ChangeState::SetArchiveModified(bool modified) {
    if (ArchiveModifiedFlag == modified)
        return false;
    ArchiveModifiedFlag = modified;
    return true;
}

bool ChangeState::SetPlayListModified(bool modified) {
    if (PlayListModifiedFlag == modified)
        return false;
    PlayListModifiedFlag = modified;
    return true;
}

bool ChangeState::SetArchivePath(const std::string& path) {
    if (ArchivePath == path)
        return false;
    ArchivePath = path;
    return true;
}

std::string ChangeState::ArchiveIndicatorText() const {
    return ArchiveModifiedFlag ? ResString(MessageId::ArchiveModifiedText) : std::string();
}

std::string ChangeState::PlayListIndicatorText() const {
    return PlayListModifiedFlag ? ResString(MessageId::PlayListModifiedText) : std::string();
}

std::string ChangeState::WindowCaption() const {
    std::string caption = ApplicationTitle;
    if (!ArchivePath.empty())
        caption += " - " + ArchivePath;
    return caption;
}

} // namespace orlamo
