// A still picture drawn from an SVG resource, sharp at any pixel density.
// It takes no mouse input of its own: a click on it reaches its parent.
#pragma once

#include <QString>
#include <QWidget>

namespace curvalia::ui {

class SvgPicture : public QWidget {
    Q_OBJECT
  public:
    SvgPicture(const QString& resource, QWidget* parent = nullptr);
    QString resource() const { return resource_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString resource_;
};

} // namespace curvalia::ui
