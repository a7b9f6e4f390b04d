// A small label at the right of the main window's status area. While the
// pointer is over the plot's frame (0..6675 x 0..4635 twips, whatever the
// plot's size) it shows the x and y under the pointer, in the
// plot's units, through the frame the last draw published (nothing before a
// draw has published one); it clears when the pointer leaves. It also shows
// short notes for a few seconds. The status line itself is left to the draw
// command.
#pragma once

#include "plot/PlotFrame.h"
#include "ui/plotview/PlotMapping.h"

#include <QLabel>
#include <QLocale>
#include <QPointF>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

namespace curvalia::ui {

class PlotSurfaceWidget;

class CoordinateLabel : public QLabel {
    Q_OBJECT
  public:
    using FrameSource = std::function<std::optional<plot::PlotFrame>()>;
    static constexpr int kNoteMilliseconds = 4000;

    // Watches plot; its right edge is placed rightEdge pixels from the left
    // of parent, on the row top.
    CoordinateLabel(PlotSurfaceWidget& plot, FrameSource frame, QWidget* parent, int rightEdge,
                    int top);

    // The read-out for a position in logical pixels on the plot's drawing
    // (0, 0 is its top-left pixel): the centre of the pixel under it, kept
    // within the frame, mapped back through frame, with as many decimals as
    // tell neighbouring pixels apart.
    static QString readOut(const plot::PlotFrame& frame, QPointF drawingPosition,
                           const QLocale& locale = QLocale(),
                           const PlotMapping& mapping = PlotMapping());
    // Whether a position on the drawing lies over the frame.
    static bool overFrame(QPointF drawingPosition, const PlotMapping& mapping);

    // Moves the label's right edge (the status area has grown or shrunk).
    void setRightEdge(int rightEdge);
    // Decimals that resolve a step of unitsPerPixel.
    static int decimalsFor(double unitsPerPixel);

    // Shows text for kNoteMilliseconds, over any read-out.
    void showNote(const QString& text);
    // Shows text instead of the pointer's read-out, wherever the pointer
    // is, until releaseText() (the trace's read-out).
    void holdText(const QString& text);
    void releaseText();

  signals:
    // A note has appeared (a screen reader hears it).
    void noteShown(const QString& text);

  private:
    void plotEvent(QEvent& event);
    void showText(const QString& text);
    void pointerAt(QPointF widgetPosition);

    PlotSurfaceWidget& plot_;
    FrameSource frame_;
    int rightEdge_;
    QTimer noteTimer_;
    std::optional<QString> held_;
    // The advance of each ASCII character in the label's font (-1: not yet
    // measured), for the width of held texts.
    int advance(QChar c);
    std::array<int, 128> advances_ = filledAdvances();
    static std::array<int, 128> filledAdvances() {
        std::array<int, 128> a;
        a.fill(-1);
        return a;
    }
};

} // namespace curvalia::ui
