// The trace: the sample of the last draw nearest to a column of the plot,
// on one of the curves shown (the newest, until PageUp or PageDown picks
// another), with the read-out "x = ...   f(x) = ...   f'(x) = ..." that
// the value calculator would show for that x, led by the curve's
// expression while several curves show. The numbers come from the calculator's
// own computation, on the expression as the draw evaluated it (not as the
// expression box reads since), with a status writer that goes nowhere: the
// engine is borrowed, and the status line and StopRequested are left as
// they were.
#pragma once

#include "calc/ValueCalculator.h"
#include "calc/ValueWindow.h"
#include "engine/Engine.h"
#include "plot/DrawCommand.h"
#include "plot/SweepSamples.h"

#include <QPointF>
#include <QString>

#include <cstdint>
#include <optional>

namespace curvalia::ui {

class CurveTracer {
  public:
    struct Point {
        std::uint64_t draw = 0; // the draw it belongs to
        std::int64_t index = 0; // among that draw's samples
        double x = 0;
        QString xText;   // x as the value calculator's field takes it
        QString readOut; // for the read-out label
        QString spoken;  // for a screen reader: the read-out, and whether f grows
        // Where (x, f(x)) lies on the plot, in twips; none when f(x) is not
        // defined or lies outside the frame.
        std::optional<QPointF> cross;
    };

    CurveTracer(engine::Engine& engine, const plot::DrawCommand& draw);

    // Each answers the traced point, or nothing when nothing can be traced:
    // a draw runs, or the plot shows no swept draw.
    const Point* at(double columnTwips);       // the sample nearest the column
    const Point* moveBy(std::int64_t samples); // from the traced one, kept in range
    const Point* first();
    const Point* last();
    // The same x on the previous (-1) or next (+1) shown curve, round the list.
    const Point* otherCurve(int direction);
    // A point of the study on the curve of expression, which lies between
    // grid points: its own x and y with 6 significant digits, led by what
    // it is. Nothing when that curve is not shown.
    const Point* studyPoint(const std::string& expression, double x, double y, const QString& name);
    // The expression of the traced curve, as drawn.
    const std::string& expression() const { return traced_; }
    // The traced point while it belongs to the draw on the plot.
    const Point* current() const;

    // The read-out for x, as shown, with the calculator's fields.
    static QString readOutText(const QString& x, const calc::CalcFields& fields);
    // The read-out as a screen reader says it: its parts apart, then
    // "cresce", "decresce" or "stazionaria" from the sign of f'(x) as shown
    // (nothing when f'(x) is not defined).
    static QString spokenText(const QString& readOut, std::optional<double> slope);

  private:
    bool follow(); // catches up with the last draw
    const Point* select(std::int64_t index);

    engine::Engine& engine_;
    const plot::DrawCommand& draw_;
    calc::ValueCalculator calculator_;
    std::uint64_t followed_ = 0;
    plot::SweepSamples samples_;
    std::optional<Point> point_;
    std::string traced_;
    std::string pickedOver_; // the newest curve when traced_ was picked
};

} // namespace curvalia::ui
