#pragma once
// An AudioOutput for GUI tests: records every sound it is asked to play and plays nothing. A test
// ends the current sound with Finish(), as the device would when it has played it; Available and
// StartError stand for a machine without sound and a device that fails at start.

#include "app/AudioOutput.h"

#include <QList>

class FakeAudioOutput : public AudioOutput {
    Q_OBJECT
public:
    struct PlayedSound {
        QByteArray Bytes;
        QAudioFormat Format;
    };

    bool Available = true;
    QString StartError; // when set, Play fails with it

    QList<PlayedSound> Played; // every sound started, in order
    int StopCount = 0;

    bool IsAvailable() const override { return Available; }
    QString Play(const QByteArray& bytes, const QAudioFormat& format) override;
    void Stop() override;
    bool IsPlaying() const override { return Current; }

    // The sound playing has reached its end: Finished is emitted.
    void Finish();

private:
    bool Current = false;
};
