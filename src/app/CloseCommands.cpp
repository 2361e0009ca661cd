// Exit and the close request.

#include "app/MainForm.h"

void TFormMain::ActFile_ExitExecute() {
    // Exit closes the window exactly as its close box does, close request included.
    close();
}

bool TFormMain::FormCloseQuery() {
    // filled by the commands work: the save prompts for the archive and the playlist.
    return true;
}
