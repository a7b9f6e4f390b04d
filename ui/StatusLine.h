// The main window's status line. The draw command, the engine and the value
// calculator all write to it through this one sink, so there is one place
// that decides how a text reaches the label.
#pragma once

#include <QLabel>

#include <functional>
#include <string_view>

namespace curvalia::ui {

class StatusLine {
  public:
    explicit StatusLine(QLabel& label) : label_(label) {}

    void write(std::string_view text) {
        label_.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    // For the code that takes a plain callback (the engine, the calculator).
    std::function<void(std::string_view)> sink() {
        return [this](std::string_view text) { write(text); };
    }

  private:
    QLabel& label_;
};

} // namespace curvalia::ui
