// The main window's status line. The draw command, the engine and the value
// calculator all write to it through this one sink, so there is one place
// that decides how a text reaches the label.
#pragma once

#include <QLabel>

#include <cstdint>
#include <functional>
#include <string_view>

namespace curvalia::ui {

// Whose text the line shows: the calculator may empty only its own, and
// the same words written by a draw are the draw's.
enum class StatusOwner : std::uint8_t { Nobody, Draw, Calculator };

class StatusLine {
  public:
    explicit StatusLine(QLabel& label) : label_(label) {}

    // Writes text as the command that runs now (see speakFor).
    void write(std::string_view text) {
        owner_ = speaker_;
        label_.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    // The engine writes through the same sink for whichever command drives
    // it, so each command says it is the one running before it starts.
    void speakFor(StatusOwner command) { speaker_ = command; }
    StatusOwner owner() const { return owner_; }

    // For the code that takes a plain callback (the engine, the calculator).
    std::function<void(std::string_view)> sink() {
        return [this](std::string_view text) { write(text); };
    }

  private:
    QLabel& label_;
    StatusOwner speaker_ = StatusOwner::Nobody;
    StatusOwner owner_ = StatusOwner::Nobody;
};

} // namespace curvalia::ui
