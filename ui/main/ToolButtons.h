// The column of tool buttons beside the plot: draw (penna), stop (Stopim),
// settings (Impostazioni), value (Lente) and the speed switch. Each shows
// its normal picture (penna_bn, Stop_bn, ...) until the pointer comes over
// it, then its highlighted twin, which stays until the pointer moves over
// another button or over the frame around them (the plot included).
#pragma once

#include <QObject>

class QEvent;
class QWidget;

namespace curvalia::ui {

class PictureButton;

class ToolButtons : public QObject {
    Q_OBJECT
  public:
    // Places the buttons on frame; plot lies in frame.
    ToolButtons(QWidget& frame, QWidget& plot);

    PictureButton* penna = nullptr;
    PictureButton* Stopim = nullptr;
    PictureButton* Impostazioni = nullptr;
    PictureButton* Lente = nullptr;
    // Shows Image2 while the draw runs at full speed, Image1 otherwise.
    PictureButton* speedSwitch = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override; // moves over the frame

  private:
    void highlight(PictureButton* button);
    void showNormalPictures();
};

} // namespace curvalia::ui
