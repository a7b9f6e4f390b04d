#include "ui/host/Narrator.h"

#include <cmath>

namespace curvalia::ui {

Narrator::Narrator(platform::ScreenReader& reader, QObject* parent)
    : QObject(parent), reader_(reader) {
    setObjectName(QStringLiteral("narrator"));
    for (Waiting& waiting : channels_) {
        waiting.timer.setSingleShot(true);
        connect(&waiting.timer, &QTimer::timeout, this, [this, &waiting] { settle(waiting); });
    }
}

void Narrator::say(const QString& text) {
    if (text == lastSpoken_)
        return;
    lastSpoken_ = text;
    if (!text.isEmpty())
        reader_.speak(text);
}

void Narrator::sayAfterPause(Channel channel, const QString& text,
                             std::chrono::milliseconds pause) {
    Waiting& waiting = channels_.at(static_cast<std::size_t>(channel));
    waiting.text = text;
    waiting.timer.start(
        static_cast<int>(std::lround(static_cast<double>(pause.count()) * pauseScale_)));
}

void Narrator::cancel(Channel channel) {
    Waiting& waiting = channels_.at(static_cast<std::size_t>(channel));
    waiting.timer.stop();
    // Something else was said meanwhile: the channel's next text is news.
    waiting.settled.clear();
}

void Narrator::settle(Waiting& waiting) {
    if (waiting.text == waiting.settled)
        return;
    waiting.settled = waiting.text;
    say(waiting.text);
}

} // namespace curvalia::ui
