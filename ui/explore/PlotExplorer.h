// Exploring the plot by hand. Over the plot the mouse wheel zooms around the
// pointer (forward zooms in) and a drag with the left button pans; with the
// plot focused, + (also = and the keypad's +) and - zoom around the centre,
// the arrow keys pan and Ctrl+0 goes back to the range the user typed. Every
// change writes the range and step into the fields of "Area" and then draws
// exactly as the draw button does. The trace and the tangent are
// TraceControl's; the plot's events reach both through its input router.
#pragma once

#include "plot/DrawCommand.h"
#include "plot/PlotSettings.h"
#include "plot/RangeZoom.h"

#include <QObject>
#include <QPointF>

#include <functional>
#include <optional>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace curvalia::ui {

class AreaDialog;
class CoordinateLabel;
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

    struct Parts {
        PlotSurfaceWidget& plot;
        const plot::DrawCommand& draw;
        const plot::PlotSwitches& switches;
        AreaDialog& area;
        CoordinateLabel& notes;
        // A click on the draw button.
        std::function<void()> runDraw;
    };
    PlotExplorer(Parts parts, QObject* parent);

  private:
    bool plotEvent(QEvent& event);
    bool wheel(QWheelEvent& event);
    void press(QMouseEvent& event);
    void drag(QMouseEvent& event);
    bool key(QKeyEvent& event);
    bool busy() const { return parts_.draw.busy().busy(); }

    // True when a zoom or pan may go ahead now; says why not otherwise.
    bool mayChangeRange();
    void zoomBy(int notches, QPointF anchorTwips);
    void panBy(double dxUnits, double dyUnits);
    void backToTyped();
    void show(const plot::PlotRange& range);
    void note(const char* text);

    Parts parts_;
    plot::RangeZoom zoom_;
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
};

} // namespace curvalia::ui
