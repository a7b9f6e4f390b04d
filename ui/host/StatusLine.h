// The main window's status line. The draw command, the engine and the value
// calculator all write to it here, so there is one place that decides how a
// text reaches the label, whose text it is, and that a screen reader hears it.
#pragma once

#include <QLabel>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace curvalia::ui {

// Whose text the line shows: the calculator may empty only its own, and
// the same words written by a draw are the draw's.
enum class StatusOwner : std::uint8_t { Nobody, Draw, Calculator, Live };

class StatusLine {
  public:
    explicit StatusLine(QLabel& label) : label_(label) {}

    // Every writer says who it is; the text keeps that owner until the
    // next write, whoever makes it. A screen reader does not read a label's
    // new text by itself: the listener told of each write speaks it.
    void write(StatusOwner writer, std::string_view text) {
        owner_ = writer;
        const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        label_.setText(shown);
        if (written_)
            written_(writer, shown);
    }
    // Told of every write, with the text as shown, so that it can be spoken.
    using WriteListener = std::function<void(StatusOwner writer, const QString& text)>;
    void onWrite(WriteListener listener) { written_ = std::move(listener); }
    StatusOwner owner() const { return owner_; }

    // The engine writes through one sink for whichever command drives it.
    // A command claims the engine for as long as it runs and gives it back
    // at its end, so a text the engine writes later is never taken for the
    // text of a command that has finished. Unclaimed, its texts are nobody's.
    void claimEngine(StatusOwner command) { claims_.push_back(command); }
    void releaseEngine(StatusOwner command) {
        const auto last = std::find(claims_.rbegin(), claims_.rend(), command);
        if (last != claims_.rend())
            claims_.erase(std::next(last).base());
    }
    StatusOwner engineWriter() const {
        return claims_.empty() ? StatusOwner::Nobody : claims_.back();
    }
    // For the engine's status sink.
    std::function<void(std::string_view)> engineSink() {
        return [this](std::string_view text) { write(engineWriter(), text); };
    }

  private:
    QLabel& label_;
    StatusOwner owner_ = StatusOwner::Nobody;
    std::vector<StatusOwner> claims_;
    WriteListener written_;
};

} // namespace curvalia::ui
