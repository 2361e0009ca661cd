#include "app/AudioOutput.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QMetaObject>
#include <utility>

namespace {
QString SinkErrorText(QAudio::Error error) {
    switch (error) {
    case QAudio::NoError:
        return {};
    case QAudio::OpenError:
        return QStringLiteral("the sound device could not be opened");
    case QAudio::IOError:
        return QStringLiteral("the sound device failed while playing");
    case QAudio::UnderrunError:
        return QStringLiteral("the sound device ran out of data");
    case QAudio::FatalError:
        return QStringLiteral("the sound device is not usable");
    }
    return QStringLiteral("the sound device reported an error");
}
} // namespace

QAudioFormat SlotAudioFormat(int sampleRate, int bits) {
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

QtAudioOutput::QtAudioOutput(QObject* parent) : AudioOutput(parent) {}

QtAudioOutput::~QtAudioOutput() {
    Stop();
}

bool QtAudioOutput::IsAvailable() const {
    return !QMediaDevices::audioOutputs().isEmpty();
}

QString QtAudioOutput::Play(const QByteArray& bytes, const QAudioFormat& format) {
    Stop();
    if (!IsAvailable())
        return QStringLiteral("no sound output device was found");
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        device = QMediaDevices::audioOutputs().constFirst();
    if (!device.isFormatSupported(format))
        return QStringLiteral("the sound device \"%1\" cannot play %2 Hz %3-bit sound")
            .arg(device.description())
            .arg(format.sampleRate())
            .arg(format.bytesPerSample() * 8);

    Data = bytes;
#if Q_BYTE_ORDER == Q_BIG_ENDIAN
    // The module's 16-bit samples are little-endian; the device takes them in the host's order.
    if (format.sampleFormat() == QAudioFormat::Int16)
        for (qsizetype i = 0; i + 1 < Data.size(); i += 2)
            std::swap(Data[i], Data[i + 1]);
#endif
    Buffer = new QBuffer(&Data, this);
    Buffer->open(QIODevice::ReadOnly);
    Sink = new QAudioSink(device, format, this);
    const quint64 generation = ++Generation;
    connect(Sink, &QAudioSink::stateChanged, this, [this, generation] {
        if (generation == Generation)
            SinkStateChanged();
    });
    Sink->start(Buffer);
    const QAudio::Error error = Sink->error();
    if (error != QAudio::NoError) {
        Stop();
        return SinkErrorText(error);
    }
    return {};
}

void QtAudioOutput::SinkStateChanged() {
    if (!Sink)
        return;
    const QAudio::State state = Sink->state();
    const bool drained = state == QAudio::IdleState;
    const bool failed = state == QAudio::StoppedState && Sink->error() != QAudio::NoError;
    if (!drained && !failed)
        return;
    // The sink is inside its own signal: it goes later, and Finished reaches the listeners after
    // this handler has returned, so that they may start the next sound at once.
    Stop();
    QMetaObject::invokeMethod(
        this, [this] { emit Finished(); }, Qt::QueuedConnection);
}

void QtAudioOutput::Stop() {
    ++Generation;
    if (Sink) {
        Sink->disconnect(this);
        Sink->stop();
        Sink->deleteLater();
        Sink = nullptr;
    }
    if (Buffer) {
        Buffer->close();
        Buffer->deleteLater();
        Buffer = nullptr;
    }
}
