// Live drawing ("Disegno automatico"): every edit the user types in the
// expression box redraws the plot from its model at the view it shows, the
// edited curve replaced by the new text. It is not the draw command's run:
// no yield, no status text but its own message for a refused text, the box
// keeps the focus and every key. A refused text leaves the last good plot.
// Edits typed while a draw runs wait for it to end; the latest is drawn then.
#pragma once

#include "engine/Engine.h"
#include "engine/ReductionSchedule.h"
#include "plot/DrawCommand.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QLineEdit;

namespace curvalia::ui {

class CoordinateLabel;

class LiveDrawing : public QObject {
    Q_OBJECT
  public:
    // All shown curves together: past this many samples at the view a
    // keystroke would wait too long for its picture.
    static constexpr double kMaxSamples = 100'000;
    static constexpr const char* kTooManyNote =
        "Disegno automatico sospeso: troppi punti, premere F5 per disegnare";

    struct Parts {
        QLineEdit& fx;
        QAction& entry; // "Disegno &automatico"
        plot::DrawCommand& draw;
        engine::Engine& engine;
        CoordinateLabel& notes;
        // The curve a first live edit adds to an empty plot.
        std::function<plot::Curve(const std::string& expression)> newCurve;
        // The range of "Area" as a draw would read it; none when refused.
        std::function<std::optional<plot::PlotRange>()> home;
        // Writes a refused text's message as live drawing's own (an empty
        // text takes back its earlier message, and only that).
        std::function<void(const std::string& message)> status;
        // After each live redraw.
        std::function<void()> drawn;
    };
    LiveDrawing(Parts parts, QObject* parent);

    // Redraws for text now, as a typed edit does (tests and benchmarks).
    void edited(const QString& text);

  private:
    void apply(const QString& text);
    // The checker's or the evaluator's message for a refused text; none
    // when the text can be drawn at view.
    std::optional<std::string> refusal(const std::string& expression, const plot::PlotRange& view);

    Parts parts_;
    engine::ReductionSchedule schedule_;
    std::optional<QString> waiting_; // typed while a draw ran
};

} // namespace curvalia::ui
