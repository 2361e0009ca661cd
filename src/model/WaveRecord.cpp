#include "model/WaveRecord.h"

namespace orlamo {

void ResetVoice(WAVE_DPTR& record) {
    record.FileName.clear();
    record.VoiceName.clear();
    record.Descripition.clear();
    record.FullPath.clear();
    record.PlayTime.clear();
    record.DataSize = 0;
    record.InPlayList = 0;
    record.SourceBin = -1;
    record.SourceIndex = -1;
}

} // namespace orlamo
