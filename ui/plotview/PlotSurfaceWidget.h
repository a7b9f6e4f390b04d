// A picture box for the plot code: points are set in twips into an image
// that the widget keeps, so the drawing survives covering and hiding. The
// image has one pixel per device pixel (sharp on HiDPI screens) while pen
// widths are in logical pixels. Twips are placed through a PlotMapping: at
// the design size a logical pixel is plot::kTwipsPerPixel twips; when the
// widget is resized the same twip span is laid onto its new size and what
// the point record holds is drawn again, sharp (or, without a record, the
// picture is scaled).
#pragma once

#include "plot/Appearance.h"
#include "plot/PointRecord.h"
#include "plot/Surface.h"
#include "ui/plotview/PlotMapping.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QSize>
#include <QWidget>

namespace curvalia::ui {

class PlotOverlay;

class PlotSurfaceWidget : public QWidget, public plot::Surface {
    Q_OBJECT
  public:
    struct Look {
        QSize clientPixels;   // drawing area at the design size, logical pixels
        int borderPixels = 0; // sunken frame around it
        QColor background;
        bool recordPoints = false; // keep a PointRecord of what is drawn
    };
    // The plot surface: black, room for the whole 6675 x 4635 twip frame
    // including its last column and row of points, and a thin sunken frame.
    static Look graphLook();
    // The progress bar under the plot: 6675 x 75 twips, no frame, in the
    // window's background colour.
    static Look progressBarLook(const QColor& background);

    explicit PlotSurfaceWidget(const Look& look, QWidget* parent = nullptr);

    void PSet(float xTwips, float yTwips, int paletteColour) override;
    // Dots of the pen's width at every logical pixel along the segment, so
    // that its ends are square and it meets the curve's dots exactly.
    void Line(float x1, float y1, float x2, float y2, int paletteColour) override;
    void Cls() override;
    void setDrawWidth(int pixels) override;
    double pixelTwipsX() const override { return mapping_.twipsPerPixelX(); }
    double pixelTwipsY() const override { return mapping_.twipsPerPixelY(); }
    void axesBegin(const plot::AxesCall& call) override;
    void axesEnd() override;
    void pointsAhead(double count) override {
        record_.expect(count);
        recording_ = recording_ && !record_.overflowed();
    }
    // Asks for a repaint of what was drawn since the last flush. Points are
    // only stored as they are set: a sweep sets millions, and its yield
    // policy decides how often the screen catches up.
    void flush();

    // The drawing itself, at device resolution (for tests and benchmarks).
    const QImage& image() const { return image_; }
    const Look& look() const { return look_; }
    // Twips to logical pixels of the drawing at its present size.
    const PlotMapping& mapping() const { return mapping_; }
    // Where a position on the widget (border included) lies in the frame's twips.
    QPointF twipsAt(QPointF widgetPosition) const {
        const double border = look_.borderPixels;
        return mapping_.toTwips(widgetPosition - QPointF(border, border));
    }
    // What was drawn since the last Cls(), when the look asks for it.
    const plot::PointRecord& pointRecord() const { return record_; }

    // Draws everything the record holds again onto a blank drawing of
    // logicalPixels (at least the design size), as a fresh draw at that size
    // would. The widget does this itself when it is resized.
    void setDrawingSize(QSize logicalPixels);

    // The background of the drawing (black as designed, or white): the
    // drawing is redrawn from the record, each palette colour as it reads
    // on that background (plot::shownColour).
    void setBackground(plot::Background background);
    plot::Background background() const { return background_; }
    // The colour a palette number is drawn in here.
    QRgb colourOf(int paletteColour) const {
        return plot::shownColourArgb(paletteColour, background_);
    }

    // The layers drawn over the drawing, if any (set by the overlay itself).
    PlotOverlay* overlay() const;
    void setOverlay(PlotOverlay* overlay);

  protected:
    // Moves over the surface end here instead of going on to the frame
    // around it, which has no use for them: its hit testing would cost more
    // than the read-out and the trace that the moves are for.
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QImage blankImage(qreal ratio) const;
    void adoptDevicePixelRatio();
    void setRatio(qreal ratio);
    void markDirty(int left, int top, int right, int bottom);
    // Whether a point is kept: near the frame, and not one of the axes' dots
    // (their call is kept instead) or a point being drawn again.
    bool keeps(float xTwips, float yTwips) const {
        return recording_ && xTwips >= -kRecordMarginTwips && yTwips >= -kRecordMarginTwips &&
               xTwips <= recordRight_ && yTwips <= recordBottom_;
    }
    // Draws the record onto the (blank) image, or scales the old picture
    // when the record cannot give it.
    void redraw(const QImage& previous);
    void resetDots();
    // One dot at a logical pixel position, not recorded.
    void drawDot(float lx, float ly, int paletteColour);

    static constexpr float kRecordMarginTwips = 150;

    // Direct access to the image's pixels: a sweep sets millions of dots,
    // and going through QImage for each (a sharing check per row) shows in
    // its speed. Taken again whenever image_ is replaced or refilled.
    struct Pixels {
        Pixels() = default;
        explicit Pixels(QImage& image)
            : bits(image.bits()), stride(image.bytesPerLine()), width(image.width()),
              height(image.height()) {}
        QRgb* row(int y) const {
            return reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(y) * stride);
        }
        uchar* bits = nullptr;
        qsizetype stride = 0;
        int width = 0;
        int height = 0;
    };

    Look look_;
    PlotMapping mapping_;
    // Cleared by Qt when the overlay goes: it is a child of this widget, so
    // it is deleted only after this class's part of the widget is gone.
    QPointer<PlotOverlay> overlay_;
    // Points are recorded while this is set: the look asks for a record that
    // has not given up, and neither the axes nor a redraw are drawing.
    bool recording_ = false;
    bool recordingBeforeAxes_ = false;
    float recordRight_ = 0, recordBottom_ = 0;
    QImage image_; // never shared: image() hands out a const reference only
    Pixels pixels_;
    qreal ratio_ = 1;
    int wholeRatio_ = 1; // ratio_ when it is a whole number, else 0
    int drawWidth_ = 1;
    plot::Background background_ = plot::Background::Black;
    plot::PointRecord record_;

    // The last two dots set, in logical pixels, newest first. Repeating the
    // newest changes nothing (a fine sweep repeats the same progress-bar dot
    // thousands of times), nor does repeating the one before while the newest
    // is a single pixel elsewhere (the curve and its derivative alternate).
    struct Dot {
        int left = 0, top = 0, width = 0, colour = -1;
        bool operator==(const Dot&) const = default;
    } lastDot_, dotBefore_;
    void remember(const Dot& dot) {
        dotBefore_ = lastDot_;
        lastDot_ = dot;
    }

    // Device-pixel area drawn since the last flush.
    int dirtyLeft_ = 0, dirtyTop_ = 0, dirtyRight_ = -1, dirtyBottom_ = -1;
};

} // namespace curvalia::ui
