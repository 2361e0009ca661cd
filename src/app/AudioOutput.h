#pragma once
// Where slot previews are played: a small interface the window owns, so that the commands that
// play can be driven in tests by a fake, and a machine without sound says so instead of failing
// silently. QtAudioOutput plays through Qt Multimedia on the default output device.

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QAudioSink;
class QBuffer;

class AudioOutput : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Whether there is a device to play on at all.
    virtual bool IsAvailable() const = 0;
    // Stops whatever plays and starts playing `bytes` in `format`. Empty when the sound started,
    // else why it did not (no device, a format the device refuses, a device error at start).
    virtual QString Play(const QByteArray& bytes, const QAudioFormat& format) = 0;
    // Stops at once; no Finished follows for the sound stopped.
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;

signals:
    // The sound last started has played to its end (or the device gave up on it part way).
    void Finished();
};

// The format the module plays a slot's bytes in: mono, unsigned 8-bit or signed 16-bit.
QAudioFormat SlotAudioFormat(int sampleRate, int bits);

class QtAudioOutput final : public AudioOutput {
    Q_OBJECT
public:
    explicit QtAudioOutput(QObject* parent = nullptr);
    ~QtAudioOutput() override;

    bool IsAvailable() const override;
    QString Play(const QByteArray& bytes, const QAudioFormat& format) override;
    void Stop() override;
    bool IsPlaying() const override { return Sink != nullptr; }

private:
    void SinkStateChanged();

    QByteArray Data;
    QBuffer* Buffer = nullptr;
    QAudioSink* Sink = nullptr;
    // Counts the sounds started, so that the end of one stopped meanwhile is not reported.
    quint64 Generation = 0;
};
