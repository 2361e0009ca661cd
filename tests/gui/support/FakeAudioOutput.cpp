#include "support/FakeAudioOutput.h"

QString FakeAudioOutput::Play(const QByteArray& bytes, const QAudioFormat& format) {
    Current = false;
    if (!StartError.isEmpty())
        return StartError;
    Played.append({bytes, format});
    Current = true;
    return {};
}

void FakeAudioOutput::Stop() {
    ++StopCount;
    Current = false;
}

void FakeAudioOutput::Finish() {
    if (!Current)
        return;
    Current = false;
    emit Finished();
}
