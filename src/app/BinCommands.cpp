// The bin commands: Create Bin, ReName and Del Bin.

#include "app/MainForm.h"

void TFormMain::ActBin_CreateBinExecute() {
    // filled by the commands work
}

void TFormMain::ActFile_ReNameExecute() {
    // filled by the commands work
}

void TFormMain::ActBin_DelBinExecute() {
    // filled by the commands work
}
