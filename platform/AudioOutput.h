// Where the sound of a curve is played. The window talks to this interface
// only; tests hand it a fake that keeps what it was given.
#pragma once

#include <QByteArray>

#include <functional>

namespace curvalia::platform {

class AudioOutput {
  public:
    virtual ~AudioOutput() = default;
    // Starts pcm (16-bit signed samples, mono, at sampleRate) in place of
    // any sound still playing, and answers at once: false where no audio
    // output can play it, and nothing plays then. failed is called if the
    // output gives up once it has started.
    virtual bool play(const QByteArray& pcm, int sampleRate, std::function<void()> failed) = 0;
    virtual void stop() = 0;
};

} // namespace curvalia::platform
