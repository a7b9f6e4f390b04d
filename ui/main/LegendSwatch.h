// A legend swatch: a small rectangle filled with its colour while its curve
// is drawn, hollow while it is not.
#pragma once

#include <QColor>
#include <QWidget>

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

} // namespace curvalia::ui
