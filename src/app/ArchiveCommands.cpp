// The archive commands of the File menu: Create, Open, Save and Save As.

#include "app/MainForm.h"

void TFormMain::ActFile_CreateArchiveExecute() {
    // filled by the commands work
}

void TFormMain::ActFile_OpenArchiveExecute() {
    // filled by the commands work
}

void TFormMain::ActFile_SaveArchiveExecute() {
    // filled by the commands work
}

void TFormMain::ActFile_SaveAsArchiveExecute() {
    // filled by the commands work
}
