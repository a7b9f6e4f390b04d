#include "ui/main/ToolButtons.h"

#include "layout/Twips.h"
#include "ui/main/PictureButton.h"
#include "ui/plotview/PlotInputRouter.h"

#include <QEvent>
#include <QPointer>

namespace curvalia::ui {

using layout::px;

namespace {

PictureButton::Face face(const char* name, const char* file, const char* toolTip) {
    return {QString::fromLatin1(name), QStringLiteral(":/images/") + QString::fromLatin1(file),
            QString::fromUtf8(toolTip)};
}

// One tool button: its two pictures at the same place, named after the one
// that is clicked (the highlighted twin).
PictureButton* addButton(QWidget& parent, const char* name, PictureButton::Face normal,
                         PictureButton::Face twin, int topTwips,
                         PictureButton::Naming naming = PictureButton::Naming::AfterSecondFace) {
    auto* button = new PictureButton(std::move(normal), std::move(twin), naming, &parent);
    button->setObjectName(QString::fromLatin1(name));
    button->placePicture(QPoint(px(6960), px(topTwips)));
    return button;
}

} // namespace

ToolButtons::ToolButtons(QWidget& frame, QWidget& plot) : QObject(&frame) {
    setObjectName(QStringLiteral("toolButtons"));
    penna = addButton(frame, "penna", face("penna_bn", "button-penna_bn.svg", "Disegna"),
                      face("penna", "button-penna.svg", "Disegna la funzione"), 660);
    Stopim = addButton(frame, "Stopim", face("Stop_bn", "button-stop_bn.svg", "Stop!"),
                       face("Stopim", "button-stop.svg", "STOP!"), 1500);
    Impostazioni =
        addButton(frame, "Impostazioni",
                  face("Impostazioni_bn", "button-impostazioni_bn.svg", "Impostazioni"),
                  face("Impostazioni", "button-impostazioni.svg", "Imposta gli assi"), 2400);
    Lente = addButton(frame, "Lente", face("Lente_bn", "button-lente_bn.svg", "Valore di y"),
                      face("Lente", "button-lente.svg", "Controlla valore"), 3240);
    speedSwitch =
        addButton(frame, "speedSwitch", face("Image2", "button-speed-on.svg", "Speed Attivato"),
                  face("Image1", "button-speed-off.svg", "Speed Disattivato"), 4080,
                  PictureButton::Naming::AfterShownFace);
    for (PictureButton* button : {penna, Stopim, Impostazioni, Lente})
        connect(button, &PictureButton::hovered, this, [this, button] { highlight(button); });

    // Moves over the frame (outside the buttons) and over the plot put the
    // buttons back to normal.
    frame.setMouseTracking(true);
    frame.installEventFilter(this);
    PlotInputRouter::of(plot).add(PlotInputRouter::Stage::Window,
                                  [self = QPointer<ToolButtons>(this)](QEvent& event) {
                                      if (self && event.type() == QEvent::MouseMove)
                                          self->showNormalPictures();
                                      return false;
                                  });
}

void ToolButtons::showNormalPictures() {
    for (PictureButton* button : {Lente, Stopim, Impostazioni, penna})
        button->setShowsSecond(false);
}

void ToolButtons::highlight(PictureButton* button) {
    // Moves over the highlighted picture change nothing.
    if (button->showsSecond())
        return;
    showNormalPictures();
    button->setShowsSecond(true);
}

bool ToolButtons::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && watched == parent())
        showNormalPictures();
    return QObject::eventFilter(watched, event);
}

} // namespace curvalia::ui
