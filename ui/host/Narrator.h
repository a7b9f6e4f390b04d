// When the program's own texts are spoken to a screen reader: at once, or
// after a pause that a burst of newer texts keeps putting off, so that a
// run of zoom notches or of keystrokes is heard once, with its last text.
// The route to the screen reader is handed in; this decides only when.
#pragma once

#include "platform/ScreenReader.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace curvalia::ui {

class Narrator : public QObject {
    Q_OBJECT
  public:
    // Texts that come in bursts, each waiting for its own pause.
    enum class Channel : std::uint8_t { Notes, Live, AreaNote, Pointer, Switches };

    Narrator(platform::ScreenReader& reader, QObject* parent);

    bool listening() const { return reader_.listening(); }

    // Speaks text now, unless it is what was spoken last. An empty text
    // speaks nothing and ends the row: after it, the same text is news.
    void say(const QString& text);
    // Speaks text once pause has passed with no newer text on channel, and
    // only when it is not what channel said last (an empty text is said as
    // silence, so the same message after it is spoken again).
    void sayAfterPause(Channel channel, const QString& text, std::chrono::milliseconds pause);
    // Drops what channel still waits to say; its next text is news, even
    // the one it said last.
    void cancel(Channel channel);
    // Whether channel still waits to say something.
    bool waiting(Channel channel) const {
        return channels_.at(static_cast<std::size_t>(channel)).timer.isActive();
    }

    // Every pause is multiplied by scale (tests make them short).
    void setPauseScale(double scale) { pauseScale_ = scale; }

  private:
    struct Waiting {
        QTimer timer;
        QString text;
        QString settled; // the text the channel said last
    };
    void settle(Waiting& waiting);

    platform::ScreenReader& reader_;
    QString lastSpoken_;
    std::array<Waiting, 5> channels_;
    double pauseScale_ = 1;
};

} // namespace curvalia::ui
