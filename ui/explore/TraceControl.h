// The trace and the tangent over the plot. With "Traccia la curva" on, the
// pointer (or Left, Right, Shift with them, Home and End) traces the curve
// of the last draw, PageUp and PageDown move to another curve shown,
// Ctrl+Left and Ctrl+Right to the points of the study shown; a
// double click or Enter hands the traced curve to the expression box and
// its x to "Valore".
// After a "Calcola" for the expression on the plot, the tangent is drawn
// over it. Both marks belong to the frame of a finished draw: while a draw
// runs neither shows, and a draw that ends takes them away.
#pragma once

#include "analysis/FunctionStudy.h"
#include "calc/ValueWindow.h"
#include "plot/DrawCommand.h"
#include "ui/explore/CurveTracer.h"
#include "ui/explore/ExplorerMarks.h"

#include <QList>
#include <QObject>
#include <QPointF>

#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QEvent;
class QKeyEvent;

namespace curvalia::ui {

class CoordinateLabel;
class PlotOverlay;
class PlotSurfaceWidget;

class TraceControl : public QObject {
    Q_OBJECT
  public:
    // Added to the derivative's legend tooltip while the tangent shows.
    static constexpr const char* kTangentTip = "Tangente di \"Calcola\": in magenta";

    struct Parts {
        PlotSurfaceWidget& plot;
        PlotOverlay& overlay; // gets the layers of the cross and the tangent
        const plot::DrawCommand& draw;
        CoordinateLabel& label;
        engine::Engine& engine;
        QAction& traceEntry; // "&Traccia la curva"
        // Opens "Valore" as its button does, types x there and calculates.
        std::function<void(const QString& x)> calculateAt;
        // Puts the traced curve's expression into the expression box unless
        // it is there already, so that "Valore" computes for that curve.
        std::function<void(const std::string& expression)> showExpression;
        // The derivative's swatch and label: while the tangent shows, their
        // tooltip tells its colour apart.
        QList<QWidget*> legend;
        // The study whose points show on the plot, if any: Ctrl+Left and
        // Ctrl+Right move the trace from one of its points to the next.
        std::function<const analysis::Study*()> study;
    };
    TraceControl(Parts parts, QObject* parent);

    // The marks that belong to what the plot shows now.
    ExplorerMarks marks() const;

    // After each "Calcola": the tangent, when it is about the plot.
    void calculated(const calc::ValueWindow::Calculation& calculation);
    // After each draw, however it was started: what belonged to the plot
    // before goes (the trace's read-out, the cross, the tangent).
    void drawn();

  signals:
    // The trace stands on a new point: what a screen reader says of it, and
    // whether the pointer (which moves it many times a second) put it there.
    void traced(const QString& spoken, bool byPointer);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override; // the legend's tooltips

  private:
    bool plotEvent(QEvent& event);
    bool traceKey(QKeyEvent& event);
    // The next (+1) or previous (-1) point of the study from the trace.
    const CurveTracer::Point* studyStep(int direction);
    bool busy() const { return parts_.draw.busy().busy(); }
    void marksChanged();
    void traceAt(QPointF widgetPosition);
    void showTrace(const CurveTracer::Point* point);
    void traceSwitched(bool on);
    void handToCalculator();

    Parts parts_;
    CurveTracer tracer_;
    struct Tangent {
        std::uint64_t draw = 0;
        plot::TwipSegment segment;
    };
    std::optional<Tangent> tangent_;
    std::optional<QPointF> shownCross_; // where the overlay shows the cross
};

} // namespace curvalia::ui
