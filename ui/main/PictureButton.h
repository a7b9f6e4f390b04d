// A tool button of the main window: one button that shows one of two
// pictures at a time, the normal one and its highlighted twin (or, for the
// speed switch, the picture of each state). Which picture is shown is the
// main window's business; the button paints it, reports the pointer moving
// over it, and is pressed by a click, by Space or by Enter. It takes the
// keyboard focus with Tab only, so clicking it leaves the focus where it was,
// and shows the focus as a frame in a margin around the picture.
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QString>

namespace curvalia::ui {

class PictureButton : public QAbstractButton {
    Q_OBJECT
  public:
    // One of the two pictures: the name it has in the window's vocabulary
    // ("penna_bn", "penna"), a resource such as ":/images/button-penna.svg",
    // and its tooltip.
    struct Face {
        QString name;
        QString imagePath;
        QString toolTip;
    };
    // What a screen reader calls the button: the tooltip of the second
    // picture (the highlighted one, which names the action), or of the
    // picture shown (the speed switch, whose picture tells its state).
    enum class Naming { AfterSecondFace, AfterShownFace };

    // Pixels between the widget's edge and the picture, where the focus
    // frame goes; outside the picture the button is not there for the mouse.
    static constexpr int kMargin = 3;

    PictureButton(Face first, Face second, Naming naming, QWidget* parent = nullptr);

    // Puts the picture's top-left corner at topLeft (parent coordinates).
    void placePicture(QPoint topLeft);
    QRect pictureGeometry() const;

    bool showsSecond() const { return showsSecond_; }
    void setShowsSecond(bool second);
    const Face& shownFace() const { return showsSecond_ ? second_ : first_; }

    // The shown picture as painted at the given device pixel ratio.
    QImage renderedImage(qreal devicePixelRatio) const;

  signals:
    // The pointer moved over the picture (not over the margin).
    void hovered();
    // The other picture is now shown.
    void faceChanged(bool showsSecond);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    bool event(QEvent* event) override;

  private:
    QRect pictureRect() const;

    Face first_;
    Face second_;
    Naming naming_;
    bool showsSecond_ = false;
    mutable QImage cache_;
    mutable bool cacheOfSecond_ = false;
};

} // namespace curvalia::ui
