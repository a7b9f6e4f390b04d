// One picture of a tool button: an SVG drawn at the screen's pixel density,
// with the mouse events the main window's buttons react to. A tool button is
// a pair of these at the same place (normal and highlighted); which one is
// visible is the main window's business.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace curvalia::ui {

class PictureButton : public QWidget {
    Q_OBJECT
  public:
    // imagePath is a resource such as ":/images/button-penna.svg".
    PictureButton(const QString& imagePath, const QString& toolTip, QWidget* parent = nullptr);

    QString imagePath() const { return imagePath_; }

    // The picture as painted at the given device pixel ratio (for tests and
    // for checking the artwork stays crisp on dense screens).
    QImage renderedImage(qreal devicePixelRatio) const;

  signals:
    // The pointer moved over the visible, enabled picture.
    void hovered();
    // Pressed and released over the picture.
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString imagePath_;
    mutable QImage cache_;
    bool pressed_ = false;
};

} // namespace curvalia::ui
