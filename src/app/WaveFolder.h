#pragma once
// Where Add Voice copies wave files when the user has chosen nothing this run: the "Wave" folder
// beside the program when the program's folder can be written to, otherwise the "Wave" folder in
// the user's application data. ORLAMO_WAVE_FOLDER, when set, names the wave folder itself (tests
// use it so that they never write beside the program).

#include <QString>

struct WaveFolderDefaults {
    QString WaveFolder; // the wave folder
    QString
        ChosenWavePath; // the folder the Set Wave Path dialog shows first: the wave folder's parent
};

WaveFolderDefaults DefaultWaveFolder();
