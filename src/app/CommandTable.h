#pragma once
// The window's commands as data: each action's name, category, caption, shortcut and picture; the
// main menu and the three popups with their own captions; and the rule that says when each
// command may run. The window builds its QActions and menus from these tables.

#include <QString>
#include <optional>
#include <vector>

struct CommandInfo {
    const char* Name;     // objectName of the action, e.g. "ActFile_OpenArchive"
    const char* Category; // "File", "Bin", "PlayList", "Voice", "Option", "About"
    const char* Caption;  // the action's own caption
    const char* Shortcut; // portable key text ("Ctrl+O"), or nullptr
    int Image;            // index into ImageList, or -1
};

// The 23 original commands in menu order, then the four added ones.
const std::vector<CommandInfo>& CommandTable();

struct MenuEntryInfo {
    const char* Caption; // the entry's own caption (doubled blanks belong to it)
    const char* Action;  // the command it runs
};

struct MenuInfo {
    const char* Name;  // objectName of the menu
    const char* Title; // its caption in the menu bar (empty for popups)
    std::vector<MenuEntryInfo> Entries;
};

// "File", "Bin", "Play List", "Voice", "Option", "Help".
const std::vector<MenuInfo>& MainMenuTable();
// ElPMenu_Archive, ElPMenu_SG, ElPMenu_PlayList.
const std::vector<MenuInfo>& PopupMenuTable();

// What the enabling rules look at, read from the window's live state.
struct CommandState {
    int LibraryNodes = 0;                // archive node and bins; 0 when no archive is open
    std::optional<int> SelectedPosition; // absolute position of the selected library node
    int PlayListNodes = 0;               // 0 or 1
    bool BinViewActive = false;
    bool NoSingleVoiceSelected = false;
    bool PlayListViewShown = false; // the playlist view is the list view on screen
    bool Playing = false;           // a slot preview is playing
};

// Whether the command may run in this state. Unknown names are always enabled.
bool CommandEnabled(const QString& actionName, const CommandState& state);
