// Exit and the close request.

#include "app/MainForm.h"

void TFormMain::ActFile_ExitExecute() {
    // Exit closes the window exactly as its close box does, close request included.
    close();
}

bool TFormMain::FormCloseQuery() {
    // Each prompt shown must let the close go on: a Cancel, or a save that did not go through,
    // keeps the window open with what it holds. After the archive's prompt stops the close there
    // is nothing more to ask.
    if (ArchiveModified() && !QuerySaveArchive())
        return false;
    if (PlayListModified() && !QuerySavePlayList())
        return false;
    return true;
}
