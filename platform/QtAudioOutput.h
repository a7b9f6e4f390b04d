// The desktop's default audio output through Qt Multimedia. Where there is
// none (no sound server, as on a build machine) it says so at once instead
// of waiting on a device that will never play.
#pragma once

#include "platform/AudioOutput.h"

#include <memory>

class QAudioSink;

namespace curvalia::platform {

class QtAudioOutput final : public AudioOutput {
  public:
    QtAudioOutput();
    ~QtAudioOutput() override;
    QtAudioOutput(const QtAudioOutput&) = delete;
    QtAudioOutput& operator=(const QtAudioOutput&) = delete;

    bool play(const QByteArray& pcm, int sampleRate, std::function<void()> failed) override;
    void stop() override;

  private:
    // From inside the sink's own signal the sink may only be deleted later.
    void release(bool later);

    std::unique_ptr<QAudioSink> sink_; // with the buffer it reads as its child
};

} // namespace curvalia::platform
