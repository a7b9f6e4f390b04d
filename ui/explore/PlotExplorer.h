// Exploring the plot by hand. Over the plot the mouse wheel zooms around the
// pointer (forward zooms in) and a drag with the left button pans; with the
// plot focused, + (also = and the keypad's +) and - zoom around the centre,
// the arrow keys pan and Ctrl+0 goes back to the range the user typed. Every
// change writes the range and step into the fields of "Area" and then draws
// exactly as the draw button does. With "Traccia la curva" on, the pointer
// (or Left, Right, Shift with them, Home and End) traces the curve of the
// last draw; a double click or Enter hands the traced x to "Valore". After a
// "Calcola" for the expression on the plot, the tangent is drawn over it.
#pragma once

#include "calc/ValueWindow.h"
#include "plot/DrawCommand.h"
#include "plot/PlotSettings.h"
#include "plot/RangeZoom.h"
#include "ui/explore/CurveTracer.h"
#include "ui/explore/ExplorerMarks.h"

#include <QList>
#include <QObject>
#include <QPointF>

#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace curvalia::ui {

class AreaDialog;
class CoordinateLabel;
class PlotOverlay;
class PlotSurfaceWidget;

class PlotExplorer : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kKeepNote =
        "Zoom e spostamento non disponibili con \"Non Cancellare\"";
    static constexpr const char* kWidestNote =
        "Non si può allargare di più: il disegno richiederebbe troppi punti";
    static constexpr const char* kNarrowestNote = "Intervallo già di 1 unità: zoom al massimo";
    static constexpr const char* kRefusedNote = "Non si può spostare il grafico più in là";
    static constexpr const char* kBadStepNote = "Step non valido: correggere lo step in \"Area\"";
    // Added to the derivative's legend tooltip while the tangent shows.
    static constexpr const char* kTangentTip = "Tangente di \"Calcola\": in magenta";

    struct Parts {
        PlotSurfaceWidget& plot;
        PlotOverlay& overlay; // gets the layers of the cross and the tangent
        plot::DrawCommand& draw;
        const plot::PlotSwitches& switches;
        AreaDialog& area;
        CoordinateLabel& label;
        engine::Engine& engine;
        QAction& traceEntry; // "&Traccia la curva"
        // A click on the draw button.
        std::function<void()> runDraw;
        // Opens "Valore" as its button does, types x there and calculates.
        std::function<void(const QString& x)> calculateAt;
        // The derivative's swatch and label: while the tangent shows, their
        // tooltip tells its colour apart.
        QList<QWidget*> legend;
    };
    PlotExplorer(Parts parts, QObject* parent);

    // The marks that belong to what the plot shows now.
    ExplorerMarks marks() const;

    // After each "Calcola": the tangent, when it is about the plot.
    void calculated(const calc::ValueWindow::Calculation& calculation);
    // After each draw, however it was started: what belonged to the plot
    // before goes (the trace's read-out, the cross, the tangent).
    void drawn();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool wheel(QWheelEvent* event);
    void press(QMouseEvent* event);
    void drag(QMouseEvent* event);
    bool key(QKeyEvent* event);
    bool traceKey(QKeyEvent* event);

    // True when a zoom or pan may go ahead now; says why not otherwise.
    bool mayChangeRange();
    void zoomBy(int notches, QPointF anchorTwips);
    void panBy(double dxUnits, double dyUnits);
    void backToTyped();
    void show(const plot::PlotRange& range);
    void note(const char* text);
    void marksChanged();

    void traceAt(QPointF widgetPosition);
    void showTrace(const CurveTracer::Point* point);
    void traceSwitched(bool on);
    void handToCalculator();

    Parts parts_;
    plot::RangeZoom zoom_;
    CurveTracer tracer_;
    // The texts this explorer last wrote into "Area", and the texts the user
    // typed there before (Ctrl+0 brings those back).
    std::optional<plot::RangeTexts> written_;
    std::optional<plot::RangeTexts> typed_;
    int wheelRemainder_ = 0; // eighths of a degree short of a notch

    struct Drag {
        QPointF from;          // widget position of the press
        double unitsPerPixelX; // of the plot at the press
        double unitsPerPixelY;
        double movedX = 0; // whole units panned so far by this drag
        double movedY = 0;
    };
    std::optional<Drag> drag_;

    struct Tangent {
        std::uint64_t draw = 0;
        plot::TwipSegment segment;
    };
    std::optional<Tangent> tangent_;
    std::optional<QPointF> shownCross_; // where the overlay shows the cross
};

} // namespace curvalia::ui
