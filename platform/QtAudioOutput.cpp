#include "platform/QtAudioOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

namespace curvalia::platform {

QtAudioOutput::QtAudioOutput() = default;

QtAudioOutput::~QtAudioOutput() {
    release(false);
}

bool QtAudioOutput::play(const QByteArray& pcm, int sampleRate, std::function<void()> failed) {
    release(false);
    // Each check answers at once; opening a sink on a missing device would
    // only fail later, or hang on some systems.
    if (QMediaDevices::audioOutputs().isEmpty())
        return false;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isNull() || !device.isFormatSupported(format))
        return false;

    sink_ = std::make_unique<QAudioSink>(device, format);
    auto* buffer = new QBuffer(sink_.get());
    buffer->setData(pcm);
    buffer->open(QIODevice::ReadOnly);
    QAudioSink* sink = sink_.get();
    QObject::connect(sink, &QAudioSink::stateChanged, sink,
                     [this, sink, failed = std::move(failed)](QAudio::State state) {
                         // Idle: every sample was played; stopped with an error: the
                         // device went away.
                         const bool broke =
                             state == QAudio::StoppedState && sink->error() != QAudio::NoError;
                         if (state != QAudio::IdleState && !broke)
                             return;
                         release(true);
                         if (broke && failed)
                             failed();
                     });
    sink->start(buffer);
    if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState) {
        release(false);
        return false;
    }
    return true;
}

void QtAudioOutput::stop() {
    release(false);
}

void QtAudioOutput::release(bool later) {
    if (!sink_)
        return;
    QAudioSink* sink = sink_.release();
    QObject::disconnect(sink, nullptr, nullptr, nullptr);
    sink->stop();
    if (later)
        sink->deleteLater();
    else
        delete sink;
}

} // namespace curvalia::platform
