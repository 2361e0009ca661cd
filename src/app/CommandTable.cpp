#include "app/CommandTable.h"

#include "app/ImageList.h"

#include <functional>
#include <map>

const std::vector<CommandInfo>& CommandTable() {
    using namespace ImageList;
    static const std::vector<CommandInfo> table{
        {"ActFile_CreateArchive", "File", "Create  Library", "Ctrl+N", -1},
        {"ActFile_OpenArchive", "File", "Open Archive", "Ctrl+O", OpenFolder},
        {"ActFile_SaveArchive", "File", "Save Archive", "Ctrl+S", Floppy},
        {"ActFile_SaveAsArchive", "File", "Save As Archive", nullptr, -1},
        {"ActFile_Exit", "File", "Exit", nullptr, Door},
        {"ActBin_CreateBin", "Bin", "Create Bin", nullptr, FolderAdd},
        {"ActFile_ReName", "Bin", "ReName", nullptr, -1},
        {"ActBin_DelBin", "Bin", "Del Bin", nullptr, FolderRemove},
        {"ActPL_CreatePlayList", "PlayList", "Create  PlayList", nullptr, ListAdd},
        {"ActPL_OpenPlayList", "PlayList", "Open PlayList", nullptr, OpenFolder},
        {"ActPL_SavePlayList", "PlayList", "Save PlayList", nullptr, Floppy},
        {"ActPL_SaveAsPlayList", "PlayList", "Save As PlayList", nullptr, -1},
        {"ActFile_SaveToWrkFile", "PlayList", "Compile To WrkFile", nullptr, -1},
        {"ActPL_DelPlayList", "PlayList", "Del PlayList", nullptr, ListRemove},
        {"ActPL_ReName", "PlayList", "ReName", nullptr, -1},
        {"ActVoice_AddVoice", "Voice", "Add Voice", nullptr, NoteAdd},
        {"ActVoice_EditVoice", "Voice", "Edit Voice", nullptr, -1},
        {"ActVoice_DelVoice", "Voice", "Del Voice", nullptr, NoteRemove},
        {"ActVoice_AddToPlayList", "Voice", "Add To PlayList", nullptr, -1},
        {"ActTool_PlayWav", "Voice", "Play Wave", nullptr, PlayDisc},
        {"ActPL_MoveWaveTo", "PlayList", "Move Wave To", nullptr, -1},
        {"ActOption_WavePath", "Option", "Set Wave Path", nullptr, -1},
        {"ActAbout_About", "About", "About", nullptr, -1},
        // Additions beyond the original commands: what the playlist does on the module.
        {"ActPL_ExportSlotMap", "PlayList", "Export Slot Map", nullptr, -1},
        {"ActPL_CheckPlayList", "PlayList", "Check PlayList", nullptr, -1},
        {"ActPL_PlayFromHere", "Voice", "Play From Here", nullptr, PlayDisc},
        {"ActTool_StopPlaying", "Voice", "Stop", nullptr, -1},
    };
    return table;
}

const std::vector<MenuInfo>& MainMenuTable() {
    static const std::vector<MenuInfo> menus{
        {"ElMMenu_File",
         "File",
         {{"Create  Archive", "ActFile_CreateArchive"},
          {"Open  Archive", "ActFile_OpenArchive"},
          {"Save  Archive", "ActFile_SaveArchive"},
          {"Save  As  Archive", "ActFile_SaveAsArchive"},
          {"Exit", "ActFile_Exit"}}},
        {"ElMMenu_Bin",
         "Bin",
         {{"Create  Bin", "ActBin_CreateBin"},
          {"ReName", "ActFile_ReName"},
          {"Del  Bin", "ActBin_DelBin"}}},
        {"ElMMenu_PlayList",
         "Play List",
         {{"Create  Play List", "ActPL_CreatePlayList"},
          {"Open  Play List", "ActPL_OpenPlayList"},
          {"Save  Play List", "ActPL_SavePlayList"},
          {"Save  As  Play List", "ActPL_SaveAsPlayList"},
          {"Compile To  Wrk File", "ActFile_SaveToWrkFile"},
          {"Del  Play List", "ActPL_DelPlayList"},
          {"Export Slot Map...", "ActPL_ExportSlotMap"},
          {"Check PlayList", "ActPL_CheckPlayList"}}},
        {"ElMMenu_Voice",
         "Voice",
         {{"Add Voice", "ActVoice_AddVoice"},
          {"Edit Voice", "ActVoice_EditVoice"},
          {"Del Voice", "ActVoice_DelVoice"},
          {"Add To Play List", "ActVoice_AddToPlayList"},
          {"Play  Wav", "ActTool_PlayWav"},
          {"Move Wave To", "ActPL_MoveWaveTo"},
          {"Play From Here", "ActPL_PlayFromHere"},
          {"Stop", "ActTool_StopPlaying"}}},
        {"ElMMenu_Option", "Option", {{"Set  Wave  Path", "ActOption_WavePath"}}},
        {"ElMMenu_Help", "Help", {{"About Orlamo", "ActAbout_About"}}},
    };
    return menus;
}

