// The voice commands: Add Voice, Edit Voice, Del Voice, Play Wave and Set Wave Path.

#include "app/MainForm.h"

void TFormMain::ActVoice_AddVoiceExecute() {
    // filled by the commands work
}

void TFormMain::ActVoice_EditVoiceExecute() {
    // filled by the commands work
}

void TFormMain::ActVoice_DelVoiceExecute() {
    // filled by the commands work
}

void TFormMain::ActTool_PlayWavExecute() {
    // filled by the commands work
}

void TFormMain::ActOption_WavePathExecute() {
    // filled by the commands work
}
