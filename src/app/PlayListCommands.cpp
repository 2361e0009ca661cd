// The playlist commands: Create, Open, Save, Save As, Del, ReName, Move Wave To and
// Add To PlayList.

#include "app/MainForm.h"

void TFormMain::ActPL_CreatePlayListExecute() {
    // filled by the commands work
}

void TFormMain::ActPL_OpenPlayListExecute() {
    // filled by the commands work
}

void TFormMain::ActPL_SavePlayListExecute() {
    // filled by the commands work
}

void TFormMain::ActPL_SaveAsPlayListExecute() {
    // filled by the commands work
}

void TFormMain::ActPL_DelPlayListExecute() {
    // filled by the commands work
}

void TFormMain::ActPL_ReNameExecute() {
    // filled by the commands work
}

void TFormMain::ActPL_MoveWaveToExecute() {
    // filled by the commands work
}

void TFormMain::ActVoice_AddToPlayListExecute() {
    // filled by the commands work
}