const std::vector<MenuInfo>& PopupMenuTable() {
    static const std::vector<MenuInfo> popups{
        {"ElPMenu_Archive",
         "",
         {{"Create  Bin", "ActBin_CreateBin"},
          {"ReName", "ActFile_ReName"},
          {"Del  Bin", "ActBin_DelBin"}}},
        {"ElPMenu_SG",
         "",
         {{"Add  Voice", "ActVoice_AddVoice"},
          {"Edit  Voice", "ActVoice_EditVoice"},
          {"Del Voice", "ActVoice_DelVoice"},
          {"Add To PlayList", "ActVoice_AddToPlayList"},
          {"Play  Wave", "ActTool_PlayWav"},
          {"Move  Wave  To", "ActPL_MoveWaveTo"},
          {"Play From Here", "ActPL_PlayFromHere"},
          {"Stop", "ActTool_StopPlaying"}}},
        {"ElPMenu_PlayList",
         "",
         {{"Create  Play List", "ActPL_CreatePlayList"},
          {"Open  Play List", "ActPL_OpenPlayList"},
          {"Save  Play List", "ActPL_SavePlayList"},
          {"Save  As  Play List", "ActPL_SaveAsPlayList"},
          {"Compile To WrkFile", "ActFile_SaveToWrkFile"},
          {"Del  Play List", "ActPL_DelPlayList"},
          {"ReName", "ActPL_ReName"}}},
    };
    return popups;
}

bool CommandEnabled(const QString& actionName, const CommandState& s) {
    using Rule = std::function<bool(const CommandState&)>;
    auto archiveOpen = [](const CommandState& c) { return c.LibraryNodes != 0; };
    auto archiveNodeSelected = [](const CommandState& c) {
        return c.SelectedPosition && c.LibraryNodes != 0 && *c.SelectedPosition == 0;
    };
    auto binSelected = [](const CommandState& c) {
        return c.SelectedPosition && c.LibraryNodes != 0 && *c.SelectedPosition > 0;
    };
    auto playListOpen = [](const CommandState& c) { return c.PlayListNodes != 0; };
    static const std::map<QString, Rule> rules{
        {QStringLiteral("ActFile_SaveArchive"), archiveOpen},
        {QStringLiteral("ActFile_SaveAsArchive"), archiveOpen},
        {QStringLiteral("ActBin_CreateBin"), archiveNodeSelected},
        {QStringLiteral("ActFile_ReName"), binSelected},
        {QStringLiteral("ActBin_DelBin"), binSelected},
        {QStringLiteral("ActPL_CreatePlayList"), archiveOpen},
        {QStringLiteral("ActPL_OpenPlayList"), archiveOpen},
        {QStringLiteral("ActPL_SavePlayList"), playListOpen},
        {QStringLiteral("ActPL_SaveAsPlayList"), playListOpen},
        {QStringLiteral("ActFile_SaveToWrkFile"), playListOpen},
        {QStringLiteral("ActPL_DelPlayList"), playListOpen},
        {QStringLiteral("ActPL_ReName"), playListOpen},
        {QStringLiteral("ActVoice_AddVoice"),
         [](const CommandState& c) { return c.BinViewActive; }},
        {QStringLiteral("ActVoice_EditVoice"),
         [](const CommandState& c) { return c.LibraryNodes != 0 && !c.NoSingleVoiceSelected; }},
        {QStringLiteral("ActVoice_DelVoice"),
         [](const CommandState& c) { return c.LibraryNodes != 0 && !c.NoSingleVoiceSelected; }},
        {QStringLiteral("ActVoice_AddToPlayList"),
         [](const CommandState& c) {
             return c.PlayListNodes > 0 && !c.NoSingleVoiceSelected && c.BinViewActive;
         }},
        {QStringLiteral("ActTool_PlayWav"),
         [](const CommandState& c) { return c.LibraryNodes >= 2 && !c.NoSingleVoiceSelected; }},
        {QStringLiteral("ActPL_MoveWaveTo"),
         [](const CommandState& c) {
             return c.PlayListNodes != 0 && !c.NoSingleVoiceSelected && !c.BinViewActive;
         }},
        {QStringLiteral("ActPL_ExportSlotMap"), playListOpen},
        {QStringLiteral("ActPL_CheckPlayList"), playListOpen},
        {QStringLiteral("ActPL_PlayFromHere"),
         [](const CommandState& c) { return c.PlayListNodes != 0 && c.PlayListViewShown; }},
        {QStringLiteral("ActTool_StopPlaying"), [](const CommandState& c) { return c.Playing; }},
    };
    const auto rule = rules.find(actionName);
    return rule == rules.end() || rule->second(s);
}
