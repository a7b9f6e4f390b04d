// The legend under the right end of the plot: a swatch and a label for f(x)
// and for f'(x). A swatch is a small rectangle filled with its colour while
// its curve is drawn (the menu's "&Funzione" and "&Derivata Prima"), hollow
// while it is not; the swatch of f takes the colour chosen in the menu.
#pragma once

#include "plot/Appearance.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QWidget>

class QAction;

namespace curvalia::ui {

class LegendSwatch : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSolid = 0;
    static constexpr int kTransparent = 1;

    explicit LegendSwatch(QColor fillColor, int fillStyle, QWidget* parent = nullptr);

    QColor fillColor() const { return fillColor_; }
    void setFillColor(QColor color);
    int fillStyle() const { return fillStyle_; }
    void setFillStyle(int style);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor fillColor_;
    int fillStyle_;
};

class Legend : public QObject {
    Q_OBJECT
  public:
    // Places the legend on frame, the swatch of f in palette colour
    // curveColour; the swatches follow the two menu entries.
    Legend(QWidget& frame, int curveColour, QAction& function, QAction& derivative);

    void setCurveColour(int paletteNumber);
    // The swatches in the colours the plot shows on its background.
    void setBackground(plot::Background background);
    // The swatch and label of f'(x).
    QList<QWidget*> derivativeParts() const;

    LegendSwatch* Shape1 = nullptr;
    LegendSwatch* Shape2 = nullptr;

  private:
    void colourSwatches();

    QWidget* Label3 = nullptr;
    int curveColour_;
    plot::Background background_ = plot::Background::Black;
};

} // namespace curvalia::ui
