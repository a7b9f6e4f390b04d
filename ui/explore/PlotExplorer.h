// Exploring the plot by hand. Over the plot the mouse wheel zooms around the
// pointer (forward zooms in), a drag with the left button pans and a drag
// with Shift and the left button zooms onto the rectangle it draws; with
// the plot focused, + (also = and the keypad's +) and - zoom around the
// centre, the arrow keys pan and Ctrl+0 goes back to the range of "Area".
// Every change moves the view only: the curves of the plot are drawn again
// from the plot's model at the new view, and "Area" keeps what the user
// typed. The trace and the tangent are TraceControl's; the plot's events
// reach both through its input router.
#pragma once

#include "plot/DrawCommand.h"
#include "plot/ViewZoom.h"

#include <QLocale>
#include <QObject>
#include <QPointF>
#include <QString>

#include <functional>
#include <optional>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace curvalia::ui {

class CoordinateLabel;
class PlotOverlay;
class PlotSurfaceWidget;
class ZoomBoxLayer;

// "Vista: x da 0,7 a 0,85; y da 0,65 a 0,8": each end with as many decimals
// as tell it apart from the other.
QString viewNoteText(const plot::PlotRange& view, const QLocale& locale = QLocale());

class PlotExplorer : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kTooNarrowNote =
        "Zoom al massimo: la vista non può essere più stretta";
    static constexpr const char* kTooWideNote =
        "Zoom al minimo: la vista non può essere più larga di 10^15 unità";
    static constexpr const char* kBadStepNote = "Step non valido: correggere lo step in \"Area\"";

    struct Parts {
        PlotSurfaceWidget& plot;
        plot::DrawCommand& draw;
        PlotOverlay& overlay;
        CoordinateLabel& notes;
        // After the plot was drawn again at a new view.
        std::function<void()> viewChanged;
    };
    PlotExplorer(Parts parts, QObject* parent);

  private:
    bool plotEvent(QEvent& event);
    bool wheel(QWheelEvent& event);
    void press(QMouseEvent& event);
    void drag(QMouseEvent& event);
    bool release(QMouseEvent& event);
    bool key(QKeyEvent& event);
    bool busy() const { return parts_.draw.busy().busy(); }

    // True when the view may change now; says why not otherwise.
    bool mayChangeView();
    void zoomBy(int notches, QPointF anchorTwips);
    void panBy(double dx, double dy);
    void goHome();
    // Draws the view the zoom now holds, or says which limit refused it.
    void follow(plot::ViewOutcome outcome);
    void note(const QString& text);
    QPointF unitsAt(QPointF widgetPosition) const;

    Parts parts_;
    plot::ViewZoom zoom_;
    ZoomBoxLayer* box_ = nullptr;
    int wheelRemainder_ = 0; // eighths of a degree short of a notch

    struct Drag {
        QPointF from;          // widget position of the press
        double unitsPerPixelX; // of the plot at the press
        double unitsPerPixelY;
        double movedX = 0; // units panned so far by this drag
        double movedY = 0;
    };
    std::optional<Drag> drag_;
};

} // namespace curvalia::ui
