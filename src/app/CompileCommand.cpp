// Compile To WrkFile: the open playlist into the work file the module loads.

#include "app/MainForm.h"

void TFormMain::ActFile_SaveToWrkFileExecute() {
    // filled by the commands work
}
